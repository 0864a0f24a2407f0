// The batch register over a month of 3,000 batches: opening the list and
// moving to its last row, and saving a new batch, through the register's own
// code beside the same statements made with plain sqlite3 calls.
#include "BenchSupport.h"
#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

namespace
{

constexpr int kBatches = 3000;
const QString Client = QStringLiteral("14650301");
const QString ListSql = QStringLiteral("SELECT * FROM PARTIA ORDER BY PARTIA DESC");

// An installation with a client and a month database of kBatches batches,
// open as the register finds it.
struct Month {
    QTemporaryDir dir;
    QString monthPath;
    QString stalePath;

    Month()
    {
        bench::Install(dir.path());
        stalePath = fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb"));
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(stalePath);
        monthPath = bench::CreateMonth();
        dao::Recordset clients = StaleDb.OpenRecordset(QStringLiteral("Zaklad"));
        clients.AddNew();
        clients(QStringLiteral("IdRzezni")) = Client;
        clients(QStringLiteral("Nazwa")) = QStringLiteral("Ubojnia");
        clients.Update();
        fill();
        WorkingDate = QDate(2024, 3, 5);
        OperatorSurname = QStringLiteral("Wąsik");
    }

    void fill()
    {
        dao::Transaction transaction(MonthDb);
        dao::Recordset rs = MonthDb.OpenRecordset(QStringLiteral("Partia"));
        for (int batch = 1; batch <= kBatches; ++batch) {
            rs.AddNew();
            rs(QStringLiteral("Partia")) = batch;
            rs(QStringLiteral("WNI")) = Client;
            rs(QStringLiteral("MiejscowoscPobr")) = QStringLiteral("Ostrołęka");
            rs(QStringLiteral("DataUboju")) = QDate(2024, 3, 1 + batch % 28);
            rs(QStringLiteral("Metoda")) = QStringLiteral("Metoda wytrawiania");
            rs.Update();
        }
        rs.Close();
        transaction.Commit();
    }
};

Month &month()
{
    static Month m;
    return m;
}

// Every rowid in the order given, then the columns of the last row, as a
// recordset opens and moves to its end; the last row's batch number.
int plainToLast(sqlite3 *db, const char *order)
{
    std::vector<sqlite3_int64> keys;
    sqlite3_stmt *list = nullptr;
    const QByteArray sql = QByteArray("SELECT rowid FROM Partia ORDER BY ") + order;
    sqlite3_prepare_v2(db, sql.constData(), -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(list, 0));
    sqlite3_finalize(list);
    sqlite3_stmt *row = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM Partia WHERE rowid = ?1", -1, &row, nullptr);
    sqlite3_bind_int64(row, 1, keys.back());
    int batch = 0;
    if (sqlite3_step(row) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(row); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(row, c));
        batch = sqlite3_column_int(row, 0);
    }
    sqlite3_finalize(row);
    return batch;
}

FormPartia &openRegister()
{
    FormPartia &form = ui::WindowRegistry::Instance<FormPartia>();
    form.DTPData->setText(QStringLiteral("05.03.2024"));
    form.DataPartia->setRecordset(MonthDb.OpenRecordset(ListSql));
    return form;
}

void BM_OpenListToLast_Layer(benchmark::State &state)
{
    month();
    for (auto _ : state) {
        dao::Recordset rs = MonthDb.OpenRecordset(ListSql);
        rs.MoveLast();
        benchmark::DoNotOptimize(rs(QStringLiteral("WNI")).Value());
        rs.Close();
    }
}

// The list bound to the window's data control and grid, as the main window
// opens it.
void BM_OpenListToLast_Window(benchmark::State &state)
{
    month();
    FormPartia &form = openRegister();
    for (auto _ : state) {
        dao::Recordset previous = form.DataPartia->Recordset();
        form.DataPartia->setRecordset(MonthDb.OpenRecordset(ListSql));
        previous.Close();
        form.DataPartia->Recordset().MoveLast();
        QCoreApplication::processEvents();
    }
}

void BM_OpenListToLast_Plain(benchmark::State &state)
{
    sqlite3 *db = bench::OpenPlain(month().monthPath);
    for (auto _ : state)
        benchmark::DoNotOptimize(plainToLast(db, "Partia DESC"));
    sqlite3_close(db);
}

