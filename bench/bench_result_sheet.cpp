// Staging a batch of 1,000 samples and writing its result sheet to PDF, as
// "D&rukuj" and "Wyślij wynik" do it, without their dialogs; the staging
// alone beside the same statements made with plain sqlite3.

#include "BenchSupport.h"
#include "batches/PrzedDr.h"
#include "foundation/Globals.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/ReportStaging.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/db/DBEngine.h"
#include "platform/db/Transaction.h"
#include "platform/fs/DriveMap.h"
#include "platform/report/DocumentOutput.h"

#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace
{

constexpr int Batch = 12;
const QDate Day(2024, 3, 5);

using bench::AddRow;
using bench::Open;

void AddBatch(int samples)
{
    dao::Transaction transaction(MonthDb);
    dao::Recordset partia = MonthDb.OpenRecordset(QStringLiteral("Partia"));
    AddRow(partia, {{"Partia", Batch},
                    {"WNI", "10610001"},
                    {"ZleceniodawcaWNI", "10610001"},
                    {"Platnik", "Z"},
                    {"IlProbek", QString::number(samples)},
                    {"DataDoLab", Day},
                    {"Metoda", "Metoda wytrawiania"}});
    dao::Recordset badanie = MonthDb.OpenRecordset(QStringLiteral("Badanie"));
    for (int i = 1; i <= samples; ++i)
        AddRow(badanie, {{"Partia", Batch},
                         {"NrDzien", i},
                         {"NrOgolny", 5000 + i},
                         {"NrProbki", 100 + i},
                         {"NrTacy", 1 + i / 20},
                         {"NazTkanka", i % 7 ? "filary przepony" : "mięśnie żuchwowe"},
                         {"Gatunek", "Świnie"},
                         {"Plec", "Tucznik"},
                         {"Wynik", "nie stwierdzono"}});
    transaction.Commit();
}

// The client of the batch and its county inspectorate, which the sheet's
// one-row table names.
void AddClient()
{
    dao::Transaction transaction(StaleDb);
    dao::Recordset zaklad = StaleDb.OpenRecordset(QStringLiteral("ZAKLAD"));
    AddRow(zaklad, {{"IdRzezni", "10610001"},
                    {"Nazwa", "Zakład Mięsny Żubr"},
                    {"Miejscowosc", "Łódź"},
                    {"Ulica", "ul. Źródlana 7"},
                    {"KodPocztowy", "90-001"},
                    {"Miasto", "Łódź"},
                    {"KodPIW", "1061"}});
    dao::Recordset piw = StaleDb.OpenRecordset(QStringLiteral("PIW"));
    AddRow(piw, {{"IDPIW", "1061"},
                 {"NAZWA", "Powiatowy Inspektorat Weterynarii"},
                 {"Ulica", "ul. Weterynaryjna 2"},
                 {"KodPocztowy", "90-100"},
                 {"Miasto", "Łódź"}});
    transaction.Commit();
}

bool Install(const QString &drives, int samples)
{
    if (!bench::Install(drives))
        return false;
    StaleDb = Open(QStringLiteral("T:\\Dane\\Stale.mdb"));
    RobotDb = Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
    bench::CreateMonth();
    ReportFolder = QStringLiteral("T:\\Raporty\\");
    WorkingDate = Day;
    AddBatch(samples);
    AddClient();
    return true;
}

// As "D&rukuj" stages the sheet before its settings dialog: the tables
// emptied, the batch and its samples copied and WynikTMP filled in one
// transaction, then the staged tables read through.
// Each staging is a function of its own, so that its instructions are counted
// per call: valgrind --tool=callgrind --toggle-collect='*StageResultSheetOne_*'.
Q_NEVER_INLINE void StageResultSheetOne_Layer(const dao::Recordset &batch)
{
    StageBatchResult(batch);
}

void BM_StageResultSheet_Layer(benchmark::State &state)
{
    dao::Recordset batch = MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM Partia"));
    for (auto _ : state)
        StageResultSheetOne_Layer(batch);
    batch.Close();
}

// Every row of the table stepped through once, as the print reads the staged
// tables through: it takes their rowids and moves over them, reading no column.
void ReadThrough(sqlite3 *db, const char *table)
{
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("SELECT rowid FROM main.") + table).constData(), -1, &rows,
                       nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW) {
    }
    sqlite3_finalize(rows);
}

