#include "ClabFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "foundation/Globals.h"
#include "foundation/frmLoginLab.h"
#include "platform/db/dao.h"
#include "platform/fs/Cp1250.h"
#include "platform/shell/ShellRecorder.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/ClabHosts.h"
#include "reports/ClabJournal.h"
#include "reports/ClabPrecheck.h"
#include "reports/ClabSettings.h"
#include "reports/FormCLab.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cstdlib>

using F = ClabFixture;

namespace
{

const QString CodesKey = QStringLiteral("MervaskLab");
const char *const OtherWorkstation = "--other-workstation";
const char *const KilledExport = "--killed-export";
const QString DayFolder = QStringLiteral("C:\\MervaskLab\\Eksport\\20240305\\");
const QString Chosen = DayFolder + QStringLiteral("eksport marca");
const QString Question = QStringLiteral(
    "Eksport danych zakończony powodzeniem!\rDane zapisano w pliku: C:\\MervaskLab\\Eksport\\"
    "20240305\\eksport marca\rCzy połączyć się teraz z serwisem www, w celu załadowania danych "
    "na serwer CLab?");

// Opens the export window as the main window does and acts in it.
void inWindow(ui::ScriptedUi &ui, const std::function<void(FormCLab &)> &action)
{
    ui.AnswerWindow(QStringLiteral("FormCLab"),
                    [&](QWidget &window) { action(static_cast<FormCLab &>(window)); });
    FormCLab::Open(F::Day.toString(QStringLiteral("dd.MM.yyyy")));
}

void signIn(const QString &kind)
{
    ui::WindowRegistry::Instance<frmLoginLab>().TextOperatRodz->setText(kind);
}

QStringList messages(const ui::ScriptedUi &ui)
{
    QStringList shown;
    for (const ui::ShownDialog &dialog : ui.Log()) {
        if (dialog.kind == ui::ShownDialog::Message)
            shown << dialog.title + QStringLiteral(": ") + dialog.text;
    }
    return shown;
}

bool exists(const QString &windowsPath)
{
    return QFile::exists(F::Real(windowsPath));
}

// The archive's listing by the packer itself, once it has finished.
QString listing(const QString &zip)
{
    QProcess sevenZip;
    sevenZip.start(QStringLiteral("7za"), {QStringLiteral("l"), zip});
    sevenZip.waitForFinished(-1);
    return sevenZip.exitCode() == 0 ? QString::fromUtf8(sevenZip.readAllStandardOutput())
                                    : QString();
}

// The other workstation's "&Zapisz" of the code frame: it reads the row,
// changes the method code and saves.
int otherWorkstationSavesCodes(const QString &staleFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(staleFile);
        const std::optional<ClabSettings::StoredCodes> read = ClabSettings::Stored(db, CodesKey);
        ClabCodeSet codes = ClabSettings::Shown(read);
        codes.cmetoda1 = QStringLiteral("56002");
        ClabSettings::Save(db, CodesKey, read ? std::optional(read->row) : std::nullopt, codes);
        db.Close();
    } catch (const RuntimeError &error) {
        qWarning("%s", error.what());
        return 1;
    }
    return 0;
}

// An export stopped while its document waits for the rename: the work file
// is complete and its lock is left behind by a process that is gone.
int exportKilledBeforeRename(const QString &workFile)
{
    QLockFile lock(workFile + QStringLiteral(".lock"));
    QFile work(workFile);
    if (!lock.tryLock(0) || !work.open(QIODevice::WriteOnly))
        return 1;
    work.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n</celab>\r\n");
    work.flush();
    std::_Exit(0);
}

// Ctrl+A in the field, so that what is typed next replaces its text.
void selectAll(QWidget *field)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
}

QString storedCode(const char *field)
{
    const QList<QVariant> values =
        F::Column(StaleDb, QStringLiteral("SELECT * FROM CLab"), QLatin1String(field));
    return values.size() == 1 ? values.first().toString()
                              : QStringLiteral("<rows: %1>").arg(values.size());
}

} // namespace

// The export window through its buttons: the refusals, the results check,
// an export with its document, journal line, archive and upload question,
// the packer failing, a second start during a run, the code settings and
// the journal viewer.
class tst_FormCLab : public FixtureTest<ClabFixture>
{
    Q_OBJECT

