// Staging a batch of 1,000 samples and writing its result sheet to PDF, as
// "D&rukuj" and "Wyślij wynik" do it, without their dialogs; the staging
// alone beside the same copy made with plain sqlite3.

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
    return true;
}

// As the sheet's print stages it: the tables emptied in one commit, then the
// batch copied through one attachment of the month file.
void StageBatch(const QString &n)
{
    CzyscPrzedDr({"Partia", "Badanie", "NazwaTmp"});
    const StagingMonth month;
    PrzedDr(QStringLiteral("Partia"), QStringLiteral("Partia"), n, false);
    PrzedDr(QStringLiteral("Badanie"), QStringLiteral("Partia"), n, true);
}

void BM_StageResultSheet_Layer(benchmark::State &state)
{
    for (auto _ : state)
        StageBatch(QString::number(Batch));
}

void BM_StageResultSheet_Plain(benchmark::State &state)
{
    sqlite3 *db =
        bench::OpenPlain(fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb")));
    const QByteArray attach =
        "ATTACH DATABASE '" +
        fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb")).toUtf8() +
        "' AS m";
    sqlite3_exec(db, attach.constData(), nullptr, nullptr, nullptr);
    for (auto _ : state) {
        sqlite3_exec(db,
                     "BEGIN; DELETE FROM main.Partia; DELETE FROM main.Badanie; "
                     "DELETE FROM main.NazwaTMP; COMMIT; "
                     "BEGIN; INSERT INTO main.Partia SELECT * FROM m.Partia WHERE Partia = 12; "
                     "COMMIT; BEGIN; INSERT INTO main.Badanie SELECT * FROM m.Badanie "
                     "WHERE Partia = 12 ORDER BY NrDzien; INSERT INTO main.NazwaTMP (Nazwa) "
                     "SELECT DISTINCT NazTkanka FROM m.Badanie WHERE Partia = 12 AND "
                     "NazTkanka <> ''; COMMIT",
                     nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
}

void BM_StageAndWriteResultSheet(benchmark::State &state)
{
    const QString n = QString::number(Batch);
    const QString pdf = fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Eksport\\wynik.pdf"));
    int pages = 0;
    for (auto _ : state) {
        StageBatch(n);
        dao::Recordset batch = MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM Partia"));
        FillWynikTMP(batch);
        batch.Close();
        const report::Document sheet =
            RenderCrystalReport(ReportFolder + QStringLiteral("wyniki.rpt"),
                                QStringLiteral(" {Partia.Partia} = ") + n, QString(), QString());
        report::DocumentOutput::writePdf(sheet, pdf);
        pages = sheet.pageCount();
    }
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
