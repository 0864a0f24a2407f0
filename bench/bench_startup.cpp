// The start of the program on a workstation of its own: from the main window's
// load to the sign-in window, and from the sign-in to the main window ready on
// today's month database. The month database is either empty or holds 3,000
// batches and 100,000 samples; opening and repairing it reads none of its rows,
// so both take about the same time.
#include "BenchSupport.h"
#include "Installer.h"
#include "foundation/Globals.h"
#include "foundation/ProgramEnd.h"
#include "foundation/RegionalSettings.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/MonthDatabase.h"
#include "mainwindow/aMain.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace
{

constexpr int Batches = 3000;
constexpr int Samples = 100000;
const QString Login = QStringLiteral("admin");
const QString Password = QStringLiteral("haslo1");

void CloseShared()
{
    ui::WindowRegistry::Reset();
    for (dao::Database *db : {&MonthDb, &RobotDb, &StaleDb}) {
        if (db->IsOpen())
            db->Close();
        *db = dao::Database();
    }
    PodatnikRs = dao::Recordset();
    LoginOk = false;
}

void Exec(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "sqlite3";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

// Fills the month database with plain inserts, so that setting up is quick.
void FillMonth(const QString &realPath)
{
    sqlite3 *db = bench::OpenPlain(realPath);
    Exec(db, "BEGIN");
    sqlite3_stmt *batch = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Partia (Partia, WNI, DataDoLab, Uwagi) "
                       "VALUES (?, '14650012', '2024-03-05', 'bez uwag')",
                       -1, &batch, nullptr);
    for (int i = 1; i <= Batches; ++i) {
        sqlite3_bind_int(batch, 1, i);
        sqlite3_step(batch);
        sqlite3_reset(batch);
    }
    sqlite3_finalize(batch);
    sqlite3_stmt *sample = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO Badanie (NrProbki, Partia, NrOgolny, Gatunek, Wynik, "
                       "DataDoLab) VALUES (?, ?, ?, 'Świnie', 'ujemny', '2024-03-05')",
                       -1, &sample, nullptr);
    for (int i = 0; i < Samples; ++i) {
        sqlite3_bind_int(sample, 1, i % 300 + 1);
        sqlite3_bind_int(sample, 2, i / (Samples / Batches + 1) + 1);
        sqlite3_bind_int(sample, 3, i + 1);
        sqlite3_step(sample);
        sqlite3_reset(sample);
    }
    sqlite3_finalize(sample);
    Exec(db, "COMMIT");
    sqlite3_close(db);
}

// A ready-made installation with today's month database.
class Workstation
{
public:
    explicit Workstation(bool filled)
    {
        fs::DriveMap::SetDrivesFolder(dir_.path());
        if (Installer({dir_.path(), Login, Password}).Run() != Installer::Installed)
            throw std::runtime_error("installation failed");
        const QDate today = QDate::currentDate();
        QDir().mkpath(fs::DriveMap::ToReal(MonthDbYearFolder(today)));
        {
            ui::ScriptedUi ui;
            ui.Answer("OK");
            if (!TworzBaze(MonthDbPath(today), aMain::MonthName(today.month())))
                throw std::runtime_error("month database not made");
        }
        if (filled)
            FillMonth(fs::DriveMap::ToReal(MonthDbPath(today)));
    }

    ~Workstation() { fs::DriveMap::SetDrivesFolder(QString()); }

private:
    QTemporaryDir dir_;
};

struct StartTimes {
    double toSignIn = 0; // seconds from the load to the sign-in window
    double toMain = 0;   // seconds from the signed-in operator to the ready window
};

StartTimes StartOnce()
{
    CloseShared();
    ProgramEndRecorder ends;
    ui::ScriptedUi ui;
    QElapsedTimer clock;
    StartTimes times;
    qint64 signedIn = 0;
    ui.AnswerWindow(QStringLiteral("frmLoginLab"), [&](QWidget &window) {
        times.toSignIn = clock.nsecsElapsed() / 1e9;
        auto &login = static_cast<frmLoginLab &>(window);
        login.TextLogin->setText(Login);
        // Leaving the login box as Tab does, then "OK".
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(login.TextLogin, &out);
        login.txtPassword->setText(Password);
        login.cmdOK->click();
        signedIn = clock.nsecsElapsed();
    });
    aMain &window = ui::WindowRegistry::Instance<aMain>();
    clock.start();
    window.Start();
    times.toMain = (clock.nsecsElapsed() - signedIn) / 1e9;
    if (!ui.Verify() || ends.Ended() || !MonthDb.IsOpen())
        throw std::runtime_error(ui.Problems().toStdString());
    return times;
}

void StartupToSignIn(benchmark::State &state)
{
    Workstation workstation(state.range(0) != 0);
    for (auto _ : state)
        state.SetIterationTime(StartOnce().toSignIn);
    CloseShared();
}

void SignInToMainWindow(benchmark::State &state)
{
    Workstation workstation(state.range(0) != 0);
    for (auto _ : state)
        state.SetIterationTime(StartOnce().toMain);
    CloseShared();
}

} // namespace

BENCHMARK(StartupToSignIn)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SignInToMainWindow)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The offscreen platform's notices would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    SetRegionalLocale(QLocale(QLocale::Polish, QLocale::Poland));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
