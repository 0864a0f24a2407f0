#include "FixtureTest.h"
#include "Press.h"
#include "RegisterTesting.h"

#include "batches/FormPartia.h"
#include "digestion/FormNastawienie.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/MsgBox.h"
#include "registers/FormAutoryzowal.h"
#include "registers/FormOpisProbki.h"
#include "registers/FormPlec.h"
#include "registers/FormPodp.h"
#include "samples/FormBadanie.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

namespace
{

QStringList items(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

// The texts of one column of a grid, top to bottom.
QStringList column(const ui::DBGrid *grid, int index)
{
    QStringList texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts.append(grid->model()->index(row, index).data().toString());
    return texts;
}

QList<QWidget *> browseControls(DictionaryListWindow &w)
{
    return {w.ComDodaj, w.ComPopraw, w.ComUsun, w.ComZamk, w.Data, w.DBGridPodp};
}

// The number checks of a save, each with the frame kept open and the focus
// in the number box.
void verifyNumberChecks(ui::ScriptedUi &scripted, DictionaryListWindow &w, const QString &empty)
{
    const auto before = RegistersFixture::Rows(w.Data->Recordset().TableName());
    const QByteArray numberBox = w.NumberBox->objectName().toLatin1();
    for (const auto &[number, message] : QList<std::pair<QString, QString>>{
             {" ", empty},
             {"x1", "Wartość w polu Numer nie jest cyfrą. Popraw!"},
             {"256", "Numer musi być liczbą całkowitą od 0 do 255. Popraw!"},
             {"2,5", "Numer musi być liczbą całkowitą od 0 do 255. Popraw!"}}) {
        RETYPE(&w, numberBox.constData(), number);
        scripted.Answer("OK");
        PRESS(&w, "ComZapisz");
        QCOMPARE(scripted.Last().text, message);
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(scripted.Last().style, ui::vbInformation);
        QCOMPARE(w.focusWidget(), w.NumberBox);
        QVERIFY(w.FrmEdycja->isVisible());
        QVERIFY(BrowseControlsEnabled(browseControls(w), false));
    }
    QCOMPARE(RegistersFixture::Rows(w.Data->Recordset().TableName()), before);
}

} // namespace

class DictionaryListsTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private slots:
    // Sample descriptions: the number proposed is the row count + 1 and is
    // checked as a one-byte number; the text takes 30 characters; delete
    // asks nothing; closing refills the sample window's list in table order.
    void sampleDescriptions()
    {
        QObject receiver;
        // The sample window's own refill, as its subscription runs it.
        QObject::connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, &receiver,
                         [](const QString &table) {
                             if (table == "OpisProbki")
                                 ui::WindowRegistry::Instance<FormBadanie>().RefillPickLists();
                         });
        ui::ScriptedUi scripted;
        FormOpisProbki &w = OpenThroughDoor<FormOpisProbki>([] { FormOpisProbki::Open(); });
        QCOMPARE(w.windowTitle(), "OPIS");
        QCOMPARE(w.DBGridPodp->Caption(), "OPIS I STAN PRÓBKI W CHWILI PRZYJĘCIA");
        PRESS(&w, "ComDodaj");
        QCOMPARE(w.FrmEdycja->title(), "Nowa podpowiedź");
        QCOMPARE(w.TxtNr->text(), "2");
        QCOMPARE(w.focusWidget(), w.TxtMet);
        QTest::keyClicks(w.TxtMet, QString(31, 'z'));
        QCOMPARE(w.TxtMet->text().size(), 30);
        verifyNumberChecks(scripted, w, "Wpisz kolejny nr!");
        RETYPE(&w, "TxtNr", " 9 ");
        RETYPE(&w, "TxtMet", " Próbka zamrożona ");
        PRESS(&w, "ComZapisz");
        QVERIFY(BrowseControlsEnabled(browseControls(w), true));
        QCOMPARE(StoredRow("OpisProbki", "IDPODP", 9).value("PODPOWIEDZ"), "Próbka zamrożona");
        QCOMPARE(w.DataPodp->Recordset()("IDPODP").Value(), 9);

