// The sample register in a month of 100,000 samples: opening the window on a
// batch of 1,000 samples, saving one sample, and importing an order file of
// 1,000 sample lines, through the register's own code beside the same
// statements made with plain sqlite3 calls.
#include "BenchSupport.h"
#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/fs/Cp1250.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"
#include "samples/FormNumery.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <map>
#include <vector>

namespace
{

constexpr int kBatches = 100;
constexpr int kPerBatch = 1000;
constexpr int kOpened = 50;    // the batch the window opens
constexpr int kImported = 101; // the empty batch the order file goes into
const QString Client = QStringLiteral("14650301");
const QString OrderFile = QStringLiteral("T:\\Zlecenia\\zlecenie.txt");

QDate deliveryOf(int batch)
{
    return QDate(2024, 3, 1 + batch % 28);
}

BatchHeading heading(int batch)
{
    return {batch, deliveryOf(batch), Client, Client};
}

// An installation with a month database of kBatches batches of kPerBatch
// samples each, and an order file of kPerBatch sample lines.
struct Month {
    QTemporaryDir dir;
    QString monthPath;
    QString stalePath;
    QString orderPath;

    Month()
    {
        bench::Install(dir.path());
        stalePath = fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb"));
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(stalePath);
        monthPath = bench::CreateMonth();
        fill();
        WorkingDate = QDate(2024, 3, 5);
        writeOrderFile();
    }

    void fill()
    {
        dao::Transaction transaction(MonthDb);
        dao::Recordset batches = MonthDb.OpenRecordset(QStringLiteral("Partia"));
        dao::Recordset samples = MonthDb.OpenRecordset(QStringLiteral("Badanie"));
        std::map<QDate, int> daily;
        int general = 0;
        for (int batch = 1; batch <= kBatches + 1; ++batch) {
            batches.AddNew();
            batches(QStringLiteral("Partia")) = batch;
            batches(QStringLiteral("WNI")) = Client;
            batches(QStringLiteral("DataPobr")) = deliveryOf(batch).addDays(-1);
            batches(QStringLiteral("DataDoLab")) = deliveryOf(batch);
            batches.Update();
            for (int carcass = 1; batch <= kBatches && carcass <= kPerBatch; ++carcass) {
                samples.AddNew();
                samples(QStringLiteral("Partia")) = batch;
                samples(QStringLiteral("NrProbki")) = carcass;
                samples(QStringLiteral("NrDzien")) = ++daily[deliveryOf(batch)];
                samples(QStringLiteral("NrOgolny")) = ++general;
                samples(QStringLiteral("IDProbkiWNI")) = Client;
                samples(QStringLiteral("IDProbkiNr")) =
                    QString::number(carcass).rightJustified(3, '0');
                samples(QStringLiteral("IDProbkiData")) = QStringLiteral("04032024");
                samples(QStringLiteral("NrTacy")) = 1 + carcass / 50;
                samples(QStringLiteral("NazTkanka")) = QStringLiteral("filary przepony");
                samples(QStringLiteral("Gatunek")) = QStringLiteral("Świnie");
                samples(QStringLiteral("Plec")) = QStringLiteral("Tucznik");
                samples(QStringLiteral("Wynik")) = QStringLiteral("nie stwierdzono");
                samples(QStringLiteral("DataDoLab")) = deliveryOf(batch);
                samples.Update();
            }
        }
        transaction.Commit();
    }