// "&Dodaj", a valid frame and "&Zapisz": the next number, the owner's
// lookup, the duplicate check, the write and the reloaded list. The new
// batch is removed again outside the timing.
void BM_SaveBatch_Window(benchmark::State &state)
{
    month();
    ui::ScriptedUi scripted;
    FormPartia &form = openRegister();
    for (auto _ : state) {
        form.ComDodajPr->click();
        form.TextZaklad->setText(Client);
        form.DTPDataUboju->setText(QStringLiteral("04.03.2024"));
        form.TextDataPobr->setText(QStringLiteral("04.03.2024"));
        form.TextKodPIW->setText(QStringLiteral("1465"));
        form.TextMiejscowoscPobr->setText(QStringLiteral("Ostrołęka"));
        form.ComboLekarz->setEditText(QStringLiteral("Jan Kowalski"));
        form.ComZapiszFr->click();
        state.PauseTiming();
        MonthDb.Execute(QStringLiteral("DELETE FROM Partia WHERE Partia > %1").arg(kBatches));
        state.ResumeTiming();
    }
    if (!scripted.Verify())
        state.SkipWithError("a box was shown");
}

void BM_SaveBatch_Plain(benchmark::State &state)
{
    sqlite3 *monthDb = bench::OpenPlain(month().monthPath);
    sqlite3 *stale = bench::OpenPlain(month().stalePath);
    const QByteArray client = Client.toUtf8();
    for (auto _ : state) {
        // The proposal: the highest number + 1.
        const int number = plainToLast(monthDb, "Partia") + 1;
        sqlite3_stmt *lookup = nullptr;
        sqlite3_prepare_v2(stale, "SELECT * FROM Zaklad WHERE IdRzezni = ?1", -1, &lookup, nullptr);
        sqlite3_bind_text(lookup, 1, client.constData(), int(client.size()), SQLITE_STATIC);
        benchmark::DoNotOptimize(sqlite3_step(lookup));
        sqlite3_finalize(lookup);

        sqlite3_exec(monthDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt *taken = nullptr;
        sqlite3_prepare_v2(monthDb, "SELECT rowid FROM Partia WHERE Partia = ?1", -1, &taken,
                           nullptr);
        sqlite3_bind_int(taken, 1, number);
        benchmark::DoNotOptimize(sqlite3_step(taken));
        sqlite3_finalize(taken);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(monthDb,
                           "INSERT INTO Partia (Partia, NrTac, IlProbek, WNI, TypWNI, KodPIW, "
                           "MiejscowoscPobr, Pobral, ZleceniodawcaWNI, ZleceniodawcaTypWNI, "
                           "Platnik, DataUboju, DataPobr, GodzPobr, DataDoLab, GodzDoLab, "
                           "DataRozpBad, GodzRozpBad, DataZakBad, GodzZakBad, Metoda, Przyjal, "
                           "Autoryzowal, PrzekazanieWyniku, Czystopis, Uwagi, Dostarczyl) "
                           "VALUES (?1, '', '', ?2, '', '1465', 'Ostrołęka', 'Jan Kowalski', '', "
                           "NULL, 'Z', '2024-03-04', '2024-03-04', '', '2024-03-05', '07:30', "
                           "'2024-03-05', '', NULL, '', '', 'Wąsik', '', '', 'N', '', '')",
                           -1, &insert, nullptr);
        sqlite3_bind_int(insert, 1, number);
        sqlite3_bind_text(insert, 2, client.constData(), int(client.size()), SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_finalize(insert);
        sqlite3_exec(monthDb, "COMMIT", nullptr, nullptr, nullptr);
        // The list read again, standing on the new batch.
        benchmark::DoNotOptimize(plainToLast(monthDb, "Partia DESC"));

        state.PauseTiming();
        sqlite3_exec(monthDb, "DELETE FROM Partia WHERE Partia > 3000", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(stale);
    sqlite3_close(monthDb);
}

} // namespace

BENCHMARK(BM_OpenListToLast_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenListToLast_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenListToLast_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBatch_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBatch_Plain)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return bench::Main(argc, argv);
}
