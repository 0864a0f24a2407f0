// The run window of a batch with 30 runs of 50 trays in a month of about
// 100,000 samples, and the run card of one run staged (for batches of 150,
// 1,500 and 15,000 samples) and written to PDF, through the window's own code
// beside the same statements made with plain sqlite3.

#include "BenchSupport.h"
#include "digestion/FormNastawienie.h"
#include "digestion/RunCard.h"
#include "foundation/Globals.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/db/DBEngine.h"
#include "platform/db/Transaction.h"
#include "platform/fs/DriveMap.h"
#include "platform/report/DocumentOutput.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <vector>

namespace
{

constexpr int kBatch = 12;
constexpr int kRuns = 30;
constexpr int kTrays = 50;
constexpr int kSamples = 100000;
constexpr int kBatchSamples = kRuns * kTrays;
constexpr int kBatches = 100;
// Two more batches of one run of 50 trays, for the staging of a small and a
// large batch.
constexpr int kSmallBatch = kBatches + 1;
constexpr int kSmallSamples = 150;
constexpr int kLargeBatch = kBatches + 2;
constexpr int kLargeSamples = 15000;
const QDate Day(2024, 3, 5);
const BatchHeading Heading{12, Day, QStringLiteral("14650301"),
                           QStringLiteral("14650301 - Ubojnia")};

using bench::AddRow;
using bench::Open;

// Batch 12 holds 1,500 samples on 30 runs of 50 trays; 98,500 samples of the
// month are spread over 99 batches with a run of 50 trays each; batches 101
// and 102 hold 150 and 15,000 samples on one run.
void FillMonth()
{
    dao::Transaction transaction(MonthDb);
    dao::Recordset partia = MonthDb.OpenRecordset(QStringLiteral("Partia"));
    dao::Recordset badanie = MonthDb.OpenRecordset(QStringLiteral("Badanie"));
    dao::Recordset runs = MonthDb.OpenRecordset(QStringLiteral("Nastawienie"));
    dao::Recordset trays = MonthDb.OpenRecordset(QStringLiteral("PozycjaN"));
    int sample = 0;
    for (int batch = 1; batch <= kLargeBatch; ++batch) {
        AddRow(partia, {{"Partia", batch},
                        {"WNI", "14650301"},
                        {"DataDoLab", Day},
                        {"DataRozpBad", Day},
                        {"IlProbek", 1000}});
        const int samples = batch == kBatch        ? kBatchSamples
                            : batch == kSmallBatch ? kSmallSamples
                            : batch == kLargeBatch ? kLargeSamples
                                                   : (kSamples - kBatchSamples) / (kBatches - 1);
        for (int i = 1; i <= samples; ++i, ++sample)
            AddRow(badanie, {{"Partia", batch},
                             {"NrProbki", i},
                             {"NrDzien", i},
                             {"NrOgolny", sample + 1},
                             {"NrTacy", 1 + (i - 1) / kRuns},
                             {"NazTkanka", i % 7 ? "filary przepony" : "mięśnie żuchwowe"},
                             {"Wynik", "nie stwierdzono"}});
        const int batchRuns = batch == kBatch ? kRuns : 1;
        for (int run = 1; run <= batchRuns; ++run) {
            AddRow(runs, {{"Partia", batch},
                          {"Nastawienie", run},
                          {"NrTac", "1-50"},
                          {"IlProbek", kTrays},
                          {"Nawazka", 100.0},
                          {"Waga", "Waga Ł-7"},
                          {"Termometr", "Termometr Ż-2"},
                          {"Temperatura", "44"},
                          {"Wykonujacy", "Łucja Żak"},
                          {"Odpowiedzialny", "Jan Lis"},
                          {"Wynik", "nie stwierdzono"},
                          {"DataRozpBad", Day}});
            for (int tray = 1; tray <= kTrays; ++tray) {
                const QString first = QString::number((run - 1) * kTrays + tray);
                AddRow(trays, {{"Partia", batch},
                               {"Nastawienie", run},
                               {"NrTacy", tray},
                               {"NrTusz", first},
                               {"NrTuszTucznik", first},
                               {"NrTuszDzik", tray % 5 ? QString() : first},
                               {"IlProbek", 1}});
            }
        }
    }
    for (dao::Recordset *rs : {&partia, &badanie, &runs, &trays})
        rs->Close();
    transaction.Commit();
}

struct Workstation {
    QTemporaryDir drives;
    QString monthPath;
    QString robotPath;
    bool valid = false;

