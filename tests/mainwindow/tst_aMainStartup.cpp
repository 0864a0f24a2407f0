#include "MainWindowFixture.h"
#include "Press.h"

#include "foundation/Globals.h"
#include "foundation/ProgramEnd.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/MonthDatabase.h"
#include "mainwindow/aMain.h"
#include "platform/RuntimeError.h"
#include "platform/db/Recordset.h"
#include "platform/shell/SingleInstanceGuard.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

// The start of the program as a whole: sign-in, working date, month database,
// repairs, and the working date moved later.
class aMainStartupTest : public QObject
{
    Q_OBJECT

private:
    static QString Today() { return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")); }

    static QString TodaysMonthPath() { return MonthDbPath(QDate::currentDate()); }

    // Starts the program as its main() does, signs the administrator in and
    // answers the two boxes of a new month database.
    static void StartFirstTime(aMain &window, ui::ScriptedUi &ui)
    {
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        ui.Answer("OK");
        ui.Answer("OK");
        window.Start();
        window.show();
    }

    static QStringList Titles(const ui::ScriptedUi &ui)
    {
        QStringList titles;
        for (const ui::ShownDialog &shown : ui.Log())
            titles.append(shown.kind == ui::ShownDialog::Window ? shown.text : shown.title);
        return titles;
    }

private slots:
    void firstStartMakesTheMonthDatabase()
    {
        MainWindowFixture fixture;
        QVERIFY2(fixture.IsValid(), qPrintable(fixture.Problem()));
        {
            dao::Database stale = fixture.OpenStale();
            stale.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok = '052', KodLok2 = NULL"));
            stale.Close();
        }
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        // Started from another folder, the program works in its own.
        const QString startedIn = QDir::currentPath();
        const auto back = qScopeGuard([&] { QDir::setCurrent(startedIn); });
        QDir::setCurrent(QDir::tempPath());
        StartFirstTime(window, ui);
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(!ends.Ended());
        QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                 QFileInfo(fixture.Real(QStringLiteral("C:\\MervaskLab"))).canonicalFilePath());
        QCOMPARE(Titles(ui),
                 QStringList({QStringLiteral("frmLoginLab"), QStringLiteral("INFORMACJA"),
                              QStringLiteral("INFORMACJA")}));
        QVERIFY(ui.Log().at(1).text.startsWith(QStringLiteral("Brak bazy danych na m-c: ") +
                                               aMain::MonthName(QDate::currentDate().month())));

        QVERIFY(fixture.Exists(TodaysMonthPath()));
        QVERIFY(MonthDb.IsOpen());
        QCOMPARE(MonthDb.Name(), fixture.Real(TodaysMonthPath()));
        QCOMPARE(WorkingDate, QDate::currentDate());
        QCOMPARE(window.LabelData->text(), Today());
        QCOMPARE(window.LabMonth->text(), aMain::MonthName(QDate::currentDate().month()));
        QCOMPARE(window.Label2->text(), QStringLiteral("Laboratorium Badań w Kierunku Włośni"));
        QCOMPARE(window.Label5->text(), QStringLiteral("tel. 00 000 00 00"));
        QCOMPARE(window.LabelKodLok->text(), QStringLiteral("052"));
        QCOMPARE(window.LabelKodLok2->text(), QString());
        QCOMPARE(window.StatusPanelText(1), QStringLiteral("Wersja 10.10.22"));
        QCOMPARE(window.StatusPanelText(2), QStringLiteral("Administrator"));
        QCOMPARE(window.StatusPanelText(3), Today());
        QCOMPARE(window.StatusPanelText(4), QString());
        QVERIFY(!window.Frame1->isVisibleTo(&window));
        QVERIFY(!window.LabelKodLok->isVisibleTo(&window));

        // The next start opens the same database without a message.
        MainWindowFixture::ResetProgramState();
        aMain &again = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi second;
        second.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        again.Start();
        SCRIPTED_UI_VERIFY(second);
        QCOMPARE(second.Log().size(), 1);
        QVERIFY(MonthDb.IsOpen());
    }