    void Prepare() override
    {
        StaleDb.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok = '052', KodLok2 = 'R01'"));
        signIn(QStringLiteral("Administrator"));
        F::AddOfficialBatch(QStringLiteral("Ubojnia Świt"));
    }

private slots:
    // Each refusal names its reason and leaves no file behind.
    void refusals()
    {
        const auto refused = [](const std::function<void(FormCLab &)> &set, const QString &shown) {
            ui::ScriptedUi ui;
            ui.Answer(QStringLiteral("OK"));
            inWindow(ui, [&](FormCLab &form) {
                set(form);
                PRESS(&form, "ComDrukuj");
            });
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(messages(ui), QStringList{shown});
            QVERIFY(!exists(ClabPrecheck::MissingReport));
        };
        signIn(QStringLiteral(" operator "));
        refused([](FormCLab &) {},
                QStringLiteral("OSTRZEŻENIE: Nie masz uprawnień do eksportowania danych!"));
        signIn(QStringLiteral("Asystent"));
        StaleDb.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok2 = Null"));
        refused([](FormCLab &form) { RETYPE(&form, "ComboPartia", QStringLiteral("7")); },
                QStringLiteral("OSTRZEŻENIE: Brak kodu stanowiska zamiejscowego!\r"
                               "W oknie głównym programu kliknij przycisk Użytkownik i uzupełnij "
                               "kod stanowiska zamiejscowego!\rPełna lista kodów znajduje się w "
                               "pliku: C:\\MervaskLAB\\KodyStanowiskZamiejscowych.doc"));
        StaleDb.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok2 = 'R01'"));
        refused(
            [](FormCLab &form) {
                RETYPE(&form, "ComboPartia", QStringLiteral("7"));
                RETYPE(&form, "MebOd", QStringLiteral("06.03.2024"));
            },
            QStringLiteral("Data: Źle ustawiony zakres dat! Popraw!"));
        refused([](FormCLab &form) { RETYPE(&form, "MebDo", QStringLiteral("31.02.2024")); },
                QStringLiteral("Zestawienie: 13Niezgodność typów."));
        // A key missing, or still holding the installer's placeholder, is
        // named before any file is asked for.
        const auto configured = [](const QByteArray &keys) {
            QFile ini(F::Real(QStringLiteral("T:\\mervasklab.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("STALE=T:\\Dane\\\r\n" + keys);
        };
        const QString missing =
            QStringLiteral("OSTRZEŻENIE: Brak adresu serwera CLab w pliku T:\\mervasklab.ini!"
                           "\rUzupełnij klucz %1 i uruchom eksport ponownie.");
        configured("CLABSERWIS=https://clab.example.org\r\n");
        refused([](FormCLab &) {}, missing.arg(QStringLiteral("CLABSCHEMAT")));
        configured("CLABSCHEMAT=https://clab.example.org\r\nCLABSERWIS= https://CLAB.Invalid/\r\n");
        refused([](FormCLab &) {}, missing.arg(QStringLiteral("CLABSERWIS")));
        // Every key still to be filled in is named at once.
        const QString bothMissing =
            QStringLiteral("OSTRZEŻENIE: Brak adresów serwera CLab w pliku T:\\mervasklab.ini!"
                           "\rUzupełnij klucze CLABSCHEMAT i CLABSERWIS, a potem uruchom eksport "
                           "ponownie.");
        configured("CLABSCHEMAT=https://clab.invalid\r\nCLABSERWIS=https://clab.invalid\r\n");
        refused([](FormCLab &) {}, bothMissing);
        configured("CLABSCHEMAT=clab.invalid\r\nCLABSERWIS=HTTPS://Clab.Invalid.\r\n");
        refused([](FormCLab &) {}, bothMissing);
        configured("");
        refused([](FormCLab &) {}, bothMissing);
    }

    // A host in the reserved domain, however the address is written, is a
    // placeholder; a real host that merely contains the word is not.
    void placeholderAddresses()
    {
        for (const char *address :
             {"https://clab.invalid", "clab.invalid", "https://clab.invalid.", "CLAB.INVALID.",
              "https://user@clab.invalid:8443/usluga?x=1", "//invalid", "http://a.b.invalid../",
              "https://clab\u3002invalid", "https://clab.invalid%2E", "clab.invalid:443",
              "https:clab.invalid", "HTTPS:CLAB.INVALID.:443"})
            QVERIFY2(ClabHosts::IsPlaceholder(QString::fromUtf8(address)), address);
        for (const char *address :
             {"https://clab.example.org", "clab.example.org", "https://invalid.example.org/",
              "https://clabinvalid", "https://clab.example.org/clab.invalid",
              "https://clab.invalid.example.org", "https:clab.example.org", "clab.example.org:443"})
            QVERIFY2(!ClabHosts::IsPlaceholder(QString::fromUtf8(address)), address);
    }

    // A laboratory code that is no number ends the run in the error path
    // before a file is asked for.
    void laboratoryCodeNotANumber()
    {
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) {
            RETYPE(&form, "TextLok", QStringLiteral("O52"));
            PRESS(&form, "ComDrukuj");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(messages(ui),
                 QStringList{"EKSPORT DO PLIKU: Błąd eksportu! 13Niezgodność typów."});
        QVERIFY(!exists(QStringLiteral("C:\\MervaskLab\\Eksport\\TmpLcPr1.txt")));
    }

    // Missing and doubtful results stop the run with both boxes, missing
    // first; the reports are on disk and no file is asked for.
    void resultsCheckStops()
    {
        F::AddBatch(8);
        F::AddSample(8, {{QStringLiteral("IDProbki"), QStringLiteral("A1")}});
        F::AddSample(8, {{QStringLiteral("IDProbki"), QStringLiteral("A2")},
                         {QStringLiteral("Wynik"), QStringLiteral("odstąpienie")}});
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) {
            PRESS(&form, "ComDrukuj");
            QVERIFY(form.FrameCzekaj->isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log()[1].style, 64);
        QCOMPARE(ui.Log()[1].text,
                 QStringLiteral("Przerywam eksport danych z powodu braku wyników!\r"
                                "Ilość próbek ogółem: 4\rBrak wyników badań w ilości: 1 dla "
                                "MervaskLab!\rRaport braków został zapisany do C:\\MervaskLab\\"
                                "Eksport\\WynikBrakMervaskLab.txt"));
        QCOMPARE(ui.Log()[2].style, 48);
        QCOMPARE(ui.Log()[2].title, QStringLiteral("UWAGA!"));
        QVERIFY(ui.Log()[2].text.startsWith(QStringLiteral("Przerywam eksport danych z powodu "
                                                           "wystąpienia wyniku wątpliwego")));
        QCOMPARE(F::ReadAll(ClabPrecheck::MissingReport),
                 QByteArray("Partia: 8, Pr\xF3\x62ka nr: A1\r\n"));
        QCOMPARE(
            F::ReadAll(ClabPrecheck::DoubtfulReport),
            fs::Cp1250::Encode(QStringLiteral("Partia: 8, Próbka nr: A2, Wynik: odstąpienie\r\n")));
        QVERIFY(!exists(QStringLiteral("C:\\MervaskLab\\Eksport\\TmpLcPr1.txt")));

        // A period without fair copies.
        ui::ScriptedUi empty;
        empty.Answer(QStringLiteral("OK"));
        inWindow(empty, [](FormCLab &form) {
            RETYPE(&form, "MebOd", QStringLiteral("01.03.2024"));
            RETYPE(&form, "MebDo", QStringLiteral("04.03.2024"));
            PRESS(&form, "ComDrukuj");
        });
        SCRIPTED_UI_VERIFY(empty);
        QCOMPARE(messages(empty), QStringList{"EKSPORT do CLab: Brak danych do eksportu!"});
    }

    // A whole export: the document, the journal line, the counters, the
    // archive made by the packer beside the document (a name with blanks),
    // and the upload page on Yes.
    void exportAndPack()
    {
        shell::ShellRecorder shell(shell::ShellRecorder::Mode::PassThrough);
        ui::ScriptedUi ui;
        ui.AnswerFile(Chosen);
        ui.Answer(QStringLiteral("No"));
        inWindow(ui, [](FormCLab &form) {
            QCOMPARE(form.ComboPartia->currentText(), QStringLiteral("wszystkie"));
            QCOMPARE(form.TextLok->text(), QStringLiteral("052"));
            const QSize before = form.size();
            PRESS(&form, "ComDrukuj");
            // The wait and progress frames are gone and leave no gaps behind.
            QTRY_COMPARE(form.size(), before);
            QCOMPARE(form.TextIlProbek->text(), QStringLiteral("2"));
            QCOMPARE(form.LabIl->text(), QStringLiteral("2"));
            QCOMPARE(form.LabTab->text(), QStringLiteral("7"));
            QCOMPARE(form.ProgressBar1->value(), form.ProgressBar1->maximum());
            QVERIFY(form.FrameDoWIW->isHidden());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log()[1].value, DayFolder + QStringLiteral("MervaskLab_Od20240305Do20240305"));
        QCOMPARE(ui.Log()[1].filterIndex, 2);
        QCOMPARE(ui.Log()[2].text, Question);
        QCOMPARE(ui.Log()[2].style, 4 + 32 + 256);
        QCOMPARE(ui.Log().size(), 3);

        const QByteArray document = F::ReadAll(Chosen);
        QVERIFY(document.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r<celab xmlns="
                                    "\"https://clab.example.org/schema/celab-probki\""));
        QVERIFY(document.contains("<czlec1_knt_nazwa>Ubojnia \xC5\x9Awit</czlec1_knt_nazwa>"));
        QCOMPARE(F::ReadAll(ClabJournal::Path),
                 fs::Cp1250::Encode(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) +
                                    QStringLiteral("      ") + Chosen +
                                    QStringLiteral("      Wąsik\r\n")));
        QCOMPARE(shell.Calls().size(), 1);
        QCOMPARE(shell.Calls()[0].arguments,
                 QStringList({"a", "eksport marca.zip", "eksport marca"}));
        QCOMPARE(shell.Calls()[0].workingFolder, F::Real(DayFolder));
        const QString zip = F::Real(Chosen + QStringLiteral(".zip"));
        QTRY_VERIFY_WITH_TIMEOUT(listing(zip).contains(QStringLiteral(" eksport marca\n")), 20000);

        // Yes hands the upload page to the browser.
        shell::ShellRecorder recorded;
        ui::ScriptedUi again;
        again.AnswerFile(Chosen);
        again.Answer(QStringLiteral("Yes"));
        inWindow(again, [](FormCLab &form) { PRESS(&form, "ComDrukuj"); });
        SCRIPTED_UI_VERIFY(again);
        QCOMPARE(recorded.Calls().size(), 2);
        QCOMPARE(recorded.Calls()[1].program, QStringLiteral("xdg-open"));
        QCOMPARE(recorded.Calls()[1].arguments,
                 QStringList{"https://clab.example.org/serwis/importCelabP.jsp"});
    }

    // A packer that cannot start is reported; the document and its journal
    // line are there, no success is claimed. Cancelling the file choice
    // makes nothing at all.
    void packerFailsAndCancel()
    {
        const QString packer = F::Real(QStringLiteral("C:\\MervaskLab\\7za.exe"));
        QVERIFY(QFile::remove(packer));
        QFile broken(packer);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a program");
        broken.close();
        ui::ScriptedUi ui;
        ui.AnswerFile(Chosen);
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) { PRESS(&form, "ComDrukuj"); });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().last().title, QStringLiteral("EKSPORT DO PLIKU"));
        QVERIFY(ui.Log().last().text.startsWith(
            QStringLiteral("Błąd dostępu do ścieżki/pliku!\rSpróbuj ponownie!\r75")));
        QVERIFY(F::ReadAll(Chosen).endsWith("</celab>\r\n"));
        QCOMPARE(ClabJournal::Read().count(u'\n'), 1);