Q_NEVER_INLINE void StageResultSheetOne_Plain(sqlite3 *db, const QByteArray &attachMonth);

void BM_StageResultSheet_Plain(benchmark::State &state)
{
    sqlite3 *db =
        bench::OpenPlain(fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb")));
    // The dictionaries stay open, as StaleDb does; the month file is
    // attached for each print.
    const QByteArray attachStale =
        "ATTACH DATABASE '" + fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb")).toUtf8() +
        "' AS s";
    sqlite3_exec(db, attachStale.constData(), nullptr, nullptr, nullptr);
    const QByteArray attachMonth =
        "ATTACH DATABASE '" +
        fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb")).toUtf8() +
        "' AS m";
    for (auto _ : state)
        StageResultSheetOne_Plain(db, attachMonth);
    sqlite3_close(db);
}

Q_NEVER_INLINE void StageResultSheetOne_Plain(sqlite3 *db, const QByteArray &attachMonth)
{
    sqlite3_exec(db, attachMonth.constData(), nullptr, nullptr, nullptr);
    // One transaction, as the print stages the sheet.
    sqlite3_exec(
        db,
        "BEGIN; DELETE FROM main.Partia; DELETE FROM main.Badanie; "
        "DELETE FROM main.NazwaTMP; "
        "INSERT INTO main.Partia SELECT * FROM m.Partia WHERE Partia = 12; "
        "INSERT INTO main.Badanie SELECT * FROM m.Badanie WHERE Partia = 12 ORDER BY NrDzien; "
        "INSERT INTO main.NazwaTMP (Nazwa) SELECT DISTINCT NazTkanka FROM m.Badanie "
        "WHERE Partia = 12 AND NazTkanka <> ''; "
        "UPDATE main.WynikTMP SET "
        "Numer = (SELECT Partia || '/' || IlProbek || '/' || substr(DataDoLab, 1, 4) "
        "FROM m.Partia WHERE Partia = 12), "
        "PIW = (SELECT IDPIW || ' - ' || Nazwa || ' ' || Miasto FROM s.PIW "
        "WHERE IDPIW = '1061'), "
        "DataGodzUboju = (SELECT DataUboju FROM m.Partia WHERE Partia = 12), "
        "DataGodzDoLab = (SELECT DataDoLab FROM m.Partia WHERE Partia = 12), "
        "DataGodzRozpBad = (SELECT DataRozpBad FROM m.Partia WHERE Partia = 12), "
        "DataGodzZakBad = (SELECT DataZakBad FROM m.Partia WHERE Partia = 12), "
        "Zleceniodawca = (SELECT Nazwa || char(13) || Miejscowosc || ' ' || Ulica || ', ' || "
        "KodPocztowy || ' ' || Miasto FROM s.ZAKLAD WHERE IdRzezni = '10610001'), "
        "Wlasciciel = 'j.w.', Platnik = 'j.w.'; COMMIT; DETACH DATABASE m",
        nullptr, nullptr, nullptr);
    // Read through in one read transaction, as the print does.
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const char *table : {"Partia", "Badanie", "WynikTMP", "SeriaTest"})
        ReadThrough(db, table);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

void BM_StageAndWriteResultSheet(benchmark::State &state)
{
    const QString n = QString::number(Batch);
    const QString pdf = fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\wynik.pdf"));
    int pages = 0;
    dao::Recordset batch = MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM Partia"));
    for (auto _ : state) {
        StageBatchResult(batch);
        const report::Document sheet =
            RenderCrystalReport(ReportFolder + QStringLiteral("wyniki.rpt"),
                                QStringLiteral(" {Partia.Partia} = ") + n, QString(), QString());
        report::DocumentOutput::writePdf(sheet, pdf);
        pages = sheet.pageCount();
    }
    batch.Close();
    state.counters["pages"] = pages;
}

} // namespace

BENCHMARK(BM_StageResultSheet_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageResultSheet_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StageAndWriteResultSheet)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char **argv)
{
    QTemporaryDir drives;
    return bench::Main(argc, argv,
                       [&drives] { return drives.isValid() && Install(drives.path(), 1000); });
}
