#include "FixtureTest.h"
#include "Press.h"
#include "RegistersFixture.h"

#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "foundation/UiProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormZaklad.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace
{

using Row = QVariantMap;
using Texts = QMap<QString, QString>;

// Full and partial addresses, an apostrophe and a wildcard in names and tax
// numbers, Polish capitals, a client without a name and a postal code that
// does not fit the mask.
void addClients()
{
    for (const Row &row : QList<Row>{{{"IdRzezni", "PL001"},
                                      {"TypWNI", "osoba prywatna"},
                                      {"Nazwa", "Kowalski Jan"},
                                      {"Miejscowosc", "Łódź"},
                                      {"Ulica", "Długa 1"},
                                      {"KodPocztowy", "90-001"},
                                      {"Miasto", "Łódź"},
                                      {"Telefon", "111"},
                                      {"KodPIW", "1061"},
                                      {"NIP", "725-001"}},
                                     {{"IdRzezni", "PL002"},
                                      {"Nazwa", "Łódzka Ubojnia"},
                                      {"Miejscowosc", "Zgierz"},
                                      {"Telefon", "222"}},
                                     {{"IdRzezni", "O'B1"},
                                      {"Nazwa", "O'Brien Farm"},
                                      {"Miejscowosc", "Ostrów"},
                                      {"NIP", "O'1"}},
                                     {{"IdRzezni", "AB12"},
                                      {"TypWNI", "siedziba stada"},
                                      {"Nazwa", "*Gwiazdka"},
                                      {"Miejscowosc", "Bór"},
                                      {"Miasto", "Borowo"},
                                      {"NIP", "*9"}},
                                     {{"IdRzezni", "ZZ9"}, {"Nazwa", "Zdrój"}},
                                     {{"IdRzezni", "NN1"}, {"KodPocztowy", "90001"}}})
        RegistersFixture::AddRow("Zaklad", row);
}

FormZaklad &form()
{
    return ui::WindowRegistry::Instance<FormZaklad>();
}

// The register as the main window opens it.
FormZaklad &openRegister()
{
    InitOnActivate = true;
    form().ComUzyj->setVisible(false);
    form().show();
    return form();
}

QStringList listedIds()
{
    QStringList ids;
    const dao::Recordset rs = form().DataDane->Recordset();
    for (int i = 0; i < rs.RecordCount(); ++i)
        ids.append(rs.ValueAt(i, rs.FieldIndex("IdRzezni")).toString());
    return ids;
}

void goTo(const QString &field, const QString &value)
{
    dao::Recordset rs = form().DataDane->Recordset();
    rs.FindFirst(field + " = " + dao::SqlText(value));
    QVERIFY2(!rs.NoMatch(), qPrintable(value));
}

// The first stored client with that value in the field; empty when none.
Row stored(const QString &field, const QString &value)
{
    for (const Row &row : RegistersFixture::Rows("Zaklad")) {
        if (row.value(field).toString() == value)
            return row;
    }
    return {};
}

// Browse state: frame hidden, list and browse controls enabled; edit state
// the other way round.
void verifyState(bool editing)
{
    const FormZaklad &w = form();
    QCOMPARE(w.FrameEdycja->isVisible(), editing);
    for (QWidget *control :
         QList<QWidget *>{w.ComLaborZamk, w.ComLaborKor, w.ComLaborKas, w.ComLaborDod, w.DataDane,
                          w.DBGridLekarz, w.TextSzuk, w.OptionN, w.OptionP})
        QVERIFY2(control->isEnabled() != editing, qPrintable(control->objectName()));
}

void fillNewClient(const QString &id)
{
    RETYPE(&form(), "TextIDKlient", id);
    RETYPE(&form(), "TextNazwa", "Nowak");
    RETYPE(&form(), "TextMiejscowosc", "Kraków");
    RETYPE(&form(), "TextTelefon", "333");
}

const QStringList BatchFields = {"LabelNazZak",         "LabTypWNI",
                                 "TextZaklad",          "TextKodPIW",
                                 "TextMiejscowoscPobr", "LabelNazZleceniodawca",
                                 "TextZleceniodawcaWNI"};

// A control of the batch window's frame. While that window does not have it,
// a stand-in of the same name takes the pick's text.
QWidget *batchControl(const QString &name)
{
    FormPartia &batch = ui::WindowRegistry::Instance<FormPartia>();
    if (QWidget *control = batch.findChild<QWidget *>(name))
        return control;
    QWidget *standIn =
        name.startsWith("Lab") ? static_cast<QWidget *>(new QLabel(&batch)) : new QLineEdit(&batch);
    standIn->setObjectName(name);
    return standIn;
}

Texts batchFields()
{
    Texts values;
    for (const QString &name : BatchFields)
        values.insert(name, batchControl(name)->property("text").toString());
    return values;
}

// The batch frame's picker button of the kind: "W" the establishment, "Z"
// the ordering party.
void openPicker(const QString &kind)
{
    FormPartia &batch = ui::WindowRegistry::Instance<FormPartia>();
    (kind == QLatin1String("Z") ? batch.ComZleceniodawca : batch.ComWNI)->click();
}

void presetBatchFields()
{
    for (const QString &name : BatchFields)
        batchControl(name)->setProperty("text", "dawne");
}

} // namespace

class FormZakladTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private:
    void Prepare() override { addClients(); }

private slots:
    // Activation rebinds the list by name only while the opener's flag is
    // set; a sort option drops the search filter.
    void activationAndSort()
    {
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        QCOMPARE(w.focusWidget(), w.TextSzuk);
        RETYPE(&w, "TextSzuk", "kow");
        QCOMPARE(listedIds(), QStringList{"PL001"});
        PRESS(&w, "OptionP");
        QCOMPARE(listedIds(), (QStringList{"AB12", "NN1", "O'B1", "PL001", "PL002", "ZZ9"}));
        CHOOSE(&w, "ComboSzukajWg", "NIP");
        w.hide();
        InitOnActivate = false;
        w.show();
        QCOMPARE(listedIds(), (QStringList{"AB12", "NN1", "O'B1", "PL001", "PL002", "ZZ9"}));
        w.hide();
        InitOnActivate = true;
        w.show();
        QVERIFY(w.OptionN->isChecked() && InitOnActivate);
        QCOMPARE(w.ComboSzukajWg->currentText(), "Nazwa");
        QStringList named = listedIds();
        named.removeIf([](const QString &id) { return id == "AB12" || id == "NN1"; });
        QCOMPARE(named, (QStringList{"PL001", "PL002", "O'B1", "ZZ9"})); // Ł between L and O
        SCRIPTED_UI_VERIFY(scripted);
    }

    void search_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("name, empty: named clients only")
            << "Nazwa"
            << "" << QStringList{"AB12", "O'B1", "PL001", "PL002", "ZZ9"};
        QTest::newRow("name, any case, trimmed") << "Nazwa"
                                                 << "  kOW " << QStringList{"PL001"};
        QTest::newRow("name, Polish capital") << "Nazwa"
                                              << "łó" << QStringList{"PL002"};
        QTest::newRow("name, apostrophe") << "Nazwa"
                                          << "O'B" << QStringList{"O'B1"};
        QTest::newRow("name, star is literal") << "Nazwa"
                                               << "*" << QStringList{"AB12"};
        QTest::newRow("name, ? and [ are literal") << "Nazwa"
                                                   << "?[" << QStringList{};
        QTest::newRow("NIP, empty: clients with NIP") << "NIP"
                                                      << "" << QStringList{"AB12", "O'B1", "PL001"};
        QTest::newRow("NIP, apostrophe") << "NIP"
                                         << "o'" << QStringList{"O'B1"};
        QTest::newRow("NIP, star is literal") << "NIP"
                                              << "*" << QStringList{"AB12"};
    }

    void search()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, ids);
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        CHOOSE(&w, "ComboSzukajWg", kind);
        RETYPE(&w, "TextSzuk", "x");
        RETYPE(&w, "TextSzuk", text);
        QStringList listed = listedIds();
        listed.sort(); // the order is the sort tests' business
        QCOMPARE(listed, ids);
        verifyState(false);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Each check of the save in its order, with its message and focus, the
    // uniqueness test last; a refusal keeps the frame open and writes nothing.
    void addRefused_data()
    {
        QTest::addColumn<QStringList>("boxes"); // id, county code, name, locality, telephone
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no identifier comes first")
            << QStringList{"  ", "x", "", "", ""} << "Wpisz WNI!"
            << "TextIDKlient";
        QTest::newRow("county code with a letter")
            << QStringList{"N1", "12a", "", "", ""} << "Popraw kod PIW!"
            << "TextKodPIW";
        QTest::newRow("county code with a decimal comma")
            << QStringList{"N1", "1,5", "A", "B", "1"} << "Popraw kod PIW!"
            << "TextKodPIW";
        QTest::newRow("county code with an exponent")
            << QStringList{"N1", "1e3", "A", "B", "1"} << "Popraw kod PIW!"
            << "TextKodPIW";
        QTest::newRow("blank name")
            << QStringList{"N1", "12", " ", "B", "1"} << "Wpisz nazwę lub imię i nazwisko!"
            << "TextNazwa";
        QTest::newRow("blank locality")
            << QStringList{"N1", "", "A", " ", "1"} << "Wpisz miejscowość!"
            << "TextMiejscowosc";
        QTest::newRow("no telephone")
            << QStringList{"N1", "", "A", "B", " "} << "Wpisz nr telefonu!"
            << "TextTelefon";
    }

    void addRefused()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        const auto before = RegistersFixture::Rows("Zaklad");
        PRESS(&w, "ComLaborDod");
        QCOMPARE(w.FrameEdycja->title(), " NOWY KLIENT ");
        QCOMPARE(w.focusWidget(), w.TextIDKlient);
        const char *const targets[] = {"TextIDKlient", "TextKodPIW", "TextNazwa", "TextMiejscowosc",
                                       "TextTelefon"};
        for (int i = 0; i < 5; ++i)
            RETYPE(&w, targets[i], boxes[i]);
        scripted.Answer("OK");
        PRESS(&w, "ComZapisz");
        QCOMPARE(scripted.Last().text, message);
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(scripted.Last().style, ui::vbInformation);
        QCOMPARE(w.focusWidget()->objectName(), focus);
        verifyState(true);
        QCOMPARE(RegistersFixture::Rows("Zaklad"), before);
        SCRIPTED_UI_VERIFY(scripted);
    }

    void addWritesTheClient_data()
    {
        QTest::addColumn<QString>("piw");
        QTest::addColumn<QString>("postal");
        QTest::addColumn<QVariant>("storedPiw");
        QTest::addColumn<QString>("storedPostal");
        QTest::newRow("county code in blanks, full postal code")
            << " 12 "
            << "31-100" << QVariant("12") << "31-100";
        QTest::newRow("no county code, partial postal code") << ""
                                                             << "31-1__" << QVariant() << "31-1__";
        QTest::newRow("signed county code, no postal code") << "-3"
                                                            << "" << QVariant("-3") << "";
    }

    void addWritesTheClient()
    {
        QFETCH(QString, piw);
        QFETCH(QString, postal);
        QFETCH(QVariant, storedPiw);
        QFETCH(QString, storedPostal);
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        PRESS(&w, "ComLaborDod");
        RETYPE(&w, "ComboTypWNI", " gospodarstwo rolne "); // a kind typed freely
        RETYPE(&w, "TextIDKlient", " nowy1 ");
        RETYPE(&w, "TextKodPIW", piw);
        RETYPE(&w, "TextNazwa", " Nowak Ewa ");
        for (const char *box : {"TextMiejscowosc", "TextMiasto"})
            RETYPE(&w, box, " Kraków ");
        RETYPE(&w, "TextUlica", " Polna 2 ");
        RETYPE(&w, "MEBKodPoczt", postal);
        RETYPE(&w, "TextTelefon", " 333 ");
        RETYPE(&w, "TextMail", " ewa@example.pl ");
        RETYPE(&w, "TextUwagi", " stały klient ");
        PRESS(&w, "ComZapisz");
        verifyState(false);
        const Row expected{{"IdRzezni", "nowy1"},
                           {"TypWNI", "gospodarstwo rolne"},
                           {"Nazwa", " Nowak Ewa "},
                           {"Nazwa2", QVariant()},
                           {"Miejscowosc", "Kraków"},
                           {"Ulica", "Polna 2"},
                           {"KodPocztowy", storedPostal},
                           {"Miasto", "Kraków"},
                           {"Telefon", "333"},
                           {"Email", "ewa@example.pl"},
                           {"KodPIW", storedPiw},
                           {"Wojewodztwo", QVariant()},
                           {"NIP", QVariant()},
                           {"UWAGI", "stały klient"}};
        QCOMPARE(stored("IdRzezni", "nowy1"), expected);
        QCOMPARE(RegistersFixture::Rows("Zaklad").size(), 7);
        QCOMPARE(w.DataDane->Recordset()("IdRzezni").Value(), "nowy1");
        SCRIPTED_UI_VERIFY(scripted);
    }

    // A correction loads Nulls as empty boxes and a postal code that does
    // not fit the mask as it stands, and saves it back unchanged.
    void correctionLoadsTheRow()
    {
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        goTo("IdRzezni", "PL001");
        PRESS(&w, "ComLaborKor");
        QCOMPARE(w.FrameEdycja->title(), "KOREKTA KLIENTA");
        QCOMPARE(w.focusWidget(), w.ComAnuluj);
        QCOMPARE(w.ComboTypWNI->currentText(), "osoba prywatna");
        QCOMPARE(w.MEBKodPoczt->Text(), "90-001");
        verifyState(true);
        PRESS(&w, "ComAnuluj");
        verifyState(false);
        goTo("IdRzezni", "NN1");
        PRESS(&w, "ComLaborKor");
        QCOMPARE(w.TextNazwa->text(), "");
        QCOMPARE(w.MEBKodPoczt->Text(), "90001");
        fillNewClient("NN1");
        PRESS(&w, "ComZapisz");
        QCOMPARE(stored("IdRzezni", "NN1").value("KodPocztowy"), "90001");
        QCOMPARE(stored("IdRzezni", "NN1").value("Nazwa"), "Nowak");
        SCRIPTED_UI_VERIFY(scripted);
    }

    void correctionIdentifier_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("twin"); // another row with the identifier PL001
        QTest::addColumn<bool>("refused");
        QTest::newRow("unchanged is not tested") << "PL001" << true << false;
        QTest::newRow("case only") << "pl001" << false << false;
        QTest::newRow("case only, with a twin") << "pl001" << true << true;
        QTest::newRow("another client's") << "pl002" << false << true;
        QTest::newRow("new") << "PL003" << true << false;
    }

    void correctionIdentifier()
    {
        QFETCH(QString, id);
        QFETCH(bool, twin);
        QFETCH(bool, refused);
        ui::ScriptedUi scripted;
        RegistersFixture::AddRow("Zaklad",
                                 {{"IdRzezni", twin ? "PL001" : "BL1"}, {"Nazwa", "Bliźniak"}});
        FormZaklad &w = openRegister();
        goTo("Nazwa", "Kowalski Jan");
        PRESS(&w, "ComLaborKor");
        RETYPE(&w, "TextIDKlient", id);
        RETYPE(&w, "TextNazwa", "Kowalski Adam");
        if (refused)
            scripted.Answer("OK");
        PRESS(&w, "ComZapisz");
        verifyState(refused);
        if (refused)
            QCOMPARE(scripted.Last().text, "Klient o numerze: " + id + " już istnieje. Popraw!");
        QCOMPARE(stored("IdRzezni", refused ? "PL001" : id).value("Telefon"), "111");
        QCOMPARE(stored("Nazwa", "Bliźniak").value("IdRzezni"), twin ? "PL001" : "BL1");
        QCOMPARE(RegistersFixture::Rows("Zaklad").size(), 7);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // A save that fails in the database keeps the frame and the disabled
    // list; whatever moves the list meanwhile, the correction then goes into
    // the loaded row and nowhere else.
    void failedSaveThenListMove()
    {
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        goTo("IdRzezni", "PL002");
        PRESS(&w, "ComLaborKor");
        const auto before = RegistersFixture::Rows("Zaklad");
        // Longer than the column's 30, which typing cannot give: a text put in whole.
        w.ComboTypWNI->setEditText(QString(31, QChar('x')));
        scripted.Answer("OK");
        PRESS(&w, "ComZapisz");
        QCOMPARE(scripted.Last().text,
                 "Tekst w polu Rodzaj klienta jest za długi! Dopuszczalna długość: 30. Popraw!");
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(scripted.Last().style, ui::vbInformation);
        verifyState(true);
        QCOMPARE(RegistersFixture::Rows("Zaklad"), before);

        w.DataDane->Recordset().MoveLast();
        w.TextSzuk->setText("Zdr"); // set by a program: rebinds, enables nothing
        verifyState(true);
        RETYPE(&w, "ComboTypWNI", "zakład ubojowy");
        PRESS(&w, "ComZapisz");
        verifyState(false);
        const auto after = RegistersFixture::Rows("Zaklad");
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < after.size(); ++i) {
            if (before[i].value("IdRzezni") == "PL002")
                QCOMPARE(after[i].value("TypWNI"), "zakład ubojowy");
            else
                QCOMPARE(after[i], before[i]);
        }
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Typing into the kind stops at its column's width; a kind put in whole,
    // as an entry of its list is, is not cut: a kind too long for its
    // column is refused with a message that names the field.
    void kindStopsAtItsColumn()
    {
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        PRESS(&w, "ComLaborDod");
        QTest::keyClick(w.ComboTypWNI->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        TYPE(&w, "ComboTypWNI", QString(40, u'k'));
        QCOMPARE(w.ComboTypWNI->currentText(), QString(30, u'k'));
        TYPE(&w, "TextIDKlient", "nowy1");
        TYPE(&w, "TextNazwa", "Nowak");
        TYPE(&w, "TextMiejscowosc", "Ryki");
        TYPE(&w, "TextTelefon", "333");
        w.ComboTypWNI->addItem(QString(31, u'w')); // a list longer than the column
        CHOOSE(&w, "ComboTypWNI", QString(31, u'w'));
        QCOMPARE(w.ComboTypWNI->currentText(), QString(31, u'w'));
        scripted.Answer("OK");
        PRESS(&w, "ComZapisz");
        QCOMPARE(scripted.Last().text,
                 "Tekst w polu Rodzaj klienta jest za długi! Dopuszczalna długość: 30. Popraw!");
        QCOMPARE(w.focusWidget(), w.ComboTypWNI);
        verifyState(true);
        QVERIFY(stored("IdRzezni", "nowy1").isEmpty());

        QTest::keyClick(w.ComboTypWNI->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        TYPE(&w, "ComboTypWNI", QString(40, u'k'));
        PRESS(&w, "ComZapisz");
        verifyState(false);
        QCOMPARE(stored("IdRzezni", "nowy1").value("TypWNI"), QString(30, u'k'));
        w.ComboTypWNI->removeItem(w.ComboTypWNI->count() - 1);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Cancel writes nothing; delete asks first; on an empty list neither
    // delete nor correct does anything.
    void cancelAndDelete()
    {
        ui::ScriptedUi scripted;
        FormZaklad &w = openRegister();
        const auto before = RegistersFixture::Rows("Zaklad");
        PRESS(&w, "ComLaborDod");
        fillNewClient("NEW1");
        w.TextNazwa->setFocus();
        emit w.ComboTypWNI->activated(1); // a pick in the kind list moves on
        QCOMPARE(w.focusWidget(), w.TextIDKlient);
        PRESS(&w, "ComAnuluj");
        verifyState(false);
        QCOMPARE(RegistersFixture::Rows("Zaklad"), before);

        goTo("IdRzezni", "ZZ9");
        scripted.Answer("No");
        PRESS(&w, "ComLaborKas");
        QCOMPARE(scripted.Last().text, "Czy na pewno usunąć zaznaczonego klienta?");
        QCOMPARE(scripted.Last().title, "PYTANIE");
        QCOMPARE(scripted.Last().style, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2);
        QCOMPARE(RegistersFixture::Rows("Zaklad"), before);
        scripted.Answer("Yes");
        PRESS(&w, "ComLaborKas");
        QVERIFY(stored("IdRzezni", "ZZ9").isEmpty());
        QCOMPARE(listedIds().size(), 5);

        RETYPE(&w, "TextSzuk", "nikt");
        scripted.ClearLog();
        PRESS(&w, "ComLaborKas");
        PRESS(&w, "ComLaborKor");
        QVERIFY(scripted.Log().isEmpty());
        verifyState(false);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The picker fills the batch frame by kind; "Z" leaves the establishment
    // alone, Nulls keep their separators, another kind writes nothing.
    void pick_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("client");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<Texts>("changes");
        QTest::newRow("W") << "W"
                           << "PL001" << false
                           << Texts{{"LabelNazZak", "Kowalski Jan, Łódź Długa 1, 90-001 Łódź"},
                                    {"LabTypWNI", "osoba prywatna"},
                                    {"TextZaklad", "PL001"},
                                    {"TextKodPIW", "1061"},
                                    {"TextMiejscowoscPobr", "Łódź"}};
        QTest::newRow("W, Nulls, double click")
            << "W"
            << "AB12" << true
            << Texts{{"LabelNazZak", "*Gwiazdka, Bór ,  Borowo"},
                     {"LabTypWNI", "siedziba stada"},
                     {"TextZaklad", "AB12"},
                     {"TextKodPIW", ""},
                     {"TextMiejscowoscPobr", "Bór"}};
        QTest::newRow("Z") << "Z"
                           << "O'B1" << false
                           << Texts{{"LabelNazZleceniodawca", "O'Brien Farm, Ostrów ,  "},
                                    {"TextZleceniodawcaWNI", "O'B1"}};
    }

    void pick()
    {
        QFETCH(QString, kind);
        QFETCH(QString, client);
        QFETCH(bool, doubleClick);
        QFETCH(Texts, changes);
        ui::ScriptedUi scripted;
        presetBatchFields();
        Texts expected = batchFields();
        expected.insert(changes);
        scripted.AnswerWindow("FormZaklad", [&](QWidget &) {
            QVERIFY(form().ComUzyj->isVisible());
            goTo("IdRzezni", client);
            if (doubleClick)
                DOUBLE_CLICK(&form(), "DBGridLekarz");
            else
                PRESS(&form(), "ComUzyj");
            QVERIFY(!form().isVisible());
        });
        openPicker(kind);
        QCOMPARE(batchFields(), expected);
        QCOMPARE(FormRequest, "");
        QVERIFY(!InitOnActivate);
        QVERIFY(form().ComUzyj->isHidden());
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Pick mode ends when the window closes by its button or its title bar;
    // the register opened from the main window then picks nothing. Esc does
    // nothing, and the title bar does not close an open frame.
    void closingEndsPickMode()
    {
        ui::ScriptedUi scripted;
        presetBatchFields();
        const Texts untouched = batchFields();
        for (bool titleBar : {false, true}) {
            scripted.AnswerWindow("FormZaklad", [titleBar](QWidget &) {
                QTest::keyClick(&form(), Qt::Key_Escape);
                QVERIFY(form().isVisible());
                PRESS(&form(), "ComLaborDod");
                form().close();
                QVERIFY(form().isVisible());
                PRESS(&form(), "ComAnuluj");
                if (titleBar)
                    form().close();
                else
                    PRESS(&form(), "ComLaborZamk");
                QVERIFY(!form().isVisible());
            });
            openPicker("W");
            QCOMPARE(FormRequest, "");
            QVERIFY(InitOnActivate);
        }
        FormZaklad &w = openRegister();
        goTo("IdRzezni", "PL001");
        DOUBLE_CLICK(&w, "DBGridLekarz");
        // "Użyj" is hidden here; its click sent anyway must pick nothing either.
        QVERIFY(w.ComUzyj->isHidden());
        Q_EMIT w.ComUzyj->clicked();
        QVERIFY(w.isVisible());
        QCOMPARE(batchFields(), untouched);
        SCRIPTED_UI_VERIFY(scripted);
    }
};

QTEST_MAIN(FormZakladTest)
#include "tst_FormZaklad.moc"
