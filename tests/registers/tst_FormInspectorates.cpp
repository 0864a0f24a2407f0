#include "FixtureTest.h"
#include "Press.h"
#include "RegisterTesting.h"
#include "TableData.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/ResultSend.h"
#include "foundation/Schema.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "registers/FormPIW.h"
#include "registers/FormWIW.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace
{

FormPIW &openCounties()
{
    return OpenThroughDoor<FormPIW>([] { FormPIW::Open(); });
}

FormWIW &openRegions()
{
    return OpenThroughDoor<FormWIW>([] { FormWIW::Open(); });
}

QList<QWidget *> browseControls(InspectorateWindow &w)
{
    return {w.ComZlewZamk, w.ComZlewKor, w.ComZlewKas, w.ComZlewDod,
            w.ComZlewSzuk, w.DataZlew,   w.DBGridZlew};
}

QVariant current(InspectorateWindow &w, const QString &field)
{
    return w.DataZlew->Recordset()(field).Value();
}

void addCounties()
{
    RegistersFixture::AddRow("PIW", {{"IDPIW", "1061"},
                                     {"NAZWA", "Łódź Bałuty"},
                                     {"KodPocztowy", "90-001"},
                                     {"Telefon", "111"}});
    RegistersFixture::AddRow("PIW", {{"IDPIW", "0201"}, {"NAZWA", "O'Brien PIW"}});
    RegistersFixture::AddRow("PIW", {{"IDPIW", "12a"}, {"NAZWA", "*Gwiazdka"}});
    RegistersFixture::AddRow("PIW", {{"IDPIW", "1465"}, {"NAZWA", "Zgierz"}});
}

} // namespace

class FormInspectoratesTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private:
    void Prepare() override { addCounties(); }

