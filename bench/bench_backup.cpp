// "Archiwizacja" of a year of month databases (12 files of 3,000 batches and
// 100,000 samples each) and Stale.mdb: packed by 7za (argument 1) or copied
// loose without it (argument 0), beside a plain copy of the same files, each
// under a read lock. The question and the closing message are answered by the
// scripted seam. Compare them in one run, interleaved:
//     bench_backup --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true

#include "BenchSupport.h"
#include "Installer.h"
#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "mainwindow/DatabaseBackup.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/ScriptedUi.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace
{

constexpr int Batches = 3000;
constexpr int Samples = 100000;
const QDate Day(2010, 3, 5);

QString Real(const QString &windowsPath)
{
    return fs::DriveMap::ToReal(windowsPath);
}

QString MonthFile(int month)
{
    return QStringLiteral("T:\\Dane\\2010\\Mervask2010%1.mdb").arg(month, 2, 10, QChar(u'0'));
}

bool Exec(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Inserts the rows with one prepared statement; the values come from SQL so
// that each row differs.
bool Fill(sqlite3 *db, const char *sql, int rows)
{
    sqlite3_stmt *insert = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &insert, nullptr) != SQLITE_OK) {
        return false;
    }
    bool ok = true;
    for (int i = 0; i < rows && ok; ++i) {
        sqlite3_bind_int(insert, 1, i);
        ok = sqlite3_step(insert) == SQLITE_DONE;
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    return ok;
}

bool FillMonth(const QString &realPath)
{
    sqlite3 *db = bench::OpenPlain(realPath);
    const bool ok =
        Exec(db, "BEGIN") &&
        Fill(db,
             "INSERT INTO Partia (Partia, NrTac, IlProbek, WNI, KodPIW, DataDoLab, Metoda) "
             "VALUES (?1 + 1, 'T' || ?1, '33', printf('1061%04d', ?1 % 10000), '1061', "
             "'2010-03-05', 'Metoda wytrawiania')",
             Batches) &&
        Fill(db,
             "INSERT INTO Badanie (NrProbki, Partia, NrDzien, NrOgolny, IDProbkiWNI, NrTacy, "
             "NazTkanka, Gatunek, Plec, Wynik, DataDoLab) VALUES (?1 % 30000, ?1 / 34 + 1, "
             "?1 % 30000, ?1, printf('0612%08d', ?1), ?1 % 20 + 1, 'filary przepony', 'Świnie', "
             "'Tucznik', 'nie stwierdzono', '2010-03-05')",
             Samples) &&
        Exec(db, "COMMIT");
    sqlite3_close(db);
    return ok;
}

// One month database built and filled, then copied for the other months.
bool Install(const QString &drives)
{
    fs::DriveMap::SetDrivesFolder(drives);
    if (Installer({drives, QStringLiteral("ADMIN"), QStringLiteral("tajne1")}).Run() !=
        Installer::Installed) {
        return false;
    }
    QDir().mkpath(Real(QStringLiteral("T:\\Dane\\2010")));
    dao::Database first = dao::DBEngine::Workspaces(0).CreateDatabase(Real(MonthFile(1)));
    Schema::CreateAll(first, Schema::Month);
    first.Close();
    if (!FillMonth(Real(MonthFile(1)))) {
        return false;
    }
    for (int month = 2; month <= 12; ++month) {
        if (!QFile::copy(Real(MonthFile(1)), Real(MonthFile(month)))) {
            return false;
        }
    }
    StaleFolder = QStringLiteral("T:\\Dane\\");
    StaleDb =
        dao::DBEngine::Workspaces(0).OpenDatabase(Real(QStringLiteral("T:\\Dane\\Stale.mdb")));
    MonthDb = dao::DBEngine::Workspaces(0).OpenDatabase(Real(MonthFile(3)));
    RobotDb = dao::DBEngine::Workspaces(0).OpenDatabase(
        Real(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb")));
    return true;
}

void BM_BackupOfAYear(benchmark::State &state)
{
    const QString sevenZip = Real(QStringLiteral("C:\\MervaskLab\\7za.exe"));
    QFile::remove(sevenZip);
    if (state.range(0) == 1) {
        QFile::link(Installer::SevenZipTarget(), sevenZip);
    }
    const QString archives = Real(QStringLiteral("C:\\MervaskLab\\Archiwum"));
    QTime time(8, 0, 0);
    qint64 bytes = 0;
    for (auto _ : state) {
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("Yes"));
        scripted.Answer(QStringLiteral("OK"));
        time = time.addSecs(1);
        DatabaseBackup([time] { return time; }).Run(Day);

        state.PauseTiming();
        if (!scripted.Last().text.contains(QStringLiteral("powodzeniem"))) {
            state.SkipWithError("the backup failed");
        }
        const QString folder = archives + u'/' + Day.toString(QStringLiteral("yyyyMMdd")) + u'g' +
                               time.toString(QStringLiteral("HHmmss"));
        bytes = 0;
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
            bytes += file.size();
        }
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["backup MB"] = double(bytes) / (1024 * 1024);
}

// One file copied by the kernel while a plain connection holds its read
// lock, so that the copy is one committed state; the source is closed last,
// since closing it drops the process's locks on the file.
void CopySnapshot(const QString &file, const QString &copy)
{
    const int from = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    const int to =
        ::open(QFile::encodeName(copy).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    sqlite3 *db = bench::OpenPlain(file);
    Exec(db, "BEGIN");
    Exec(db, "SELECT count(*) FROM sqlite_master");
    while (::copy_file_range(from, nullptr, to, nullptr, std::size_t(1) << 30, 0) > 0) {
    }
    ::close(to);
    Exec(db, "ROLLBACK");
    sqlite3_close(db);
    ::close(from);
}

// The same files copied one by one into a new folder, each as a consistent
// snapshot.
void BM_PlainCopyOfAYear(benchmark::State &state)
{
    QStringList files;
    for (int month = 1; month <= 12; ++month) {
        files << Real(MonthFile(month));
    }
    files << Real(QStringLiteral("T:\\Dane\\Stale.mdb"));
    const QString folder = Real(QStringLiteral("C:\\MervaskLab\\Archiwum\\plain"));
    qint64 bytes = 0;
    for (auto _ : state) {
        QDir().mkpath(folder);
        for (const QString &file : files) {
            CopySnapshot(file, folder + u'/' + QFileInfo(file).fileName());
        }
        state.PauseTiming();
        bytes = 0;
        for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files)) {
            bytes += file.size();
        }
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["backup MB"] = double(bytes) / (1024 * 1024);
}

} // namespace

BENCHMARK(BM_BackupOfAYear)
    ->ArgName("7za")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kSecond)
    ->Iterations(3);
BENCHMARK(BM_PlainCopyOfAYear)->Unit(benchmark::kSecond)->Iterations(3);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir drives;
    if (!drives.isValid() || !Install(drives.path())) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (dao::Database *db : {&StaleDb, &MonthDb, &RobotDb}) {
        if (db->IsOpen()) {
            db->Close();
        }
    }
    return 0;
}