        QVERIFY(GoTo(w.DataPodp, "IDPODP", 1));
        PRESS(&w, "ComPopraw");
        QCOMPARE(w.FrmEdycja->title(), "Edycja");
        QCOMPARE(w.focusWidget(), w.TxtNr);
        QCOMPARE(w.TxtMet->text(), "Próbka bez zmian");
        PRESS(&w, "ComAnuluj");
        scripted.ClearLog();
        PRESS(&w, "ComUsun");
        QVERIFY(scripted.Log().isEmpty());
        QCOMPARE(RegistersFixture::Rows("OpisProbki").size(), 1);
        PRESS(&w, "ComZamk");
        QVERIFY(!w.isVisible());
        QCOMPARE(items(ui::WindowRegistry::Instance<FormBadanie>().ComboOpis),
                 QStringList{"Próbka zamrożona"});
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Remark hints: the opener's captions, the text of several lines in
    // which Enter adds none and that takes 150 characters, also pasted; a
    // refused save, the list moved and a second save change the loaded row
    // only; closing refills the sample window's remark list by text.
    void remarkHints()
    {
        RegistersFixture::AddRow("UwagiProbka", {{"IDPODP", 1}, {"PODPOWIEDZ", "zepsuta"}});
        RegistersFixture::AddRow("UwagiProbka", {{"IDPODP", 2}, {"PODPOWIEDZ", "brak"}});
        QObject receiver;
        QObject::connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, &receiver,
                         [](const QString &table) {
                             if (table == "UwagiProbka")
                                 ui::WindowRegistry::Instance<FormBadanie>().RefillPickLists();
                         });
        ui::ScriptedUi scripted;
        FormPodp &w =
            OpenThroughDoor<FormPodp>([] { FormPodp::Open("Uwagi do próbek", "UwagiProbka"); });
        QCOMPARE(w.windowTitle(), "Uwagi do próbek");
        QCOMPARE(w.LabelCaption->text(), "PODPOWIEDZI DO UWAG");
        QVERIFY(GoTo(w.DataPodp, "IDPODP", 1));
        PRESS(&w, "ComPopraw");
        verifyNumberChecks(scripted, w, "Wpisz kolejny nr uwagi!");
        w.DataPodp->Recordset().MoveLast();
        RETYPE(&w, "TxtNr", "3");
        RETYPE(&w, "TxtMet", QString());
        w.TxtMet->setFocus();
        QTest::keyClicks(w.TxtMet, "ma");
        QTest::keyClick(w.TxtMet, Qt::Key_Return);
        QTest::keyClicks(w.TxtMet, "rker");
        QCOMPARE(w.TxtMet->toPlainText(), "marker");
        w.TxtMet->insertPlainText(QString(200, 'y'));
        QCOMPARE(w.TxtMet->toPlainText().size(), 150);
        w.TxtMet->setPlainText(" Ślady krwi ");
        PRESS(&w, "ComZapisz");
        QCOMPARE(RegistersFixture::Rows("UwagiProbka"),
                 (QList<QVariantMap>{{{"IDPODP", 3}, {"PODPOWIEDZ", "Ślady krwi"}},
                                     {{"IDPODP", 2}, {"PODPOWIEDZ", "brak"}}}));
        PRESS(&w, "ComDodaj");
        QCOMPARE(w.TxtNr->text(), "3");
        w.TxtMet->setPlainText("apostrof 'x'");
        PRESS(&w, "ComZapisz");
        w.close(); // the title bar closes as "&Zamknij"
        QVERIFY(!w.isVisible());
        QCOMPARE(items(ui::WindowRegistry::Instance<FormBadanie>().ComboUwagi),
                 (QStringList{"apostrof 'x'", "brak", "Ślady krwi"}));
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Person lists: the opener's caption and order; all three lists are
    // refilled on closing, whichever was shown.
    void personLists()
    {
        RegistersFixture::AddRow("Wykonujacy", {{"Nr", 2}, {"Nazwa", "Ewa Lis"}});
        RegistersFixture::AddRow("Wykonujacy", {{"Nr", 1}, {"Nazwa", "Jan Kos"}});
        FormPartia &batch = ui::WindowRegistry::Instance<FormPartia>();
        FormNastawienie &runs = ui::WindowRegistry::Instance<FormNastawienie>();
        QObject receiver;
        QObject::connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, &receiver,
                         [&runs](const QString &table) {
                             // The run window's own refill, as its subscription runs it.
                             if (table == "Odpowiedzialny")
                                 runs.RefillPersonLists();
                         });
        QSignalSpy announced(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged);
        ui::ScriptedUi scripted;
        FormAutoryzowal &w = OpenThroughDoor<FormAutoryzowal>(
            [] { FormAutoryzowal::Open("Wykonujacy", "DEFINICJA OSÓB WYKONUJĄCYCH BADANIE"); });
        QCOMPARE(w.windowTitle(), "Osoby");
        QCOMPARE(w.DBGridPodp->Caption(), "DEFINICJA OSÓB WYKONUJĄCYCH BADANIE");
        QCOMPARE(w.DataDane->Recordset()("Nazwa").Value(), "Jan Kos");
        PRESS(&w, "ComDodaj");
        QCOMPARE(w.FrmEdycja->title(), "Nowa pozycja");
        QCOMPARE(w.TextNr->text(), "3");
        QCOMPARE(w.focusWidget(), w.TextNazwa);
        QTest::keyClicks(w.TextNazwa, QString(31, 'a'));
        QCOMPARE(w.TextNazwa->text().size(), 30);
        verifyNumberChecks(scripted, w, "Wpisz kolejny nr!");
        RETYPE(&w, "TextNr", "3");
        RETYPE(&w, "TextNazwa", " Anna Nowak ");
        PRESS(&w, "ComZapisz");
        PRESS(&w, "ComZamk");
        QStringList tables;
        for (const QList<QVariant> &signal : announced)
            tables.append(signal.at(0).toString());
        QCOMPARE(tables, (QStringList{"Autoryzowal", "Wykonujacy", "Odpowiedzialny"}));
        QCOMPARE(items(runs.ComboWykonujacy), (QStringList{"Ewa Lis", "Jan Kos", "Anna Nowak"}));