    Workstation()
    {
        if (!bench::Install(drives.path()))
            return;
        StaleDb = Open(QStringLiteral("T:\\Dane\\Stale.mdb"));
        RobotDb = Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
        robotPath = fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
        monthPath = bench::CreateMonth();
        ReportFolder = QStringLiteral("T:\\Raporty\\");
        WorkingDate = Day;
        FillMonth();
        valid = true;
    }
};

Workstation *station = nullptr;

void exec(sqlite3 *db, const QString &sql)
{
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// The rowids of a statement, then every column of its first row: what a
// list reads to show itself on its first row.
int plainList(sqlite3 *db, const char *table, const char *where)
{
    std::vector<sqlite3_int64> keys;
    sqlite3_stmt *list = nullptr;
    sqlite3_prepare_v2(db,
                       (QByteArray("SELECT rowid FROM ") + table + " WHERE " + where).constData(),
                       -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(list, 0));
    sqlite3_finalize(list);
    sqlite3_stmt *row = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("SELECT * FROM ") + table + " WHERE rowid = ?1").constData(),
                       -1, &row, nullptr);
    sqlite3_bind_int64(row, 1, keys.front());
    if (sqlite3_step(row) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(row); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(row, c));
    }
    sqlite3_finalize(row);
    return int(keys.size());
}

// "&Nastawienie" of the batch register: the window opened on batch 12 with
// its runs and the trays of the first run, shown and closed.
void BM_OpenRunWindow_Window(benchmark::State &state)
{
    ui::ScriptedUi scripted;
    // The window's first creation is not timed.
    scripted.AnswerWindow(QStringLiteral("FormNastawienie"));
    FormNastawienie::OpenForBatch(Heading);
    int trays = 0;
    for (auto _ : state) {
        scripted.AnswerWindow(QStringLiteral("FormNastawienie"), [&](QWidget &window) {
            trays = static_cast<FormNastawienie &>(window).DataPartiaG->RowCount();
        });
        FormNastawienie::OpenForBatch(Heading);
    }
    state.counters["trays"] = trays;
}

// The same on the window's first opening in a run of the program (the window
// dropped outside the timing before each iteration).
void BM_FirstOpenRunWindow_Window(benchmark::State &state)
{
    ui::ScriptedUi scripted;
    int trays = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ui::WindowRegistry::Reset();
        state.ResumeTiming();
        scripted.AnswerWindow(QStringLiteral("FormNastawienie"), [&](QWidget &window) {
            trays = static_cast<FormNastawienie &>(window).DataPartiaG->RowCount();
        });
        FormNastawienie::OpenForBatch(Heading);
    }
    state.counters["trays"] = trays;
}

void BM_OpenRunWindow_Plain(benchmark::State &state)
{
    sqlite3 *db = bench::OpenPlain(station->monthPath);
    int trays = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(plainList(db, "Nastawienie", "Partia = 12 ORDER BY Nastawienie"));
        trays = plainList(db, "PozycjaN", "Partia = 12 And Nastawienie = 1 ORDER BY NrTacy");
    }
    sqlite3_close(db);
    state.counters["trays"] = trays;
}

// The batch and run staged for a batch of `samples` samples.
struct StagedRun {
    int batch;
    int run;
};

StagedRun stagedRun(int samples)
{
    if (samples == kSmallSamples)
        return {kSmallBatch, 1};
    if (samples == kLargeSamples)
        return {kLargeBatch, 1};
    return {kBatch, 15};
}

// The staging of card S for one run (the batch, its samples, the run and its
// 50 trays), as "Karta przebiegu badania" makes it; the argument is the
// batch's number of samples.
// Each staging is a function of its own, so that its instructions are
// counted per call: valgrind --tool=callgrind --toggle-collect='*StageRunCardOne_*'.
Q_NEVER_INLINE void StageRunCardOne_Layer(const StagedRun &staged)
{
    RunCard::Stage(staged.batch, staged.run, Day);
}

void BM_StageRunCard_Layer(benchmark::State &state)
{
    const StagedRun staged = stagedRun(int(state.range(0)));
    for (auto _ : state)
        StageRunCardOne_Layer(staged);
}

QStringList columnsOf(sqlite3 *db, const char *table)
{
    QStringList names;
    sqlite3_stmt *info = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("PRAGMA m.table_info(") + table + ")").constData(), -1,
                       &info, nullptr);
    while (sqlite3_step(info) == SQLITE_ROW)
        names.append(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info, 1))));
    sqlite3_finalize(info);
    return names;
}

void copyPlain(sqlite3 *db, const char *table, const QString &where)
{
    const QString columns = columnsOf(db, table).join(u',');
    exec(db, QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM m.%1 WHERE %3")
                 .arg(QLatin1String(table), columns, where));
}

