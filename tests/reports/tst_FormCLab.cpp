#include "ClabFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "foundation/Globals.h"
#include "foundation/frmLoginLab.h"
#include "platform/fs/Cp1250.h"
#include "platform/shell/ShellRecorder.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/ClabJournal.h"
#include "reports/ClabPrecheck.h"
#include "reports/FormCLab.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using F = ClabFixture;

namespace
{

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
        F::AddClient(QStringLiteral("14650301"),
                     {{QStringLiteral("Nazwa"), QStringLiteral("Ubojnia Świt")}});
        F::AddBatch(7);
        for (int n : {123, 124})
            F::AddSample(7, {{QStringLiteral("NrOgolny"), n},
                             {QStringLiteral("NazTkanka"), QStringLiteral("filary przepony")},
                             {QStringLiteral("Gatunek"), QStringLiteral("świnie")},
                             {QStringLiteral("Plec"), QStringLiteral("tucznik")},
                             {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
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
        refused([](FormCLab &form) { form.ComboPartia->setCurrentText(QStringLiteral("7")); },
                QStringLiteral("OSTRZEŻENIE: Brak kodu stanowiska zamiejscowego!\r"
                               "W oknie głównym programu kliknij przycisk Użytkownik i uzupełnij "
                               "kod stanowiska zamiejscowego!\rPełna lista kodów znajduje się w "
                               "pliku: C:\\MervaskLAB\\KodyStanowiskZamiejscowych.doc"));
        StaleDb.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok2 = 'R01'"));
        refused(
            [](FormCLab &form) {
                form.ComboPartia->setCurrentText(QStringLiteral("7"));
                form.MebOd->setText(QStringLiteral("06.03.2024"));
            },
            QStringLiteral("Data: Źle ustawiony zakres dat! Popraw!"));
        refused([](FormCLab &form) { form.MebDo->setText(QStringLiteral("31.02.2024")); },
                QStringLiteral("Zestawienie: 13Niezgodność typów."));
        QFile ini(F::Real(QStringLiteral("T:\\mervasklab.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("STALE=T:\\Dane\\\r\nCLABSERWIS=https://clab.invalid\r\n");
        ini.close();
        refused([](FormCLab &) {},
                QStringLiteral("OSTRZEŻENIE: Brak adresu serwera CLab w pliku T:\\mervasklab.ini!"
                               "\rUzupełnij klucz CLABSCHEMAT i uruchom eksport ponownie."));
    }

    // A laboratory code that is no number ends the run in the error path
    // before a file is asked for.
    void laboratoryCodeNotANumber()
    {
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        inWindow(ui, [](FormCLab &form) {
            form.TextLok->setText(QStringLiteral("O52"));
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
            form.MebOd->setText(QStringLiteral("01.03.2024"));
            form.MebDo->setText(QStringLiteral("04.03.2024"));
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
            PRESS(&form, "ComDrukuj");
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
                                    "\"https://clab.invalid/schema/celab-probki\""));
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
                 QStringList{"https://clab.invalid/serwis/importCelabP.jsp"});
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
            form.TextCmetoda1MervaskLab->clear();
            PRESS(&form, "ComFrCKier");
            QCOMPARE(form.focusWidget(), form.TextTypBad1MervaskLab);
            QCOMPARE(F::RowCount(StaleDb, QStringLiteral("CLab")), 0);
            form.TextCmetoda1MervaskLab->setText(QStringLiteral("99"));
            form.TextTypBad2MervaskLab->setText(QStringLiteral("77"));
            PRESS(&form, "ComFrCKier");

            PRESS(&form, "ComDziennik");
            QVERIFY(form.FrameExport->isVisibleTo(&form));
            QCOMPARE(form.TextExport->toPlainText(),
                     QStringLiteral("01.03.2024      C:\\x      Wąsik\n"));
            PRESS(&form, "Command1");
            QVERIFY(form.FrameExport->isHidden());
            QVERIFY(form.TextExport->toPlainText().isEmpty());
            form.TextCmetoda1MervaskLab->clear();
            form.TextTypBad2MervaskLab->clear();
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
};

QTEST_MAIN(tst_FormCLab)
#include "tst_FormCLab.moc"