        OpenThroughDoor<FormAutoryzowal>(
            [] { FormAutoryzowal::Open("Autoryzowal", "DEFINICJA OSÓB AUTORYZUJĄCYCH BADANIE"); });
        QCOMPARE(w.DBGridPodp->Caption(), "DEFINICJA OSÓB AUTORYZUJĄCYCH BADANIE");
        PRESS(&w, "ComDodaj");
        QCOMPARE(w.TextNr->text(), "1");
        RETYPE(&w, "TextNazwa", "Dr Zofia Wrona");
        PRESS(&w, "ComZapisz");
        PRESS(&w, "ComZamk");
        QCOMPARE(items(batch.ComboAutoryzowal), QStringList{"Dr Zofia Wrona"});
        QVERIFY(items(runs.ComboOdpowiedzialny).isEmpty());
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The sexes window lists the species and, beside them, the sexes of the
    // species chosen, to be read only.
    void sexesOfTheChosenSpecies()
    {
        ui::ScriptedUi scripted;
        FormPlec &w = OpenThroughDoor<FormPlec>([] { FormPlec::Open(); });
        QCOMPARE(column(w.DBGridGatunek, 1).mid(0, 3), (QStringList{"Świnie", "Bydło", "Owce"}));
        QCOMPARE(column(w.DBGridPlec, 0).size(), 8); // the first species' sexes
        QVERIFY(column(w.DBGridPlec, 0).contains("Tucznik"));
        SELECT_ROW(&w, "DBGridGatunek", 1);
        QCOMPARE(column(w.DBGridPlec, 0), (QStringList{"Krowa", "Jałówka", "Buhaj"}));
        SELECT_ROW(&w, "DBGridGatunek", 6);
        QCOMPARE(column(w.DBGridPlec, 0), (QStringList{"Kotka", "Kot"}));
        SCRIPTED_UI_VERIFY(scripted);
    }
};

QTEST_MAIN(DictionaryListsTest)
#include "tst_DictionaryLists.moc"