    void writeOrderFile()
    {
        QStringList lines{QStringLiteral("[PartiaMervask]|1-20|1000|14650301")};
        for (int n = 1; n <= kPerBatch; ++n)
            lines.append(QStringLiteral("P|%1|14650301|%2|04032024|%3|część żebrowa "
                                        "przepony|Świnie|Tucznik|próbka %1")
                             .arg(n)
                             .arg(n, 3, 10, QLatin1Char('0'))
                             .arg(1 + n / 50));
        orderPath = fs::DriveMap::ToReal(OrderFile);
        QDir().mkpath(QFileInfo(orderPath).absolutePath());
        QFile file(orderPath);
        file.open(QIODevice::WriteOnly);
        file.write(fs::Cp1250::Encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }
};

Month &month()
{
    static Month m;
    return m;
}

sqlite3_int64 scalar(sqlite3 *db, const char *sql, const std::vector<QByteArray> &texts = {},
                     const std::vector<sqlite3_int64> &numbers = {})
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    int i = 1;
    for (const QByteArray &t : texts)
        sqlite3_bind_text(stmt, i++, t.constData(), int(t.size()), SQLITE_STATIC);
    for (sqlite3_int64 n : numbers)
        sqlite3_bind_int64(stmt, i++, n);
    sqlite3_int64 value = 0;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

// The rowids of the batch's samples in the list's order, and the first rows
// the list shows.
void plainOpenList(sqlite3 *db, int batch)
{
    std::vector<sqlite3_int64> keys;
    sqlite3_stmt *list = nullptr;
    sqlite3_prepare_v2(
        db, "SELECT rowid FROM Badanie WHERE Partia = ?1 ORDER BY Partia, NrProbki, rowid", -1,
        &list, nullptr);
    sqlite3_bind_int(list, 1, batch);
    while (sqlite3_step(list) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(list, 0));
    sqlite3_finalize(list);
    sqlite3_stmt *row = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM Badanie WHERE rowid = ?1", -1, &row, nullptr);
    for (size_t k = 0; k < keys.size() && k < 30; ++k) {
        sqlite3_bind_int64(row, 1, keys[k]);
        if (sqlite3_step(row) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(row); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(row, c));
        sqlite3_reset(row);
    }
    sqlite3_finalize(row);
}

void plainReadAll(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        benchmark::DoNotOptimize(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
}

// The door: the batch's list bound and shown, the species, sexes and tissues
// read, the window closed again. `first`: on the window's first opening in a
// run of the program, its controls and lists built too (the window dropped
// outside the timing before each iteration).
void openWindow(benchmark::State &state, bool first)
{
    month();
    ui::ScriptedUi scripted;
    for (auto _ : state) {
        if (first) {
            state.PauseTiming();
            ui::WindowRegistry::Reset();
            state.ResumeTiming();
        }
        scripted.AnswerWindow(QStringLiteral("FormBadanie"), [](QWidget &window) {
            QCoreApplication::processEvents();
            benchmark::DoNotOptimize(static_cast<FormBadanie &>(window).DataBad->RowCount());
        });
        FormBadanie::OpenForBatch(heading(kOpened));
    }
    if (!scripted.Verify())
        state.SkipWithError("a box was shown");
}

void BM_OpenWindow_Window(benchmark::State &state)
{
    openWindow(state, false);
}

void BM_FirstOpenWindow_Window(benchmark::State &state)
{
    openWindow(state, true);
}

void BM_OpenWindow_Plain(benchmark::State &state)
{
    sqlite3 *monthDb = bench::OpenPlain(month().monthPath);
    sqlite3 *stale = bench::OpenPlain(month().stalePath);
    for (auto _ : state) {
        plainOpenList(monthDb, kOpened);
        plainReadAll(stale, "SELECT * FROM Gatunek ORDER BY NazGatunek");
        plainReadAll(stale, "SELECT * FROM GATUNEK WHERE NazGatunek = 'Świnie'");
        plainReadAll(stale, "SELECT * FROM PLEC WHERE IDGATUNEK = 1 ORDER BY NazPLEC");
        plainReadAll(stale, "SELECT * FROM TKANKA ORDER BY NazTkanka");
    }
    sqlite3_close(stale);
    sqlite3_close(monthDb);
}

// "&Dodaj", a tray and a sex, "&Zapisz": the proposals, the checks inside the
// transaction, the write. The new sample is removed outside the timing.
void BM_SaveSample_Window(benchmark::State &state)
{
    month();
    ui::ScriptedUi scripted;
    for (auto _ : state) {
        state.PauseTiming();
        scripted.AnswerWindow(QStringLiteral("FormBadanie"), [&state](QWidget &window) {
            auto &form = static_cast<FormBadanie &>(window);
            state.ResumeTiming();
            form.ComDodajPr->click();
            form.TextNrTacy->setText(QStringLiteral("3"));
            form.ComboPlec->setEditText(QStringLiteral("Tucznik"));
            form.ComboTkanka->setEditText(QStringLiteral("filary przepony"));
            form.ComZapiszFr->click();
            state.PauseTiming();
        });
        FormBadanie::OpenForBatch(heading(kOpened));
        MonthDb.Execute(
            QStringLiteral("DELETE FROM Badanie WHERE NrOgolny > %1").arg(kBatches * kPerBatch));
        state.ResumeTiming();
    }
    if (MonthDb.OpenRecordset(QStringLiteral("Badanie")).RecordCount() != kBatches * kPerBatch ||
        !scripted.Verify())
        state.SkipWithError("the save did not go as planned");
}

void BM_SaveSample_Plain(benchmark::State &state)
{
    sqlite3 *db = bench::OpenPlain(month().monthPath);
    const QByteArray day = deliveryOf(kOpened).toString(Qt::ISODate).toUtf8();
    for (auto _ : state) {
        // The proposals.
        const sqlite3_int64 carcass =
            scalar(db, "SELECT MAX(NrProbki) FROM Badanie WHERE Partia = ?1", {}, {kOpened}) + 1;
        scalar(db, "SELECT WNI, DataPobr FROM Partia WHERE Partia = ?1", {}, {kOpened});
        const sqlite3_int64 daily =
            scalar(db, "SELECT MAX(NrDzien) FROM Badanie WHERE DataDoLab = ?1", {day}) + 1;
        const sqlite3_int64 general = scalar(db, "SELECT MAX(NrOgolny) FROM Badanie") + 1;
        // The checks and the write.
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        scalar(db, "SELECT rowid FROM Badanie WHERE DataDoLab = ?1 AND NrDzien = ?2", {day},
               {daily});
        scalar(db, "SELECT rowid FROM Badanie WHERE NrOgolny = ?1", {}, {general});
        scalar(db, "SELECT rowid FROM Badanie WHERE Partia = ?1 AND NrProbki = ?2", {},
               {kOpened, carcass});
        scalar(db,
               "INSERT INTO Badanie (Partia, NrProbki, NrTacy, IDProbkiWNI, IDProbkiNr, "
               "IDProbkiData, NazTkanka, Gatunek, Plec, NrDzien, NrOgolny, Wynik, Opis, DataDoLab, "
               "Uwagi, IDProbki) VALUES (?3, ?4, 3, '14650301', '1001', '04032024', 'filary "
               "przepony', 'Świnie', 'Tucznik', ?5, ?6, '', 'Próbka bez zmian', ?1, '', ?2)",
               {day, QByteArray("14650301100104032024")}, {kOpened, carcass, daily, general});
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM Badanie WHERE NrOgolny > 100000", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

// The order file handed over with the batch: the start numbers confirmed,
// every line written. The imported samples are removed outside the timing.
void BM_Import1000_Window(benchmark::State &state)
{
    month();
    ui::ScriptedUi scripted;
    for (auto _ : state) {
        scripted.AnswerWindow(QStringLiteral("FormBadanie"));
        scripted.AnswerWindow(QStringLiteral("FormNumery"), [](QWidget &window) {
            static_cast<FormNumery &>(window).ComOk->click();
        });
        FormBadanie::OpenForBatch(heading(kImported), OrderFile);
        state.PauseTiming();
        const int imported =
            MonthDb
                .OpenRecordset(
                    QStringLiteral("SELECT * FROM Badanie WHERE Partia = %1").arg(kImported))
                .RecordCount();
        if (imported != kPerBatch)
            state.SkipWithError("the import did not store every line");
        MonthDb.Execute(QStringLiteral("DELETE FROM Badanie WHERE Partia = %1").arg(kImported));
        state.ResumeTiming();
    }
    if (!scripted.Verify())
        state.SkipWithError("a box was shown");
}

void BM_Import1000_Plain(benchmark::State &state)
{
    sqlite3 *db = bench::OpenPlain(month().monthPath);
    const QByteArray day = deliveryOf(kImported).toString(Qt::ISODate).toUtf8();
    for (auto _ : state) {
        QFile file(month().orderPath);
        file.open(QIODevice::ReadOnly);
        const QStringList lines =
            fs::Cp1250::Decode(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const sqlite3_int64 daily =
            scalar(db, "SELECT MAX(NrDzien) FROM Badanie WHERE DataDoLab = ?1", {day}) + 1;
        const sqlite3_int64 general = scalar(db, "SELECT MAX(NrOgolny) FROM Badanie") + 1;
        const sqlite3_int64 count = lines.size() - 1;
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        scalar(db, "SELECT rowid FROM Badanie WHERE DataDoLab = ?1 AND NrDzien BETWEEN ?2 AND ?3",
               {day}, {daily, daily + count - 1});
        scalar(db, "SELECT rowid FROM Badanie WHERE NrOgolny BETWEEN ?1 AND ?2", {},
               {general, general + count - 1});
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Badanie (NrDzien, NrOgolny, Partia, NrProbki, IDProbkiWNI, "
                           "IDProbkiNr, IDProbkiData, NrTacy, NazTkanka, Gatunek, Plec, Uwagi, "
                           "DataDoLab, IDProbki) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                           "?11, ?12, ?13, ?14)",
                           -1, &insert, nullptr);
        for (sqlite3_int64 k = 0; k < count; ++k) {
            const QStringList f = lines.at(k + 1).split(QLatin1Char('|'));
            std::vector<QByteArray> texts;
            for (int n = 1; n <= 9; ++n)
                texts.push_back(f.value(n).toUtf8());
            const QByteArray id = texts[1] + texts[2] + texts[3];
            sqlite3_bind_int64(insert, 1, daily + k);
            sqlite3_bind_int64(insert, 2, general + k);
            sqlite3_bind_int(insert, 3, kImported);
            sqlite3_bind_int(insert, 4, texts[0].toInt());
            for (int n = 1; n <= 3; ++n)
                sqlite3_bind_text(insert, 4 + n, texts[n].constData(), int(texts[n].size()),
                                  SQLITE_STATIC);
            sqlite3_bind_int(insert, 8, texts[4].toInt());
            for (int n = 5; n <= 8; ++n)
                sqlite3_bind_text(insert, 4 + n, texts[n].constData(), int(texts[n].size()),
                                  SQLITE_STATIC);
            sqlite3_bind_text(insert, 13, day.constData(), int(day.size()), SQLITE_STATIC);
            sqlite3_bind_text(insert, 14, id.constData(), int(id.size()), SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM Badanie WHERE Partia = 101", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

// The sample window on a batch of a million samples, its grid read from the
// first row to the last as a user paging through it would have it shown:
// the peak resident size of the process in MB, run alone
// (--benchmark_filter=Million).
void BM_WindowOfAMillionSamples(benchmark::State &state)
{
    month();
    constexpr int kMillionBatch = 102;
    MonthDb.Execute(
        QStringLiteral(
            "INSERT INTO Partia (Partia, WNI, DataDoLab) VALUES (%1, '%2', '2024-03-05')")
            .arg(kMillionBatch)
            .arg(Client));
    MonthDb.Execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
                       "1000000) INSERT INTO Badanie (Partia, NrProbki, NrDzien, NrOgolny, "
                       "IDProbkiWNI, IDProbkiNr, IDProbkiData, NrTacy, NazTkanka, Gatunek, Plec, "
                       "Wynik, DataDoLab) SELECT %1, i, i, 200000 + i, '%2', printf('%03d', i "
                       "% 1000), '04032024', 1 + i / 50, 'filary przepony', 'Świnie', "
                       "'Tucznik', 'nie stwierdzono', '2024-03-05' FROM n")
            .arg(kMillionBatch)
            .arg(Client));
    ui::ScriptedUi scripted;
    for (auto _ : state) {
        scripted.AnswerWindow(QStringLiteral("FormBadanie"), [](QWidget &window) {
            const QAbstractItemModel *grid = static_cast<FormBadanie &>(window).DBGridBad->model();
            qint64 shown = 0;
            for (int row = 0; row < grid->rowCount(); ++row) {
                for (int column = 0; column < grid->columnCount(); ++column)
                    shown += grid->index(row, column).data().isValid() ? 1 : 0;
            }
            benchmark::DoNotOptimize(shown);
        });
        FormBadanie::OpenForBatch(heading(kMillionBatch));
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
    }
    if (!scripted.Verify())
        state.SkipWithError("a box was shown");
}

} // namespace

BENCHMARK(BM_WindowOfAMillionSamples)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_OpenWindow_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstOpenWindow_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWindow_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSample_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSample_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import1000_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import1000_Plain)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return bench::Main(argc, argv);
}