    // Without the laboratory's identity row the initialisation reports the
    // missing row; the sign-in and the month database still work, and the
    // read of the codes is reported by the start-up, which stops there.
    void startWithEmptyLaboratoryTable()
    {
        MainWindowFixture fixture;
        {
            dao::Database stale = fixture.OpenStale();
            stale.Execute(QStringLiteral("DELETE FROM PODATNIK"));
            stale.Close();
        }
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        ui.Answer("OK"); // the initialisation's report of the missing row
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        ui.Answer("OK");
        ui.Answer("OK");
        ui.Answer("OK"); // the start-up's report of the codes' read
        window.Start();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().first().title,
                 QStringLiteral("Błąd wczytania parametrów instalacyjnych"));
        QCOMPARE(ui.Last().title, QStringLiteral("ŁADOWANIE PROGRAMU"));
        QVERIFY(ui.Last().text.startsWith(QStringLiteral("3021")));
        QVERIFY(!ends.Ended());
        QCOMPARE(window.Label2->text(), QString());
        QCOMPARE(window.LabelKodLok->text(), QString());
        QCOMPARE(window.LabelData->text(), Today());
        // The status bar comes after the codes and stays empty.
        QCOMPARE(window.StatusPanelText(2), QString());
        QVERIFY(MonthDb.IsOpen());
    }

    void refusedSignInOpensNoMonthDatabase()
    {
        MainWindowFixture fixture;
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        // Three unknown logins end the program before any password.
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), [](QWidget &login) {
            auto &signIn = static_cast<frmLoginLab &>(login);
            for (const char *name : {"jan", "ewa", "ola"}) {
                TYPE(&signIn, "TextLogin", QLatin1String(name));
                LEAVE_FIELD(&signIn, "TextLogin");
            }
        });
        const QString caption = QStringLiteral("ALARM!!!");
        for (int attempt = 0; attempt < 2; ++attempt)
            ui.AnswerWindow(
                QStringLiteral("FormAlarm"),
                MainWindowFixture::Alarm(QStringLiteral("Nieprawidłowy Login - Spróbuj ponownie!"),
                                         caption, 1, false));
        ui.AnswerWindow(
            QStringLiteral("FormAlarm"),
            MainWindowFixture::Alarm(QStringLiteral("Nieprawidłowy Login - Wyjście z programu!"),
                                     caption, 1, false));
        ui.AnswerWindow(QStringLiteral("FormAlarm"),
                        MainWindowFixture::Alarm(
                            QStringLiteral("Nie masz uprawnień do pracy z tym programem!!!"),
                            caption, 1, false));
        window.Start();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(ends.Ended());
        QVERIFY(!StaleDb.IsOpen());
        QVERIFY(!RobotDb.IsOpen());
        QVERIFY(!MonthDb.IsOpen());
        QVERIFY(!fixture.Exists(TodaysMonthPath()));
    }

    void secondCopyBringsTheFirstToTheFront()
    {
        MainWindowFixture fixture;
        shell::SingleInstanceGuard first;
        QVERIFY(first.TryToRun());
        QSignalSpy raised(&first, &shell::SingleInstanceGuard::activationRequested);
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui; // no window and no box may appear
        window.Start();
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(ends.Ended());
        QVERIFY(!StaleDb.IsOpen());
        QVERIFY(raised.wait(5000));
    }

    void runningCopyComesToTheFront()
    {
        MainWindowFixture fixture;
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        StartFirstTime(window, ui);
        window.showMinimized();
        QVERIFY(window.isMinimized());
        shell::SingleInstanceGuard second;
        QVERIFY(!second.TryToRun());
        QTRY_VERIFY_WITH_TIMEOUT(!window.isMinimized(), 5000);
        QVERIFY(!ends.Ended());
    }

    void workingDateMovesToAnotherMonthAndBack()
    {
        MainWindowFixture fixture;
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        {
            ui::ScriptedUi ui;
            StartFirstTime(window, ui);
        }
        const QDate today = QDate::currentDate();
        const QDate other = today.addMonths(-13);
        const QString otherPath = MonthDbPath(other);
        {
            ui::ScriptedUi ui;
            ui.AnswerDate(other);
            ui.Answer("OK");
            ui.Answer("OK");
            DOUBLE_CLICK(&window, "LabMonth");
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Log().first().title, QStringLiteral("WYBIERZ DATĘ"));
        }
        QCOMPARE(window.LabelData->text(), other.toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(window.LabMonth->text(), aMain::MonthName(other.month()));
        QCOMPARE(WorkingDate, other);
        QCOMPARE(MonthDb.Name(), fixture.Real(otherPath));
        QCOMPARE(window.StatusPanelText(3), Today());

        ui::ScriptedUi ui;
        ui.AnswerDate(today);
        DOUBLE_CLICK(&window, "LabelData");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QCOMPARE(window.LabMonth->text(), aMain::MonthName(today.month()));
        QCOMPARE(MonthDb.Name(), fixture.Real(TodaysMonthPath()));
    }

    // A date whose month database cannot be made leaves the date and the
    // month database in force as they were.
    void unusableMonthKeepsTheWorkingDate()
    {
        MainWindowFixture fixture;
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        {
            ui::ScriptedUi ui;
            StartFirstTime(window, ui);
        }
        // A file where the year's folder should be.
        QFile blocker(fixture.Real(QStringLiteral("T:\\Dane\\2031")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ui::ScriptedUi ui;
        ui.AnswerDate(QDate(2031, 5, 20));
        ui.Answer("OK");
        DOUBLE_CLICK(&window, "LabelData");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Tworzenie nowej bazy!"));
        QCOMPARE(window.LabelData->text(), Today());
        QCOMPARE(window.LabMonth->text(), aMain::MonthName(QDate::currentDate().month()));
        QCOMPARE(WorkingDate, QDate::currentDate());
        QCOMPARE(MonthDb.Name(), fixture.Real(TodaysMonthPath()));
    }

    // The sexes are corrected last: without their table the start-up reports
    // the error after everything else is done.
    void missingSexesTableIsReportedLast()
    {
        MainWindowFixture fixture;
        {
            dao::Database stale = fixture.OpenStale();
            stale.Execute(QStringLiteral("DROP TABLE PLEC"));
            stale.Close();
        }
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        for (int i = 0; i < 3; ++i)
            ui.Answer("OK");
        window.Start();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("ŁADOWANIE PROGRAMU"));
        QCOMPARE(window.StatusPanelText(3), Today());
        QVERIFY(!ends.Ended());
    }

    // A month file without the runs' table is reported once per start: the
    // month database of the day is opened, and repaired, once.
    void missingRunTableIsReportedOncePerStart()
    {
        MainWindowFixture fixture;
        QVERIFY2(fixture.IsValid(), qPrintable(fixture.Problem()));
        const QString path = fixture.MonthPath(QDate::currentDate());
        {
            dao::Database db = fixture.Create(path);
            for (const char *table : {"Partia", "Badanie", "PozycjaN", "zuzyte"})
                MainWindowFixture::CreateTable(
                    db, QLatin1String(table),
                    Schema::Table(Schema::Month, QLatin1String(table))->fields);
            db.Close();
        }
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        ui.Answer("OK");
        window.Start();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(Titles(ui), QStringList({QStringLiteral("frmLoginLab"),
                                          QStringLiteral("Tworzenie nowej bazy!")}));
        QVERIFY2(ui.Last().text.startsWith(QStringLiteral("3078")), qPrintable(ui.Last().text));
        QVERIFY(!ends.Ended());
        QVERIFY(MonthDb.IsOpen());
        QCOMPARE(MonthDb.Name(), fixture.Real(path));
        QCOMPARE(window.StatusPanelText(3), Today());
    }

    void loadErrorTrap()
    {
        MainWindowFixture fixture(false);
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            window.ReportLoadError(RuntimeError(3021, QStringLiteral("Brak bieżącego rekordu.")));
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Last().title, QStringLiteral("ŁADOWANIE PROGRAMU"));
            QCOMPARE(ui.Last().text, QStringLiteral("3021Brak bieżącego rekordu."));
            QVERIFY(!ends.Ended());
        }
        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("FormAlarm"),
                        MainWindowFixture::Alarm(
                            QStringLiteral("Ustaw poprawny format daty w ustawieniach regionalnych "
                                           "WINDOWS!"),
                            QStringLiteral("dd.mm.rrrr"), 15, true));
        window.ReportLoadError(
            RuntimeError(380, QStringLiteral("Nieprawidłowa wartość właściwości.")));
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(ends.Ended());
    }
};

QTEST_MAIN(aMainStartupTest)
#include "tst_aMainStartup.moc"
