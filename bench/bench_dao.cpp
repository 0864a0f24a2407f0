// The database layer beside plain sqlite3 calls doing the same work on the
// same file: walking a 100,000-row recordset field by field, FindFirst in it,
// and 10,000 AddNew/Update in one transaction. Each layer time is read as a
// ratio to its plain pair (BM_x_Layer / BM_x_Plain); the layer aims at 1.5 at
// most for each, since every window, sheet and export walks recordsets so.
// On a busy machine, compare medians of interleaved runs:
//   --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
// Rows saved one at a time, each in a transaction of its own as a window
// saves them (BM_OneByOne*), are compared by instructions, since every save
// waits for the disk: the work of one save is a function of its own, counted
// with valgrind --tool=callgrind --toggle-collect='*OneByOne*One_*' and read
// per call (callgrind_annotate --inclusive=yes). There too the layer aims at
// 1.5 at most. Deleting every row of a list one by one costs the same per row
// at 10,000 and 100,000 rows (BM_DeleteListRowByRow), and "Czyszczenie bazy"
// empties a table within twice the layer's own DELETE FROM (BM_CleanTable).
#include "BenchSupport.h"
#include "mainwindow/TableCleaner.h"
#include "platform/db/dao.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <algorithm>
#include <vector>

using namespace dao;

namespace
{

constexpr int kRows = 100000;
constexpr int kAdded = 10000;

const QStringList &fieldNames()
{
    static const QStringList names{"Partia",  "NrProbki", "NrDzien",   "IDProbkiWNI",
                                   "Gatunek", "Wynik",    "DataDoLab", "Nawazka"};
    return names;
}

void addRow(Recordset &rs, int i)
{
    rs.AddNew();
    rs("Partia") = i / 50;
    rs("NrProbki") = i % 30000;
    rs("NrDzien") = i % 1000;
    rs("IDProbkiWNI") = QStringLiteral("0612%1").arg(i, 8, 10, QLatin1Char('0'));
    rs("Gatunek") = i % 2 ? QStringLiteral("Świnie") : QStringLiteral("Dziki");
    rs("Wynik") = QStringLiteral("nie stwierdzono");
    rs("DataDoLab") = QDate(2024, 1, 1).addDays(i % 365);
    rs("Nawazka") = 1.5 + i % 7;
    rs.Update();
}

// One file with the full table and an empty one for the additions.
struct BenchFile {
    QTemporaryDir dir;
    QString path = dir.filePath("Bench.mdb");

    BenchFile()
    {
        Database db = DBEngine::Workspaces(0).CreateDatabase(path);
        for (const QString table : {"Badanie", "Nowe"}) {
            TableDef td = db.CreateTableDef(table);
            td.Fields().Append(td.CreateField("Partia", dbLong));
            td.Fields().Append(td.CreateField("NrProbki", dbInteger));
            td.Fields().Append(td.CreateField("NrDzien", dbInteger));
            td.Fields().Append(td.CreateField("IDProbkiWNI", dbText, 14));
            td.Fields().Append(td.CreateField("Gatunek", dbText, 20));
            td.Fields().Append(td.CreateField("Wynik", dbText, 15));
            td.Fields().Append(td.CreateField("DataDoLab", dbDate));
            td.Fields().Append(td.CreateField("Nawazka", dbSingle));
            db.TableDefs().Append(td);
        }
        db.BeginTrans();
        Recordset rs = db.OpenRecordset("Badanie");
        for (int i = 0; i < kRows; ++i)
            addRow(rs, i);
        db.CommitTrans();
        db.Close();
        // The plain pair works on a copy without the engine's own table and
        // triggers, as a plain program's file is.
        QFile::copy(path, plainPath);
        sqlite3 *plain = nullptr;
        sqlite3_open(QFile::encodeName(plainPath).constData(), &plain);
        dropEngineObjects(plain);
        sqlite3_close(plain);
    }
    QString plainPath = dir.filePath("Plain.mdb");

    static void dropEngineObjects(sqlite3 *db)
    {
        QStringList drops;
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT type, name FROM sqlite_master WHERE name LIKE 'MSys%'", -1,
                           &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            drops << QStringLiteral("DROP %1 IF EXISTS \"%2\"")
                         .arg(QString::fromUtf8(
                                  reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))),
                              QString::fromUtf8(
                                  reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1))));
        }
        sqlite3_finalize(stmt);
        drops.sort(); // triggers before the table they use
        std::reverse(drops.begin(), drops.end());
        for (const QString &drop : drops)
            sqlite3_exec(db, drop.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
};

