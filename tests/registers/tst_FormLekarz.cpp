#include "FixtureTest.h"
#include "HeldFile.h"
#include "Press.h"
#include "RegisterTesting.h"

#include "batches/FormPartia.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "registers/FormLekarz.h"

#include <QComboBox>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>

#include <set>

namespace
{

FormLekarz &openVets()
{
    return OpenThroughDoor<FormLekarz>([] { FormLekarz::Open(); });
}

QList<QWidget *> browseControls(FormLekarz &w)
{
    return {w.ComLaborZamk, w.ComLaborKor, w.ComLaborKas,
            w.ComLaborDod,  w.DataLekarz,  w.DBGridLekarz};
}

void fillVet(FormLekarz &w, const QString &number, const QString &first, const QString &surname)
{
    RETYPE(&w, "TextLekarzNr", number);
    RETYPE(&w, "TextImie", first);
    RETYPE(&w, "TextNazwisko", surname);
    RETYPE(&w, "TextMiasto", " Kraków ");
}

constexpr int VetsPerWorkstation = 60;

// Adds vets through the register as its user does: "&Dodaj", the boxes typed,
// "Z&apisz"; false when a save did not close the frame.
bool addVets(FormLekarz &w, const QString &surname, int count)
{
    for (int i = 0; i < count; ++i) {
        w.ComLaborDod->click();
        QTest::keyClicks(w.TextLekarzNr, QString::number(i + 1));
        QTest::keyClicks(w.TextImie, QStringLiteral("Jan"));
        QTest::keyClicks(w.TextNazwisko, surname + QString::number(i));
        QTest::keyClicks(w.TextMiasto, QStringLiteral("Ryki"));
        w.ComLaborZap->click();
        if (!w.FrameLabor->isHidden())
            return false;
    }
    return true;
}

// The other workstation's part: it adds vets while this one does.
int otherWorkstationAddsVets(const QStringList &)
{
    FormLekarz &w = OpenThroughDoor<FormLekarz>([] { FormLekarz::Open(); });
    other_workstation::Ready();
    return addVets(w, QStringLiteral("Drugi"), VetsPerWorkstation) ? 0 : 1;
}

// The other workstation's part: the statements it is given, or else vets
// added while this one adds them.
int otherWorkstation(const QStringList &args)
{
    return args.isEmpty() ? otherWorkstationAddsVets(args)
                          : other_workstation::ExecuteStatements(args);
}

} // namespace

class FormLekarzTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private slots:
    // New vets are numbered highest + 1 from 1; each check of the save keeps
    // the frame open with its message and focus; a copy takes the practice
    // data and a number of its own.
    void addAndCopy()
    {
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        QCOMPARE(w.windowTitle(), "Lekarz");
        PRESS(&w, "ComLaborKor"); // empty list: a beep, no frame
        PRESS(&w, "ComKopiuj");
        PRESS(&w, "ComLaborKas");
        QVERIFY(w.FrameLabor->isHidden());

        PRESS(&w, "ComLaborDod");
        QCOMPARE(w.FrameLabor->title(), "NOWY LEKARZ");
        QCOMPARE(w.focusWidget(), w.TextLekarzNr);
        QVERIFY(BrowseControlsEnabled(browseControls(w), false));
        QVERIFY(w.ComKopiuj->isEnabled());
        QCOMPARE(w.MEBKodPoczt->Mask(), "##-###");
        scripted.Answer("OK");
        PRESS(w.FrameLabor, "ComLaborZap");
        QCOMPARE(scripted.Last().text,
                 "W polu kod lekarza wprować wartość numeryczną!\rUnikalny nr lekarza w PIW");
        QCOMPARE(scripted.Last().style, ui::vbInformation);
        QCOMPARE(scripted.Last().title, "INFORMACJA");
        QCOMPARE(w.focusWidget(), w.TextLekarzNr);
        fillVet(w, " 12 ", "Jan", "Nowak Kos");
        w.TextMiasto->setFocus();
        scripted.Answer("OK");
        PRESS(w.FrameLabor, "ComLaborZap");
        QVERIFY(scripted.Last().text.startsWith("W polu Imię i Nazwisko nie może"));
        QCOMPARE(w.focusWidget(), w.TextMiasto); // this check leaves the focus alone
        QVERIFY(w.FrameLabor->isVisible());
        QVERIFY(RegistersFixture::Rows("Lekarz").isEmpty());
        RETYPE(&w, "TextNazwisko", "Nowak-Kos");
        RETYPE(&w, "MEBKodPoczt", "31-100");
        RETYPE(&w, "TextMail", QString(40, 'e')); // the box takes the column's 30
        PRESS(w.FrameLabor, "ComLaborZap");
        QVERIFY(w.FrameLabor->isHidden());
        QVERIFY(BrowseControlsEnabled(browseControls(w), true));
        const QVariantMap first = StoredRow("Lekarz", "IDLekarz", 1);
        QCOMPARE(first.value("LekarzNr"), "12");
        QCOMPARE(first.value("Nazwisko"), "Nowak-Kos");
        QCOMPARE(first.value("Miasto"), "Kraków");
        QCOMPARE(first.value("KodPocztowy"), "31-100");
        QCOMPARE(first.value("Email"), QString(30, 'e'));
        QCOMPARE(first.value("Nazwa"), "");
        QCOMPARE(w.DataLekarz->Recordset()("IDLekarz").Value(), 1);

        RegistersFixture::AddRow("Lekarz", {{"IDLekarz", 7},
                                            {"Nazwa", "Gabinet Zdrowie"},
                                            {"Imie", "Ewa"},
                                            {"Nazwisko", "Zięba"},
                                            {"Miasto", "Łódź"},
                                            {"Telefon", "600"}});
        w.DataLekarz->Refresh();
        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 7));
        PRESS(&w, "ComKopiuj");
        QCOMPARE(w.FrameLabor->title(), " NOWY LEKARZ NA PODSTAWIE KOPII ");
        QCOMPARE(w.focusWidget(), w.TextImie);
        QCOMPARE(w.TextLekarzNr->text(), "");
        QCOMPARE(w.TextImie->text(), "");
        QCOMPARE(w.TextMiasto->text(), "Łódź");
        QCOMPARE(w.MEBKodPoczt->Text(), "");                        // Null leaves the box empty
        QCOMPARE(w.DataLekarz->Recordset()("IDLekarz").Value(), 7); // the list stays
        fillVet(w, "13", "Adam", "Zięba");
        PRESS(w.FrameLabor, "ComLaborZap");
        const QVariantMap copy = StoredRow("Lekarz", "IDLekarz", 8);
        QCOMPARE(copy.value("Nazwa"), "Gabinet Zdrowie");
        QCOMPARE(copy.value("Telefon"), "600");
        QCOMPARE(copy.value("KodPocztowy"), "");
        QCOMPARE(copy.value("Imie"), "Adam");

        // The top number, deleted, is given again.
        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 8));
        scripted.Answer("Yes");
        PRESS(&w, "ComLaborKas");
        QCOMPARE(scripted.Last().text, "Czy na pewno usunąć zaznaczone Lekarz?");
        QCOMPARE(scripted.Last().title, "PYTANIE");
        QCOMPARE(scripted.Last().style, 292);
        PRESS(&w, "ComLaborDod");
        QCOMPARE(w.TextID->text(), "8");
        QCOMPARE(w.DataLekarz->Recordset().Source(), "SELECT * FROM Lekarz ORDER BY IDLekarz");
        PRESS(w.FrameLabor, "ComLaborRez");
        QCOMPARE(RegistersFixture::Rows("Lekarz").size(), 2);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // A correction loads Nulls as empty boxes and is written into the row
    // it loaded: a refused save, the list moved meanwhile and a second save
    // change that row and nothing else.
    void correctionKeepsItsRow()
    {
        RegistersFixture::AddRow("Lekarz", {{"IDLekarz", 1}, {"LekarzNr", "5"}, {"Miasto", "Bór"}});
        RegistersFixture::AddRow("Lekarz", {{"IDLekarz", 2},
                                            {"LekarzNr", "6"},
                                            {"Imie", "Ola"},
                                            {"Nazwisko", "Lis"},
                                            {"Miasto", "Ryki"},
                                            {"KodPocztowy", "08500"}});
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 1));
        PRESS(&w, "ComLaborKor");
        QCOMPARE(w.FrameLabor->title(), "KOREKTA LEKARZA");
        QCOMPARE(w.focusWidget(), w.TextImie);
        QCOMPARE(w.TextImie->text(), "");
        const auto before = RegistersFixture::Rows("Lekarz");
        fillVet(w, "5", "Jan", "Kowal Nowak");
        scripted.Answer("OK");
        PRESS(w.FrameLabor, "ComLaborZap");
        QVERIFY(scripted.Last().text.startsWith("W polu Imię i Nazwisko nie może"));
        QVERIFY(w.FrameLabor->isVisible());
        QVERIFY(BrowseControlsEnabled(browseControls(w), false));
        QCOMPARE(RegistersFixture::Rows("Lekarz"), before);

        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 2));
        RETYPE(&w, "TextNazwisko", "Kowal");
        RETYPE(&w, "TextImie", "Piotr");
        PRESS(w.FrameLabor, "ComLaborZap");
        QCOMPARE(StoredRow("Lekarz", "IDLekarz", 1).value("Imie"), "Piotr");
        QCOMPARE(StoredRow("Lekarz", "IDLekarz", 2), before.at(1));
        QCOMPARE(w.DataLekarz->Recordset()("IDLekarz").Value(), 1);

        // A stored code that does not fit the mask is kept as it stands.
        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 2));
        PRESS(&w, "ComLaborKor");
        QCOMPARE(w.MEBKodPoczt->Text(), "08500");
        PRESS(w.FrameLabor, "ComLaborZap");
        QCOMPARE(StoredRow("Lekarz", "IDLekarz", 2).value("KodPocztowy"), "08500");
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Another workstation renames the vet or deletes him while his
    // correction is open: the save is refused with the engine's message and
    // nothing of the other's is lost; the frame stays open, and the list shows
    // the vet as he is now, as after a refused delete, also after "&Anuluj".
    void correctionOfAVetChangedElsewhereIsRefused_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("renamed") << "UPDATE Lekarz SET Nazwisko = 'Lis-Nowak' WHERE IDLekarz = 1"
                                 << "3197Inny użytkownik zmienił ten rekord, od kiedy został "
                                    "odczytany. Odśwież dane i spróbuj ponownie."
                                 << QStringList{"Lis-Nowak"};
        QTest::newRow("deleted") << "DELETE FROM Lekarz WHERE IDLekarz = 1"
                                 << "3167Rekord jest usunięty." << QStringList{};
    }

    void correctionOfAVetChangedElsewhereIsRefused()
    {
        QFETCH(QString, statement);
        QFETCH(QString, message);
        QFETCH(QStringList, listed);
        RegistersFixture::AddRow("Lekarz", {{"IDLekarz", 1},
                                            {"LekarzNr", "5"},
                                            {"Imie", "Ola"},
                                            {"Nazwisko", "Lis"},
                                            {"Miasto", "Ryki"}});
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 1));
        PRESS(&w, "ComLaborKor");
        fillVet(w, "5", "Ola", "Kowal");
        QVERIFY(other_workstation::Run({statement}));
        const auto others = RegistersFixture::Rows("Lekarz");
        scripted.Answer("OK");
        PRESS(w.FrameLabor, "ComLaborZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().title, "Powiadom programistę!");
        QCOMPARE(scripted.Last().text, message);
        QCOMPARE(RegistersFixture::Rows("Lekarz"), others);
        QVERIFY(w.FrameLabor->isVisible());
        PRESS(w.FrameLabor, "ComLaborRez");
        QCOMPARE(Shown(w.DBGridLekarz, 3), listed);
    }

    // A vet another workstation deleted: "&Usuń" is refused with the
    // engine's message and he leaves the list, as after one's own delete,
    // instead of staying as an empty line.
    void vetDeletedElsewhereLeavesTheList()
    {
        RegistersFixture::AddRow("Lekarz", {{"IDLekarz", 1}, {"LekarzNr", "5"}});
        RegistersFixture::AddRow("Lekarz", {{"IDLekarz", 2}, {"LekarzNr", "6"}});
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        QVERIFY(GoTo(w.DataLekarz, "IDLekarz", 1));
        QVERIFY(other_workstation::Run({"DELETE FROM Lekarz WHERE IDLekarz = 1"}));
        scripted.Answer("Yes");
        scripted.Answer("OK");
        PRESS(&w, "ComLaborKas");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text, "3167Rekord jest usunięty.");
        QCOMPARE(Shown(w.DBGridLekarz, 0), QStringList{"6"});
    }

    // Closing refills the batch window's vet list. The title bar closes as
    // "&Zamknij" does, not while a frame is open; Esc does nothing.
    void closingRefillsTheBatchList()
    {
        FormPartia &batch = ui::WindowRegistry::Instance<FormPartia>();
        QSignalSpy announced(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged);
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        PRESS(&w, "ComLaborDod");
        fillVet(w, "1", "Jan", "Nowak");
        PRESS(w.FrameLabor, "ComLaborZap");
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        PRESS(&w, "ComLaborDod");
        w.close();
        QVERIFY(w.isVisible());
        PRESS(w.FrameLabor, "ComLaborRez");
        QVERIFY(announced.isEmpty());
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.at(0).at(0), "Lekarz");
        QVERIFY(batch.ComboLekarz->findText("Jan Nowak") >= 0);

        w.show();
        PRESS(&w, "ComLaborDod");
        fillVet(w, "2", "Ewa", "Lis");
        PRESS(w.FrameLabor, "ComLaborZap");
        PRESS(&w, "ComLaborZamk");
        QVERIFY(batch.ComboLekarz->findText("Ewa Lis") >= 0);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The first name, surname and telephone boxes take no more than their
    // columns hold, so a long text typed is saved as far as it was taken.
    void typedTextsStopAtTheirColumns()
    {
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        PRESS(&w, "ComLaborDod");
        TYPE(&w, "TextLekarzNr", "12");
        TYPE(&w, "TextImie", QString(40, u'a'));
        TYPE(&w, "TextNazwisko", QString(60, u'b'));
        TYPE(&w, "TextMiasto", "Ryki");
        TYPE(&w, "TextTelefon", QString(60, u'6'));
        QCOMPARE(w.TextImie->text(), QString(30, u'a'));
        PRESS(w.FrameLabor, "ComLaborZap");
        QVERIFY(w.FrameLabor->isHidden());
        const QVariantMap vet = StoredRow("Lekarz", "IDLekarz", 1);
        QCOMPARE(vet.value("Imie"), QString(30, u'a'));
        QCOMPARE(vet.value("Nazwisko"), QString(50, u'b'));
        QCOMPARE(vet.value("Telefon"), QString(50, u'6'));
        SCRIPTED_UI_VERIFY(scripted);
    }

    void eachWriteWaitsOnceWhileTheFileIsHeld_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<other_workstation::Holder::How>("hold");
        const auto reading = other_workstation::Holder::Reading;
        const auto writing = other_workstation::Holder::Writing;
        QTest::newRow("new vet, file being read") << "ComLaborDod"
                                                  << "ComLaborZap" << QStringList{} << reading;
        QTest::newRow("new vet") << "ComLaborDod"
                                 << "ComLaborZap" << QStringList{} << writing;
        QTest::newRow("correction") << "ComLaborKor"
                                    << "ComLaborZap" << QStringList{} << writing;
        QTest::newRow("starting a new vet") << ""
                                            << "ComLaborDod" << QStringList{} << writing;
        QTest::newRow("vet deleted") << ""
                                     << "ComLaborKas" << QStringList{"Yes"} << writing;
    }

    // While another workstation holds the dictionaries, every write of the
    // register waits for it once, the window drawn meanwhile included, and is
    // refused with one box; the frame keeps what was typed, the list shows
    // what it showed, and a save goes through once the other workstation has
    // let go.
    void eachWriteWaitsOnceWhileTheFileIsHeld()
    {
        QFETCH(QString, opening);
        QFETCH(QString, button);
        QFETCH(QStringList, answers);
        QFETCH(other_workstation::Holder::How, hold);
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        PRESS(&w, "ComLaborDod");
        fillVet(w, "12", "Jan", "Nowak");
        PRESS(w.FrameLabor, "ComLaborZap");
        const QList<QVariantMap> before = RegistersFixture::Rows("Lekarz");
        if (!opening.isEmpty())
            PRESS(&w, qPrintable(opening));
        if (opening == QLatin1String("ComLaborDod"))
            fillVet(w, "13", "Ewa", "Lis");
        else if (opening == QLatin1String("ComLaborKor"))
            RETYPE(&w, "TextImie", "Janusz");
        const QString problem = other_workstation::PressWhileHeld(&w, qPrintable(button), StaleDb,
                                                                  hold, scripted, answers);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(w.DBGridLekarz->model()->rowCount(), 1);
        QCOMPARE(RegistersFixture::Rows("Lekarz"), before);
        if (button != QLatin1String("ComLaborZap"))
            return;
        QVERIFY(w.FrameLabor->isVisible());
        PRESS(w.FrameLabor, "ComLaborZap");
        QVERIFY(w.FrameLabor->isHidden());
        QCOMPARE(w.DBGridLekarz->model()->rowCount(), RegistersFixture::Rows("Lekarz").size());
        QVERIFY(RegistersFixture::Rows("Lekarz") != before);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Two workstations adding vets at once never store one number twice:
    // each save takes its number when it writes, whatever "&Dodaj" proposed.
    void twoWorkstationsAddingVetsNeverShareANumber()
    {
        ui::ScriptedUi scripted;
        FormLekarz &w = openVets();
        QProcess other;
        QVERIFY(other_workstation::Start(other, {}));
        QVERIFY(addVets(w, QStringLiteral("Pierwszy"), VetsPerWorkstation));
        QVERIFY(other.waitForFinished(300000));
        QCOMPARE(other.exitStatus(), QProcess::NormalExit);
        QCOMPARE(other.exitCode(), 0);

        const QList<QVariantMap> vets = RegistersFixture::Rows("Lekarz");
        QCOMPARE(vets.size(), 2 * VetsPerWorkstation);
        std::set<qint64> numbers;
        for (const QVariantMap &vet : vets)
            numbers.insert(vet.value("IDLekarz").toLongLong());
        QCOMPARE(int(numbers.size()), 2 * VetsPerWorkstation);
        QCOMPARE(*numbers.rbegin(), 2 * VetsPerWorkstation);
        SCRIPTED_UI_VERIFY(scripted);
    }
};

int main(int argc, char **argv)
{
    int exitCode = 0;
    if (other_workstation::RanAsHolder(argc, argv, exitCode) ||
        other_workstation::RanAsOther(argc, argv, exitCode, otherWorkstation))
        return exitCode;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    FormLekarzTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_FormLekarz.moc"