private slots:
    // A new county: its code is numeric and new (trimmed, case aside), it is
    // stored trimmed; an untouched postal code stays Null and a long town is
    // cut. The order option not chosen is locked while the frame is open.
    void addCounty()
    {
        ui::ScriptedUi scripted;
        FormPIW &w = openCounties();
        QCOMPARE(w.windowTitle(), "PIW");
        QCOMPARE(w.Label9->text(), "OPERACJE NA PIW");
        QVERIFY(w.OptionK->isChecked());
        QCOMPARE(current(w, "IDPIW"), "0201");
        PRESS(&w, "ComZlewDod");
        QCOMPARE(w.FramZlewnia->title(), "NOWY PIW");
        QCOMPARE(w.focusWidget(), w.MEBKod);
        QVERIFY(BrowseControlsEnabled(browseControls(w), false));
        QVERIFY(w.OptionK->isEnabled() && !w.OptionN->isEnabled());
        QCOMPARE(RegisterWindowBase::MaskedText(w.MEBKodPoczt), "__-___");
        scripted.Answer("OK");
        PRESS(&w, "ComZlewZap");
        QCOMPARE(scripted.Last().text, "Kod powiatu powinien być wartością numeryczną! Popraw!");
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(scripted.Last().style, ui::vbInformation);
        RETYPE(&w, "MEBKod", " 1061 ");
        w.TextNazwa->setFocus();
        scripted.Answer("OK");
        PRESS(&w, "ComZlewZap");
        QCOMPARE(scripted.Last().text, "PIW o podanym kodzie już istnieje!");
        QCOMPARE(scripted.Last().title, "ZAPISYWANIE");
        QCOMPARE(scripted.Last().style, ui::vbExclamation);
        QCOMPARE(w.focusWidget(), w.MEBKod);
        QCOMPARE(RegistersFixture::Rows("PIW").size(), 4);
        RETYPE(&w, "MEBKod", " 1062 ");
        RETYPE(&w, "TextNazwa", " PIW Łowicz ");
        RETYPE(&w, "TextMiejsc", QString(60, 'm'));
        RETYPE(&w, "TextMail", " piw@lowicz.pl ");
        RETYPE(&w, "TextMailSzyfr", "podpis@lowicz.pl");
        w.TextUwagi->setPlainText(" uwagi\nw dwóch liniach ");
        PRESS(&w, "ComZlewZap");
        QVERIFY(w.FramZlewnia->isHidden());
        QVERIFY(BrowseControlsEnabled(browseControls(w), true));
        QVERIFY(w.OptionN->isEnabled());
        const QVariantMap stored = StoredRow("PIW", "IDPIW", "1062");
        QCOMPARE(stored.value("NAZWA"), " PIW Łowicz ");
        QVERIFY(!stored.value("KodPocztowy").isValid());
        QCOMPARE(stored.value("Miasto"), QString(50, 'm'));
        QCOMPARE(stored.value("Email"), "piw@lowicz.pl");
        QCOMPARE(stored.value("EmailSzyfr"), "podpis@lowicz.pl");
        QCOMPARE(stored.value("Uwagi"), "uwagi\nw dwóch liniach");
        QCOMPARE(current(w, "IDPIW"), "1062");

        // A window made tiny and back keeps working.
        w.resize(20, 20);
        w.resize(980, 560);
        QVERIFY(w.DBGridZlew->geometry().bottom() < w.DataZlew->geometry().top());

        // The popup menu's items change nothing.
        w.findChild<QAction *>("menPartia")->trigger();
        w.findChild<QAction *>("menUkryj")->trigger();
        QCOMPARE(RegistersFixture::Rows("PIW").size(), 5);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // A correction shows a stored postal code without the mask, keeps the
    // key and writes into the row it loaded, also after a failed save and a
    // move of the list; a stored code that is not numeric keeps the frame.
    void correctCounty()
    {
        StaleDb.Execute("UPDATE PIW SET Telefon = '" + QString(51, '1') + "' WHERE IDPIW = '1061'");
        ui::ScriptedUi scripted;
        FormPIW &w = openCounties();
        QVERIFY(GoTo(w.DataZlew, "IDPIW", "1061"));
        PRESS(&w, "ComZlewKor");
        QCOMPARE(w.FramZlewnia->title(), "KOREKTA PIW");
        QCOMPARE(w.focusWidget(), w.TextNazwa);
        QVERIFY(!w.MEBKod->isEnabled());
        QCOMPARE(w.MEBKodPoczt->Mask(), "");
        QCOMPARE(w.MEBKodPoczt->Text(), "90-001");
        const auto before = RegistersFixture::Rows("PIW");
        RETYPE(&w, "MEBKodPoczt", "");
        // A telephone stored longer than its column (50) is shown whole and
        // refused with the field named; typing stops at the column's width.
        QCOMPARE(w.TextTelefon->text(), QString(51, '1'));
        scripted.Answer("OK");
        PRESS(&w, "ComZlewZap");
        QCOMPARE(scripted.Last().text,
                 "Tekst w polu Telefon jest za długi! Dopuszczalna długość: 50. Popraw!");
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(w.focusWidget(), w.TextTelefon);
        QVERIFY(w.FramZlewnia->isVisible());
        QCOMPARE(RegistersFixture::Rows("PIW"), before);
        RETYPE(&w, "TextTelefon", QString(52, '3'));
        QCOMPARE(w.TextTelefon->text(), QString(50, '3'));
        w.OptionK->click(); // the chosen order rebinds the list
        w.DataZlew->Recordset().MoveLast();
        RETYPE(&w, "TextTelefon", "222");
        PRESS(&w, "ComZlewZap");
        const QVariantMap stored = StoredRow("PIW", "IDPIW", "1061");
        QCOMPARE(stored.value("KodPocztowy"), "");
        QCOMPARE(stored.value("Telefon"), "222");
        QCOMPARE(StoredRow("PIW", "IDPIW", "1465"), before.at(3));
        QCOMPARE(current(w, "IDPIW"), "1061");

        QVERIFY(GoTo(w.DataZlew, "IDPIW", "12a"));
        PRESS(&w, "ComZlewKor");
        QCOMPARE(RegisterWindowBase::MaskedText(w.MEBKodPoczt), "__-___");
        scripted.Answer("OK");
        PRESS(&w, "ComZlewZap");
        QCOMPARE(scripted.Last().text, "Kod powiatu powinien być wartością numeryczną! Popraw!");
        QVERIFY(w.FramZlewnia->isVisible());
        PRESS(&w, "ComZlewRez");

        scripted.Answer("No");
        PRESS(&w, "ComZlewKas");
        QCOMPARE(scripted.Last().text, "Czy na pewno usunąć PIW?");
        QCOMPARE(scripted.Last().title, "USUWANIE!");
        QCOMPARE(scripted.Last().style, 292);
        QCOMPARE(RegistersFixture::Rows("PIW").size(), 4);
        scripted.Answer("Yes");
        PRESS(&w, "ComZlewKas");
        QVERIFY(StoredRow("PIW", "IDPIW", "12a").isEmpty());
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The search moves the list to the first row beginning with the text, by
    // the chosen order; no match leaves the list where it stands; Enter
    // ends the search.
    void search()
    {
        ui::ScriptedUi scripted;
        FormPIW &w = openCounties();
        QVERIFY(GoTo(w.DataZlew, "IDPIW", "1465"));
        PRESS(&w, "ComZlewSzuk");
        QCOMPARE(w.TextSzuk->text(), "1465");
        QVERIFY(w.TextSzuk->isVisible() && w.ComSzukAkc->isVisible());
        QVERIFY(BrowseControlsEnabled(browseControls(w), false));
        QTest::keyClick(w.TextSzuk, Qt::Key_Backspace);
        QTest::keyClick(w.TextSzuk, Qt::Key_Backspace);
        QCOMPARE(current(w, "IDPIW"), "1465"); // "14": the same row
        RETYPE(&w, "TextSzuk", "10");
        QCOMPARE(current(w, "IDPIW"), "1061");
        QTest::keyClick(w.TextSzuk, Qt::Key_Return);
        QVERIFY(w.TextSzuk->isHidden());
        QCOMPARE(w.focusWidget(), w.ComZlewZamk);
        QVERIFY(BrowseControlsEnabled(browseControls(w), true));

        w.OptionN->click();
        PRESS(&w, "ComZlewSzuk");
        QCOMPARE(w.TextSzuk->text(), ""); // by name the box starts empty
        QCOMPARE(current(w, "NAZWA"), "*Gwiazdka");
        for (const auto &[text, found] : QList<std::pair<QString, QString>>{{"łódź", "Łódź Bałuty"},
                                                                            {"o'b", "O'Brien PIW"},
                                                                            {"?", "O'Brien PIW"},
                                                                            {"[", "O'Brien PIW"},
                                                                            {"#", "O'Brien PIW"},
                                                                            {"z", "Zgierz"},
                                                                            {"*", "*Gwiazdka"}}) {
            RETYPE(&w, "TextSzuk", text);
            QCOMPARE(current(w, "NAZWA"), found);
        }
        PRESS(&w, "ComSzukAkc");
        QCOMPARE(current(w, "NAZWA"), "*Gwiazdka");
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The result mail takes the county's address saved here.
    void resultMailTakesTheAddress()
    {
        ui::ScriptedUi scripted;
        FormPIW &w = openCounties();
        QVERIFY(GoTo(w.DataZlew, "IDPIW", "1061"));
        PRESS(&w, "ComZlewKor");
        RETYPE(&w, "TextMail", " wyniki@piw-lodz.pl ");
        PRESS(&w, "ComZlewZap");
        PRESS(&w, "ComZlewZamk");

        MonthDb = TemporaryDrives::Create("T:\\Dane\\2024\\Mervask202403.mdb", Schema::Month);
        TableData::AddRow(MonthDb, "Partia", {{"Partia", 12}, {"WNI", " 10610001"}});
        dao::Recordset batches = MonthDb.OpenRecordset("SELECT * FROM PARTIA");
        QString recipient;
        scripted.Answer("Yes"); // send now
        scripted.Answer("No");  // no signature
        scripted.Answer("OK");  // sent unsigned
        WyslijWynik({"C:\\MervaskLab\\wynik.pdf", " 10610001", QVariant(), "Zakład: ", batches},
                    [&](const QString &to, const QString &, const QString &, const QString &) {
                        recipient = to;
                        return false;
                    });
        QCOMPARE(recipient, "wyniki@piw-lodz.pl");
        batches.Close();
        MonthDb.Close();
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The regional register: any code, the empty one included, only once;
    // the code box comes last in the tab order; no e-mail for signed files.
    void regionalRegister()
    {
        QSignalSpy announced(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged);
        ui::ScriptedUi scripted;
        FormWIW &w = openRegions();
        QCOMPARE(w.windowTitle(), "PIW");
        QCOMPARE(w.Label9->text(), "OPERACJE NA WIW");
        QVERIFY(!w.TextMailSzyfr && !w.findChild<QWidget *>("TextMailSzyfr"));
        for (const QString &code : {QString("  "), QString("O'Ł"), QString("")}) {
            PRESS(&w, "ComZlewDod");
            QCOMPARE(w.FramZlewnia->title(), "NOWY WIW");
            RETYPE(&w, "MEBKod", code);
            RETYPE(&w, "TextNazwa", "WIW " + code);
            if (code.isEmpty())
                scripted.Answer("OK");
            PRESS(&w, "ComZlewZap");
        }
        QCOMPARE(scripted.Last().text, "WIW o podanym kodzie już istnieje!");
        QCOMPARE(scripted.Last().title, "ZAPISYWANIE");
        QCOMPARE(w.focusWidget(), w.MEBKod);
        PRESS(&w, "ComZlewRez");
        QCOMPARE(RegistersFixture::Rows("WIW").size(), 2);
        QCOMPARE(StoredRow("WIW", "IDWIW", "").value("NAZWA"), "WIW   ");
        QCOMPARE(StoredRow("WIW", "IDWIW", "O'Ł").value("NAZWA"), "WIW O'Ł");

        QVERIFY(GoTo(w.DataZlew, "IDWIW", "O'Ł"));
        PRESS(&w, "ComZlewKor");
        QCOMPARE(w.FramZlewnia->title(), "KOREKTA WIW");
        RETYPE(&w, "TextNazwa", QString(101, 'n')); // the column holds 100
        QCOMPARE(w.TextNazwa->text(), QString(100, 'n'));
        QCOMPARE(w.ComZlewRez->nextInFocusChain(), w.MEBKod);
        PRESS(&w, "ComZlewRez");
        PRESS(&w, "ComZlewSzuk");
        RETYPE(&w, "TextSzuk", "o'ł");
        QCOMPARE(current(w, "IDWIW"), "O'Ł");
        PRESS(&w, "ComSzukAkc");
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.at(0).at(0), "WIW");
        SCRIPTED_UI_VERIFY(scripted);
    }
};

QTEST_MAIN(FormInspectoratesTest)
#include "tst_FormInspectorates.moc"