BenchFile &benchFile()
{
    static BenchFile file;
    return file;
}

sqlite3 *openPlain()
{
    return bench::OpenPlain(benchFile().plainPath);
}

QVariant plainValue(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER:
        return QVariant(int(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(float(sqlite3_column_double(stmt, column)));
    default:
        break;
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                          sqlite3_column_bytes(stmt, column));
    if (column == 6)
        return QVariant(QDate::fromString(text, Qt::ISODate));
    return QVariant(text);
}

void BM_Walk_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    for (auto _ : state) {
        Recordset rs = db.OpenRecordset("SELECT * FROM Badanie");
        qint64 sum = 0;
        while (!rs.EOF()) {
            for (const QString &name : fieldNames())
                sum += rs(name).Value().isValid() ? 1 : 0;
            rs.MoveNext();
        }
        rs.Close();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_Walk_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlain();
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Badanie", -1, &stmt, nullptr);
        qint64 sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < 8; ++c)
                sum += plainValue(stmt, c).isValid() ? 1 : 0;
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
}

const QString kSought = QStringLiteral("061200099990");

void BM_FindFirst_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    Recordset rs = db.OpenRecordset("SELECT * FROM Badanie");
    for (auto _ : state) {
        rs.FindFirst("IDProbkiWNI = " + SqlText(kSought));
        benchmark::DoNotOptimize(rs("Partia").Value());
    }
}

void BM_FindFirst_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlain();
    const QByteArray sql =
        ("SELECT * FROM Badanie WHERE IDProbkiWNI = " + SqlText(kSought)).toUtf8();
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        if (sqlite3_step(stmt) == SQLITE_ROW)
            benchmark::DoNotOptimize(plainValue(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
}

void BM_AddNew_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    for (auto _ : state) {
        db.BeginTrans();
        Recordset rs = db.OpenRecordset("Nowe");
        for (int i = 0; i < kAdded; ++i)
            addRow(rs, i);
        rs.Close();
        db.CommitTrans();
        state.PauseTiming();
        db.Execute("DELETE FROM Nowe");
        state.ResumeTiming();
    }
}