        QVERIFY(QFile::remove(F::Real(Chosen)));
        QVERIFY(QFile::remove(F::Real(ClabJournal::Path)));
        QDir(F::Real(QStringLiteral("C:\\MervaskLab\\Eksport"))).removeRecursively();
        ui::ScriptedUi cancel;
        cancel.CancelFile();
        inWindow(cancel, [](FormCLab &form) { PRESS(&form, "ComDrukuj"); });
        SCRIPTED_UI_VERIFY(cancel);
        QVERIFY(messages(cancel).isEmpty());
        QVERIFY(!exists(QStringLiteral("C:\\MervaskLab\\Eksport\\TmpLcPr1.txt")));
        QVERIFY(!exists(ClabJournal::Path));
        QVERIFY(QDir(F::Real(DayFolder)).isEmpty());
    }

    // Starting again or closing while the run repaints changes nothing:
    // one document, one journal line, the window stays.
    void secondPressDuringRunIgnored()
    {
        shell::ShellRecorder shell;
        ui::ScriptedUi ui;
        ui.AnswerFile(Chosen);
        ui.Answer(QStringLiteral("No"));
        bool pressed = false;
        inWindow(ui, [&](FormCLab &form) {
            QTimer::singleShot(0, &form, [&] {
                form.ComDrukuj->click();
                form.ComAnuluj->click();
                pressed = true;
            });
            PRESS(&form, "ComDrukuj");
            QVERIFY(pressed);
            QVERIFY(form.isVisible());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ClabJournal::Read().count(u'\n'), 1);
        QCOMPARE(shell.Calls().size(), 1);
    }

    // The code frame: defaults, the refusal of an incomplete frame, a save
    // that the next activation reads back; the journal viewer.
    void codesAndJournal()
    {
        ClabJournal::Append(QStringLiteral("01.03.2024      C:\\x      Wąsik"));
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) {
            QCOMPARE(form.TextTypBad1MervaskLab->text(), QStringLiteral("476001"));
            QCOMPARE(form.TextTypBad2OpisMervaskLab->text(), QStringLiteral("Badanie usługowe"));
            QCOMPARE(form.TextCkierunek1OpisMervaskLab->text(), QStringLiteral("Włośnica"));
            QCOMPARE(form.TextCmetoda1MervaskLab->maxLength(), 10);
            RETYPE(&form, "TextCmetoda1MervaskLab", QString());
            PRESS(&form, "ComFrCKier");
            QCOMPARE(form.focusWidget(), form.TextTypBad1MervaskLab);
            QCOMPARE(F::RowCount(StaleDb, QStringLiteral("CLab")), 0);
            RETYPE(&form, "TextCmetoda1MervaskLab", QStringLiteral("99"));
            RETYPE(&form, "TextTypBad2MervaskLab", QStringLiteral("77"));
            PRESS(&form, "ComFrCKier");

            const QSize before = form.size();
            PRESS(&form, "ComDziennik");
            QVERIFY(form.FrameExport->isVisibleTo(&form));
            QCOMPARE(form.TextExport->toPlainText(),
                     QStringLiteral("01.03.2024      C:\\x      Wąsik\n"));
            PRESS(&form, "Command1");
            QVERIFY(form.FrameExport->isHidden());
            QTRY_COMPARE(form.size(), before);
            QVERIFY(form.TextExport->toPlainText().isEmpty());
            RETYPE(&form, "TextCmetoda1MervaskLab", QString());
            RETYPE(&form, "TextTypBad2MervaskLab", QString());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(messages(ui), QStringList{"INFORMACJA: Brak kompletu danych dotyczących typu "
                                           "badania, metody i kierunku badań! Uzupełnij!"});
        ui::ScriptedUi again;
        inWindow(again, [](FormCLab &form) {
            QCOMPARE(form.TextCmetoda1MervaskLab->text(), QStringLiteral("99"));
            QCOMPARE(form.TextTypBad2MervaskLab->text(), QStringLiteral("77"));
        });
        SCRIPTED_UI_VERIFY(again);
    }

    // A save of the code frame writes only over the row as the frame read
    // it: a row that another workstation saved (or added) meanwhile is kept,
    // and the save is refused with the engine's text.
    void codesChangedElsewhereAreKept()
    {
        const auto otherSaves = [] {
            QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(),
                                       {QLatin1String(OtherWorkstation), StaleDb.Name()}),
                     0);
        };
        for (const bool rowAtStart : {true, false}) {
            StaleDb.Execute(QStringLiteral("DELETE FROM CLab"));
            if (rowAtStart)
                ClabSettings::Save(StaleDb, CodesKey, std::nullopt, ClabSettings::Defaults());
            ui::ScriptedUi ui;
            ui.Answer(QStringLiteral("OK"));
            inWindow(ui, [&](FormCLab &form) {
                otherSaves();
                TYPE(&form, "TextCkierunek1OpisMervaskLab", " trzody");
                PRESS(&form, "ComFrCKier");
            });
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(messages(ui),
                     QStringList{"EXPORT: 3197Inny użytkownik zmienił ten rekord, od kiedy został "
                                 "odczytany. Odśwież dane i spróbuj ponownie."});
            QCOMPARE(storedCode("cmetoda1"), QStringLiteral("56002"));
            QCOMPARE(storedCode("OpisCKierunek1"), QStringLiteral("Włośnica"));
        }
        // Read anew, the frame saves.
        ui::ScriptedUi again;
        inWindow(again, [](FormCLab &form) {
            QCOMPARE(form.TextCmetoda1MervaskLab->text(), QStringLiteral("56002"));
            TYPE(&form, "TextCkierunek1OpisMervaskLab", " trzody");
            PRESS(&form, "ComFrCKier");
        });
        SCRIPTED_UI_VERIFY(again);
        QCOMPARE(storedCode("OpisCKierunek1"), QStringLiteral("Włośnica trzody"));
        QCOMPARE(storedCode("cmetoda1"), QStringLiteral("56002"));
    }

    // A code table of seven columns (no service-test code) shows and exports
    // what it holds; an export that needs a code the frame lacks stops
    // before any file is asked for, naming the box, and writes nothing.
    void emptyCodeIsNeverExported()
    {
        for (const char *column : {"TypBad2", "OpisTypBad2"})
            StaleDb.Execute(QStringLiteral("ALTER TABLE CLab DROP COLUMN ") +
                            QLatin1String(column));
        F::AddRow(StaleDb, QStringLiteral("CLab"),
                  {{QStringLiteral("Klucz"), CodesKey},
                   {QStringLiteral("TypBad1"), QStringLiteral("476001")},
                   {QStringLiteral("cmetoda1"), QStringLiteral("56001")},
                   {QStringLiteral("ckierunek1"), QVariant()}});
        F::AddBatch(9, {{QStringLiteral("Platnik"), QStringLiteral("P")}});
        F::AddSample(9, {{QStringLiteral("NrOgolny"), 125},
                         {QStringLiteral("NazTkanka"), QStringLiteral("filary przepony")},
                         {QStringLiteral("Gatunek"), QStringLiteral("świnie")},
                         {QStringLiteral("Plec"), QStringLiteral("tucznik")},
                         {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
        shell::ShellRecorder shell;
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) {
            QCOMPARE(form.TextTypBad1MervaskLab->text(), QStringLiteral("476001"));
            QCOMPARE(form.TextTypBad2MervaskLab->text(), QStringLiteral("63001"));
            QCOMPARE(form.TextCmetoda1MervaskLab->text(), QStringLiteral("56001"));
            QCOMPARE(form.TextCkierunek1MervaskLab->text(), QString());
            PRESS(&form, "ComDrukuj");
            QCOMPARE(form.focusWidget(), form.TextCkierunek1MervaskLab);
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(messages(ui),
                 QStringList{"OSTRZEŻENIE: Brak kodu CLab w polu: Kierunek!\rUzupełnij kod w "
                             "ramce TYPY I METODY BADAŃ WG SŁOWNIKA CLAB i uruchom eksport "
                             "ponownie."});
        QVERIFY(!exists(DayFolder));
        QVERIFY(!exists(QStringLiteral("C:\\MervaskLab\\Eksport\\TmpLcPr1.txt")));
        QVERIFY(!exists(ClabJournal::Path));

        // The service batch needs its own test type too.
        ui::ScriptedUi service;
        service.Answer(QStringLiteral("OK"));
        inWindow(service, [](FormCLab &form) {
            TYPE(&form, "TextCkierunek1MervaskLab", "319001");
            selectAll(form.TextTypBad2MervaskLab);
            TYPE(&form, "TextTypBad2MervaskLab", "   ");
            PRESS(&form, "ComDrukuj");
        });
        SCRIPTED_UI_VERIFY(service);
        QCOMPARE(messages(service).size(), 1);
        QVERIFY(messages(service)[0].startsWith(
            QStringLiteral("OSTRZEŻENIE: Brak kodu CLab w polu: Typ badania (badania usługowe)!")));
        QVERIFY(!exists(DayFolder));

        // With every code there, both test types go out. Opening the window
        // again reads the codes anew.
        ui::ScriptedUi complete;
        complete.AnswerFile(Chosen);
        complete.Answer(QStringLiteral("No"));
        inWindow(complete, [](FormCLab &form) {
            QCOMPARE(form.TextTypBad2MervaskLab->text(), QStringLiteral("63001"));
            TYPE(&form, "TextCkierunek1MervaskLab", "319001");
            PRESS(&form, "ComDrukuj");
        });
        SCRIPTED_UI_VERIFY(complete);
        QCOMPARE(complete.Last().text, Question);
        const QByteArray document = F::ReadAll(Chosen);
        QCOMPARE(document.count("<czlec1_typ>476001</czlec1_typ>"), 3);
        QCOMPARE(document.count("<czlec1_typ>63001</czlec1_typ>"), 2);
        QCOMPARE(document.count("<ckierunek1_id>319001</ckierunek1_id>"), 5);
    }

    // A choice that cannot be opened still empties the reports of the run
    // before, so that they never describe another choice.
    void failedBatchChoiceLeavesNoOldReports()
    {
        F::AddSample(7, {{QStringLiteral("IDProbki"), QStringLiteral("A1")}});
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) {
            PRESS(&form, "ComDrukuj");
            QCOMPARE(F::ReadAll(ClabPrecheck::MissingReport),
                     QByteArray("Partia: 7, Pr\xF3\x62ka nr: A1\r\n"));
            selectAll(form.ComboPartia->lineEdit());
            TYPE(&form, "ComboPartia", "abc");
            PRESS(&form, "ComDrukuj");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("EKSPORT DO PLIKU"));
        QVERIFY2(ui.Last().text.startsWith(QStringLiteral("Błąd eksportu! 3075")),
                 qPrintable(ui.Last().text));
        QCOMPARE(F::ReadAll(ClabPrecheck::MissingReport), QByteArray());
        QCOMPARE(F::ReadAll(ClabPrecheck::DoubtfulReport), QByteArray());
    }

    // A remote-station code of blanks is no code.
    void blankStationCodeIsRefused()
    {
        StaleDb.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok2 = '   '"));
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) { PRESS(&form, "ComDrukuj"); });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(messages(ui).size(), 1);
        QVERIFY(messages(ui)[0].startsWith(
            QStringLiteral("OSTRZEŻENIE: Brak kodu stanowiska zamiejscowego!")));
        QVERIFY(!exists(ClabPrecheck::MissingReport));
    }

    // A document left under its work name by an export stopped before the
    // rename is removed by the next export into that folder; the work file
    // of an export still running is left alone.
    void abandonedWorkFileIsRemovedByNextExport()
    {
        QVERIFY(QDir().mkpath(F::Real(DayFolder)));
        const QString abandoned =
            F::Real(DayFolder + QStringLiteral("~eksport marca.0123456789ab.clabtmp"));
        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(),
                                   {QLatin1String(KilledExport), abandoned}),
                 0);
        QVERIFY(QFile::exists(abandoned));
        QVERIFY(QFile::exists(abandoned + QStringLiteral(".lock")));
        const QString running = F::Real(DayFolder + QStringLiteral("~inny.ba9876543210.clabtmp"));
        QLockFile runningLock(running + QStringLiteral(".lock"));
        QVERIFY(runningLock.tryLock(0));
        QVERIFY(QFile(running).open(QIODevice::WriteOnly));

        shell::ShellRecorder shell;
        ui::ScriptedUi ui;
        ui.AnswerFile(Chosen);
        ui.Answer(QStringLiteral("No"));
        inWindow(ui, [](FormCLab &form) { PRESS(&form, "ComDrukuj"); });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text, Question);
        QStringList files = QDir(F::Real(DayFolder)).entryList(QDir::Files | QDir::Hidden);
        files.sort();
        QCOMPARE(files, QStringList({"eksport marca", "~inny.ba9876543210.clabtmp",
                                     "~inny.ba9876543210.clabtmp.lock"}));
        QVERIFY(F::ReadAll(Chosen).endsWith("</celab>\r\n"));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], OtherWorkstation) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstationSavesCodes(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && qstrcmp(argv[1], KilledExport) == 0) {
        QCoreApplication app(argc, argv);
        return exportKilledBeforeRename(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_FormCLab test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_FormCLab.moc"