// Every row of the table stepped through once, as the print reads the staged
// tables through before it opens the card: it takes their rowids and moves
// over them, reading no column.
void readThrough(sqlite3 *db, const char *table)
{
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("SELECT rowid FROM main.") + table).constData(), -1, &rows,
                       nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW) {
    }
    sqlite3_finalize(rows);
}

Q_NEVER_INLINE void StageRunCardOne_Plain(sqlite3 *db, const StagedRun &staged)
{
    const QString batch = QStringLiteral("Partia = %1").arg(staged.batch);
    const QString run = batch + QStringLiteral(" AND Nastawienie = %1").arg(staged.run);
    {
        // The month file attached for the print and one transaction, as the
        // print stages the card.
        exec(db, QStringLiteral("ATTACH DATABASE '%1' AS m").arg(station->monthPath));
        exec(db, QStringLiteral("BEGIN"));
        for (const char *table : {"Partia", "Badanie", "NazwaTMP", "Nastawienie", "PozycjaN"})
            exec(db, QStringLiteral("DELETE FROM main.%1").arg(QLatin1String(table)));
        copyPlain(db, "Partia", batch);
        copyPlain(db, "Badanie", batch + QStringLiteral(" ORDER BY NrDzien"));
        exec(db, QStringLiteral("INSERT INTO main.NazwaTMP (Nazwa) SELECT DISTINCT NazTkanka FROM "
                                "m.Badanie WHERE %1 AND NazTkanka <> ''")
                     .arg(batch));
        copyPlain(db, "Nastawienie", run);
        copyPlain(db, "PozycjaN", run + QStringLiteral(" ORDER BY NrTacy"));
        exec(db, QStringLiteral("UPDATE main.PozycjaN SET NrTuszRazem = rtrim("
                                "coalesce(nullif(NrTuszTucznik, '') || '(T), ', '') || "
                                "coalesce(nullif(NrTuszMaciora, '') || '(M), ', '') || "
                                "coalesce(nullif(NrTuszKnur, '') || '(K), ', '') || "
                                "coalesce(nullif(NrTuszDzik, '') || '(D), ', '') || "
                                "coalesce(nullif(NrTuszInne, '') || '(Inne), ', ''), ', ')"));
        exec(db, QStringLiteral("UPDATE main.WynikTMP SET Numer = 'Karta Przebiegu Nastawienia nr "
                                "%1 w dniu 05.03.2024'")
                     .arg(staged.run));
        exec(db, QStringLiteral("COMMIT"));
        exec(db, QStringLiteral("DETACH DATABASE m"));
        // Read through in one read transaction, as the print does.
        exec(db, QStringLiteral("BEGIN"));
        for (const char *table :
             {"Partia", "Badanie", "Nastawienie", "PozycjaN", "WynikTMP", "SeriaTest"})
            readThrough(db, table);
        exec(db, QStringLiteral("COMMIT"));
    }
}

void BM_StageRunCard_Plain(benchmark::State &state)
{
    const StagedRun staged = stagedRun(int(state.range(0)));
    sqlite3 *db = bench::OpenPlain(station->robotPath);
    for (auto _ : state)
        StageRunCardOne_Plain(db, staged);
    sqlite3_close(db);
}

// Card S staged, laid out and written to a PDF file.
void BM_RunCardToPdf(benchmark::State &state)
{
    const QString pdf = fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\karta.pdf"));
    int pages = 0;
    for (auto _ : state) {
        RunCard::Stage(kBatch, 15, Day);
        const report::Document card =
            RenderCrystalReport(ReportFolder + QStringLiteral("KartaBadaniaS.rpt"),
                                QStringLiteral(" {Partia.Partia} = 12"), QString(), QString());
        report::DocumentOutput::writePdf(card, pdf);
        pages = card.pageCount();
    }
    state.counters["pages"] = pages;
}

} // namespace

BENCHMARK(BM_OpenRunWindow_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOpenRunWindow_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRunWindow_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageRunCard_Layer)
    ->ArgName("samples")
    ->Arg(kSmallSamples)
    ->Arg(kBatchSamples)
    ->Arg(kLargeSamples)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageRunCard_Plain)
    ->ArgName("samples")
    ->Arg(kSmallSamples)
    ->Arg(kBatchSamples)
    ->Arg(kLargeSamples)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunCardToPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv)
{
    std::unique_ptr<Workstation> workstation;
    return bench::Main(argc, argv, [&workstation] {
        workstation = std::make_unique<Workstation>();
        station = workstation.get();
        return workstation->valid;
    });
}