// Binds the plain's sample number `i` to an insert of Badanie's eight columns.
void bindPlainSample(sqlite3_stmt *stmt, int i)
{
    const QByteArray id = QStringLiteral("0612%1").arg(i, 8, 10, QLatin1Char('0')).toUtf8();
    const QByteArray kind = (i % 2 ? QStringLiteral("Świnie") : QStringLiteral("Dziki")).toUtf8();
    const QByteArray result = QStringLiteral("nie stwierdzono").toUtf8();
    const QByteArray day = QDate(2024, 1, 1).addDays(i % 365).toString(Qt::ISODate).toUtf8();
    sqlite3_bind_int64(stmt, 1, i / 50);
    sqlite3_bind_int64(stmt, 2, i % 30000);
    sqlite3_bind_int64(stmt, 3, i % 1000);
    sqlite3_bind_text(stmt, 4, id.constData(), int(id.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 5, kind.constData(), int(kind.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 6, result.constData(), int(result.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 7, day.constData(), int(day.size()), SQLITE_TRANSIENT);
    sqlite3_bind_double(stmt, 8, double(float(1.5 + i % 7)));
}

void BM_AddNew_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlain();
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO Nowe (Partia, NrProbki, NrDzien, IDProbkiWNI, Gatunek, "
                           "Wynik, DataDoLab, Nawazka) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
                           -1, &stmt, nullptr);
        for (int i = 0; i < kAdded; ++i) {
            bindPlainSample(stmt, i);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM Nowe", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

// One save as a window makes it, one at a time: the plain pair shows rows as
// the layer reads them, eight neighbours at a time, then opens an immediate
// transaction, reads the row again and compares it with what was shown (a
// correction or a deletion), writes and commits, its statements all kept
// prepared, as a program that saves often keeps them.
struct PlainSaves {
    sqlite3 *db = openPlain();
    sqlite3_stmt *begin = prepare("BEGIN IMMEDIATE");
    sqlite3_stmt *commit = prepare("COMMIT");
    sqlite3_stmt *insert = prepare("INSERT INTO Nowe (Partia, NrProbki, NrDzien, IDProbkiWNI, "
                                   "Gatunek, Wynik, DataDoLab, Nawazka) VALUES (?1, ?2, ?3, ?4, "
                                   "?5, ?6, ?7, ?8)");
    sqlite3_stmt *read = nullptr;
    sqlite3_stmt *page = nullptr;
    sqlite3_stmt *update = nullptr;
    sqlite3_stmt *erase = nullptr;
    static constexpr qint64 kPageRows = 8;
    // The rows shown, read a page at a time: rowid, values.
    qint64 pageFirst = 0;
    std::vector<QVariantList> pageRows;

    explicit PlainSaves(const char *table)
    {
        read = prepare(QByteArray("SELECT * FROM ") + table + " WHERE rowid = ?1");
        page = prepare(QByteArray("SELECT *, rowid FROM ") + table +
                       " WHERE rowid BETWEEN ?1 AND ?1 + " + QByteArray::number(kPageRows - 1));
        update = prepare(QByteArray("UPDATE ") + table +
                         " SET Wynik = ?1, Nawazka = ?2 "
                         "WHERE rowid = ?3");
        erase = prepare(QByteArray("DELETE FROM ") + table + " WHERE rowid = ?1");
    }
    ~PlainSaves()
    {
        for (sqlite3_stmt *stmt : {begin, commit, insert, read, page, update, erase})
            sqlite3_finalize(stmt);
        sqlite3_close(db);
    }
    sqlite3_stmt *prepare(const QByteArray &sql) const
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        return stmt;
    }
    static void run(sqlite3_stmt *stmt)
    {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
        }
        sqlite3_reset(stmt);
    }
    // The row's values as a window is shown them: from the page read last
    // when it holds the row, or else from the row's page read now.
    const QVariantList &shown(qint64 rowid)
    {
        if (pageRows.empty() || rowid < pageFirst || rowid >= pageFirst + qint64(pageRows.size())) {
            pageFirst = rowid;
            pageRows.assign(size_t(kPageRows), QVariantList());
            sqlite3_bind_int64(page, 1, rowid);
            while (sqlite3_step(page) == SQLITE_ROW) {
                QVariantList &values = pageRows[size_t(sqlite3_column_int64(page, 8) - rowid)];
                for (int c = 0; c < 8; ++c)
                    values.append(plainValue(page, c));
            }
            sqlite3_reset(page);
        }
        return pageRows[size_t(rowid - pageFirst)];
    }
    // What this program saved is what it shows of the row afterwards.
    void saved(qint64 rowid, const QVariant &result, const QVariant &weight)
    {
        QVariantList &values = pageRows[size_t(rowid - pageFirst)];
        values[5] = result;
        values[7] = weight;
    }
    // The row's values on file; empty when it is gone.
    QVariantList row(qint64 rowid) const
    {
        QVariantList values;
        sqlite3_bind_int64(read, 1, rowid);
        if (sqlite3_step(read) == SQLITE_ROW) {
            for (int c = 0; c < 8; ++c)
                values.append(plainValue(read, c));
        }
        sqlite3_reset(read);
        return values;
    }
};

Q_NEVER_INLINE void OneByOneAddNewOne_Layer(Recordset &rs, int i)
{
    addRow(rs, i);
}

Q_NEVER_INLINE void OneByOneAddNewOne_Plain(PlainSaves &plain, int i)
{
    PlainSaves::run(plain.begin);
    sqlite3_stmt *stmt = plain.insert;
    bindPlainSample(stmt, i);
    PlainSaves::run(stmt);
    PlainSaves::run(plain.commit);
}

// The rows saved one by one are numbered on across the repetitions, so that
// each save writes values its row does not hold yet: a save of values already
// stored commits nothing.
void BM_OneByOneAddNew_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    Recordset rs = db.OpenRecordset("SELECT * FROM Nowe");
    static int i = 0;
    for (auto _ : state)
        OneByOneAddNewOne_Layer(rs, i++);
    rs.Close();
    db.Execute("DELETE FROM Nowe");
}

void BM_OneByOneAddNew_Plain(benchmark::State &state)
{
    PlainSaves plain("Nowe");
    static int i = 0;
    for (auto _ : state)
        OneByOneAddNewOne_Plain(plain, i++);
    sqlite3_exec(plain.db, "DELETE FROM Nowe", nullptr, nullptr, nullptr);
}

// The next row shown (every field read), corrected and saved.
Q_NEVER_INLINE void OneByOneUpdateOne_Layer(Recordset &rs, int i)
{
    rs.MoveNext();
    qint64 shown = 0;
    for (const QString &name : fieldNames())
        shown += rs(name).Value().isValid() ? 1 : 0;
    benchmark::DoNotOptimize(shown);
    rs.Edit();
    rs("Wynik") = i % 2 ? QStringLiteral("stwierdzono") : QStringLiteral("nie stwierdzono");
    rs("Nawazka") = 1.5 + i % 7;
    rs.Update();
}

// False when the row on file is not as shown (which the plain pair never meets).
Q_NEVER_INLINE bool OneByOneUpdateOne_Plain(PlainSaves &plain, qint64 rowid, int i)
{
    const QVariantList &shown = plain.shown(rowid);
    PlainSaves::run(plain.begin);
    if (plain.row(rowid) != shown) {
        sqlite3_exec(plain.db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    const QString result =
        i % 2 ? QStringLiteral("stwierdzono") : QStringLiteral("nie stwierdzono");
    const QByteArray text = result.toUtf8();
    const float weight = float(1.5 + i % 7);
    sqlite3_bind_text(plain.update, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    sqlite3_bind_double(plain.update, 2, double(weight));
    sqlite3_bind_int64(plain.update, 3, rowid);
    PlainSaves::run(plain.update);
    PlainSaves::run(plain.commit);
    plain.saved(rowid, result, weight);
    return true;
}

// Save i corrects the row at position 1 + i % (kRows - 1), rowid 2 + i % (kRows - 1).
void BM_OneByOneUpdate_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    Recordset rs = db.OpenRecordset("SELECT * FROM Badanie");
    static int i = 0;
    rs.setAbsolutePosition(i % (kRows - 1));
    for (auto _ : state) {
        if (i % (kRows - 1) == 0) {
            state.PauseTiming();
            rs.MoveFirst();
            state.ResumeTiming();
        }
        OneByOneUpdateOne_Layer(rs, i++);
    }
}

void BM_OneByOneUpdate_Plain(benchmark::State &state)
{
    PlainSaves plain("Badanie");
    static int i = 0;
    int refused = 0;
    for (auto _ : state) {
        refused += OneByOneUpdateOne_Plain(plain, 2 + i % (kRows - 1), i) ? 0 : 1;
        ++i;
    }
    state.counters["refused"] = refused;
}

// The rows to delete one at a time, put in one statement.
QString fillNowe(benchmark::IterationCount rows)
{
    return QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                          "WHERE i < %1) INSERT INTO Nowe SELECT i / 50, i % 30000, i % 1000, "
                          "printf('0612%08d', i), 'Świnie', 'nie stwierdzono', '2024-03-01', "
                          "1.5 FROM n")
        .arg(rows);
}

// The current row shown (every field read) and deleted; the next one shown next.
Q_NEVER_INLINE void OneByOneDeleteOne_Layer(Recordset &rs)
{
    qint64 shown = 0;
    for (const QString &name : fieldNames())
        shown += rs(name).Value().isValid() ? 1 : 0;
    benchmark::DoNotOptimize(shown);
    rs.Delete();
    rs.MoveNext();
}

Q_NEVER_INLINE bool OneByOneDeleteOne_Plain(PlainSaves &plain, qint64 rowid)
{
    const QVariantList &shown = plain.shown(rowid);
    PlainSaves::run(plain.begin);
    if (plain.row(rowid) != shown) {
        sqlite3_exec(plain.db, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
    sqlite3_bind_int64(plain.erase, 1, rowid);
    PlainSaves::run(plain.erase);
    PlainSaves::run(plain.commit);
    return true;
}

void BM_OneByOneDelete_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    db.Execute(fillNowe(state.max_iterations));
    Recordset rs = db.OpenRecordset("SELECT * FROM Nowe");
    for (auto _ : state)
        OneByOneDeleteOne_Layer(rs);
    rs.Close();
    db.Execute("DELETE FROM Nowe");
}

void BM_OneByOneDelete_Plain(benchmark::State &state)
{
    PlainSaves plain("Nowe");
    sqlite3_exec(plain.db, fillNowe(state.max_iterations).toUtf8().constData(), nullptr, nullptr,
                 nullptr);
    qint64 first = 0;
    {
        sqlite3_stmt *lowest = plain.prepare("SELECT min(rowid) FROM Nowe");
        if (sqlite3_step(lowest) == SQLITE_ROW)
            first = sqlite3_column_int64(lowest, 0);
        sqlite3_finalize(lowest);
    }
    int refused = 0;
    for (auto _ : state)
        refused += OneByOneDeleteOne_Plain(plain, first++) ? 0 : 1;
    state.counters["refused"] = refused;
    sqlite3_exec(plain.db, "DELETE FROM Nowe", nullptr, nullptr, nullptr);
}

// Every row of a list deleted one by one in one transaction, as a list is
// emptied row by row; the argument is the number of rows. The time per row
// stays the same whatever the length of the list.
void BM_DeleteListRowByRow_Layer(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    for (auto _ : state) {
        state.PauseTiming();
        db.Execute(fillNowe(rows - 1));
        state.ResumeTiming();
        db.BeginTrans();
        Recordset rs = db.OpenRecordset("SELECT * FROM Nowe");
        while (rs.RecordCount() > 0) {
            rs.Delete();
            if (rs.RecordCount() > 0)
                rs.MoveNext();
        }
        rs.Close();
        db.CommitTrans();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// "Czyszczenie bazy" emptying a table of 100,000 rows (TableCleaner), beside
// the layer's own DELETE FROM of the same rows and a plain one.
constexpr int kCleaned = 100000;

void BM_CleanTable_Layer(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    for (auto _ : state) {
        state.PauseTiming();
        db.Execute(fillNowe(kCleaned - 1));
        state.ResumeTiming();
        benchmark::DoNotOptimize(TableCleaner::Empty(db, QStringLiteral("Nowe")));
    }
}

void BM_CleanTable_Statement(benchmark::State &state)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(benchFile().path);
    for (auto _ : state) {
        state.PauseTiming();
        db.Execute(fillNowe(kCleaned - 1));
        state.ResumeTiming();
        db.Execute("DELETE FROM Nowe");
    }
}

void BM_CleanTable_Plain(benchmark::State &state)
{
    sqlite3 *db = openPlain();
    const QByteArray fill = fillNowe(kCleaned - 1).toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3_exec(db, fill.constData(), nullptr, nullptr, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN IMMEDIATE; DELETE FROM Nowe; COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
}

// The memory a list of a million samples takes when every row of it was
// shown (a grid paged from the first row to the last), as the peak resident
// size of the process in MB; run alone (--benchmark_filter=Million).
void BM_ShowAMillionRows_Layer(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Million.mdb");
    {
        Database db = DBEngine::Workspaces(0).CreateDatabase(path);
        db.Execute("CREATE TABLE Badanie (Partia INTEGER, NrProbki SMALLINT, NrDzien SMALLINT, "
                   "IDProbkiWNI VARCHAR(14), Gatunek VARCHAR(20), Wynik VARCHAR(15), "
                   "DataDoLab DATETIME, Nawazka REAL)");
        db.Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < "
                   "999999) INSERT INTO Badanie SELECT 1, i % 30000, i % 1000, "
                   "printf('0612%08d', i), 'Świnie', 'nie stwierdzono', '2024-03-01', 1.5 FROM n");
        db.Close();
    }
    Database db = DBEngine::Workspaces(0).OpenDatabase(path);
    for (auto _ : state) {
        Recordset rs = db.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 1 ORDER BY "
                                        "NrDzien, NrProbki");
        const int count = rs.RecordCount();
        qint64 sum = 0;
        for (int position = 0; position < count; ++position) {
            for (int column = 0; column < 8; ++column)
                sum += rs.ValueAt(position, column).isValid() ? 1 : 0;
        }
        rs.MoveLast();
        benchmark::DoNotOptimize(sum);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
    }
}

} // namespace

BENCHMARK(BM_ShowAMillionRows_Layer)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_Walk_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Walk_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFirst_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFirst_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddNew_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddNew_Plain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneByOneAddNew_Layer)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_OneByOneAddNew_Plain)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_OneByOneUpdate_Layer)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_OneByOneUpdate_Plain)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_OneByOneDelete_Layer)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_OneByOneDelete_Plain)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_DeleteListRowByRow_Layer)
    ->ArgName("rows")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CleanTable_Layer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CleanTable_Statement)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CleanTable_Plain)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
