#include "RowIdentity.h"

#include "ColumnType.h"
#include "Connection.h"
#include "DaoError.h"

#include <algorithm>
#include <initializer_list>
#include <sqlite3.h>

namespace dao::detail
{

namespace
{

// While the engine writes rows of its own, what SQLite reports of them is not
// the caller's.
class Quiet
{
public:
    explicit Quiet(bool &flag) : flag_(flag) { flag_ = true; }
    Quiet(const Quiet &) = delete;
    Quiet &operator=(const Quiet &) = delete;
    ~Quiet() { flag_ = false; }

private:
    bool &flag_;
};

// Runs `sql`, whose %1 is `table`, with `values` bound in order; the first
// column of its first row, 0 when it gives none.
qint64 runOwn(Connection &connection, const QString &sql, const QString &table,
              std::initializer_list<qint64> values, SqlContext context = SqlContext::Query)
{
    Statement statement = connection.Prepare(sql.arg(ColumnType::Quote(table)), context, table);
    int index = 0;
    for (const qint64 value : values)
        statement.Bind(++index, value);
    return statement.Step() ? statement.Int64(0) : 0;
}

qint64 highestOf(Connection &connection, const QString &table)
{
    return runOwn(connection, QStringLiteral("SELECT max(rowid) FROM %1"), table, {});
}

// The highest rowid of the rows other than a statement's new ones from `first` on.
qint64 highestBelow(Connection &connection, const QString &table, qint64 first)
{
    return runOwn(connection, QStringLiteral("SELECT max(rowid) FROM %1 WHERE rowid < ?1"), table,
                  {first});
}

[[noreturn]] void refuseRowid(const QString &table, qint64 rowid)
{
    throw Error(err::InvalidOperation,
                QStringLiteral("Nowy wiersz tabeli '%1' nie może mieć identyfikatora %2: ma go "
                               "albo miał go już inny wiersz.")
                    .arg(table)
                    .arg(rowid));
}

} // namespace

const QString &RowIdentity::MarksTable()
{
    static const QString name = QStringLiteral("MSysRowidMarks");
    return name;
}

RowIdentity::Pending &RowIdentity::pendingFor(const char *table)
{
    if (!last_ || lastTable_ != table) {
        lastTable_ = table;
        last_ = &pending_[lastTable_];
    }
    return *last_;
}

void RowIdentity::Deleted(const char *table, qint64 rowid)
{
    if (settling_)
        return;
    Pending &pending = pendingFor(table);
    pending.maxDeleted = std::max(pending.maxDeleted, rowid);
}

void RowIdentity::Inserted(const char *table, qint64 rowid)
{
    if (settling_)
        return;
    Pending &pending = pendingFor(table);
    if (pending.inserted == 0) {
        pending.minInserted = rowid;
    } else {
        pending.ascending = pending.ascending && rowid == pending.maxInserted + 1;
        pending.minInserted = std::min(pending.minInserted, rowid);
    }
    pending.maxInserted = std::max(pending.maxInserted, rowid);
    ++pending.inserted;
}

void RowIdentity::Discard()
{
    pending_.clear();
    last_ = nullptr;
    named_ = false;
}

qint64 RowIdentity::markOf(Connection &connection, const QString &table)
{
    // Other workstations change a mark only in commits of theirs, which
    // change the file's data version.
    const qint64 version = connection.DataVersion();
    KnownMark &known = marks_[table.toLower()];
    if (known.dataVersion == version)
        return known.mark;
    known.mark = 0;
    // Files written before the marks followed the tables' own names may keep
    // a mark under another spelling of the name.
    if (marksExist(connection)) {
        Statement statement = connection.Prepare(
            QStringLiteral("SELECT max(mark) FROM %1 WHERE tbl = ?1 COLLATE NOCASE")
                .arg(MarksTable()),
            SqlContext::Query, table);
        statement.Bind(1, table);
        if (statement.Step())
            known.mark = statement.Int64(0);
    }
    known.dataVersion = version;
    return known.mark;
}

bool RowIdentity::marksExist(Connection &connection)
{
    const qint64 version = connection.SchemaVersion();
    if (version != marksCheckedAt_) {
        Statement exists = connection.Prepare(
            QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1"),
            SqlContext::Schema);
        exists.Bind(1, MarksTable());
        marksExist_ = exists.Step();
        marksCheckedAt_ = version;
    }
    return marksExist_;
}

void RowIdentity::setMark(Connection &connection, const QString &table, qint64 mark)
{
    if (!marksExist(connection))
        connection.Run(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (tbl TEXT PRIMARY KEY, mark "
                                      "INTEGER NOT NULL) WITHOUT ROWID")
                           .arg(MarksTable()),
                       SqlContext::Schema, MarksTable());
    Statement statement = connection.Prepare(
        QStringLiteral("INSERT INTO %1 (tbl, mark) VALUES (?1, ?2) ON CONFLICT (tbl) DO UPDATE "
                       "SET mark = max(mark, excluded.mark)")
            .arg(MarksTable()),
        SqlContext::Write, MarksTable());
    statement.Bind(1, table);
    statement.Bind(2, mark);
    statement.Step();
    marks_[table.toLower()] = KnownMark{connection.DataVersion(), mark};
}

void RowIdentity::Settle(Connection &connection)
{
    moved_.clear();
    const bool named = named_;
    named_ = false;
    if (pending_.empty())
        return;
    // Rowids that rollbacks took back count as deleted until a commit keeps
    // their marks; a statement that wrote rows holds the write lock already.
    for (const auto &[table, rowid] : owed_) {
        Pending &pending = pendingFor(table.c_str());
        pending.maxDeleted = std::max(pending.maxDeleted, rowid);
    }
    owedWritten_ = !owed_.empty();
    std::unordered_map<std::string, Pending> pending;
    pending.swap(pending_);
    last_ = nullptr;
    const Quiet quiet(settling_);
    for (const auto &[name, rows] : pending) {
        const QString table = QString::fromStdString(name);
        if (table.compare(MarksTable(), Qt::CaseInsensitive) == 0)
            continue;
        if (named && rows.inserted > 0 && !newRowsOnTop(connection, table, rows))
            refuseRowid(table, rows.minInserted);
        if (IsScratch(name.c_str())) {
            if (rows.maxDeleted > 0)
                ScratchEmptied(name.c_str());
            // Given all the same: a rollback retires them in the lists.
            if (rows.inserted > 0)
                give(name, rows.minInserted, rows.maxInserted);
            continue;
        }
        qint64 mark = markOf(connection, table);
        if (rows.maxDeleted > mark) {
            const qint64 highest = rows.inserted > 0
                                       ? highestBelow(connection, table, rows.minInserted)
                                       : highestOf(connection, table);
            if (rows.maxDeleted > highest) {
                setMark(connection, table, rows.maxDeleted);
                mark = rows.maxDeleted;
            }
        }
        if (rows.inserted == 0)
            continue;
        qint64 by = 0;
        if (rows.minInserted <= mark) {
            // SQLite gave the new rows the rowids after the table's highest,
            // which the mark says were given before. A rowid the statement
            // named itself is refused instead.
            if (named && highestBelow(connection, table, rows.minInserted) + 1 != rows.minInserted)
                refuseRowid(table, rows.minInserted);
            by = std::max(rows.maxInserted, mark) + 1 - rows.minInserted;
            runOwn(connection,
                   QStringLiteral("UPDATE %1 SET rowid = rowid + ?1 WHERE rowid BETWEEN ?2 AND ?3"),
                   table, {by, rows.minInserted, rows.maxInserted}, SqlContext::Write);
            moved_.insert(table.toLower(), Moved{rows.minInserted, rows.maxInserted, by});
        }
        give(name, rows.minInserted + by, rows.maxInserted + by);
    }
}

bool RowIdentity::newRowsOnTop(Connection &connection, const QString &table, const Pending &rows)
{
    // SQLite's own rowids follow one another past every row of the table.
    if (!rows.ascending || rows.maxInserted - rows.minInserted + 1 != rows.inserted)
        return false;
    return runOwn(connection, QStringLiteral("SELECT count(*) FROM %1 WHERE rowid >= ?1"), table,
                  {rows.minInserted}) == rows.inserted;
}

qint64 RowIdentity::Now(const QString &table, qint64 rowid) const
{
    if (moved_.isEmpty())
        return rowid;
    const auto it = moved_.constFind(table.toLower());
    if (it == moved_.cend() || rowid < it->first || rowid > it->last)
        return rowid;
    return rowid + it->by;
}

void RowIdentity::give(const std::string &table, qint64 first, qint64 last)
{
    if (levels_.empty())
        return;
    auto [it, added] = levels_.back().try_emplace(table, Given{table, first, last});
    if (!added) {
        it->second.first = std::min(it->second.first, first);
        it->second.last = std::max(it->second.last, last);
    }
}

void RowIdentity::Began()
{
    levels_.emplace_back();
}

void RowIdentity::Committed(bool outermost)
{
    if (outermost) {
        levels_.clear();
        if (owedWritten_)
            owed_.clear();
        owedWritten_ = false;
        return;
    }
    if (levels_.empty())
        return;
    auto level = std::move(levels_.back());
    levels_.pop_back();
    for (const auto &[table, given] : level)
        give(table, given.first, given.last);
}

std::vector<RowIdentity::Given> RowIdentity::RolledBack(bool outermost)
{
    Discard();
    moved_.clear();
    // The marks read or written in the rolled-back part are read again.
    marks_.clear();
    marksCheckedAt_ = -1;
    // Owed marks written in the rolled-back part are owed again.
    owedWritten_ = false;
    std::vector<Given> taken;
    if (!levels_.empty()) {
        for (const auto &[table, given] : levels_.back())
            taken.push_back(given);
        levels_.pop_back();
    }
    if (outermost)
        levels_.clear();
    for (const Given &given : taken) {
        qint64 &owed = owed_[given.table];
        owed = std::max(owed, given.last);
        // The level around it gave them too, should it be rolled back as well.
        give(given.table, given.first, given.last);
    }
    return taken;
}

void RowIdentity::SetScratch(const QStringList &tables)
{
    scratch_.clear();
    for (const QString &table : tables)
        scratch_.push_back(table.toLower().toStdString());
}

bool RowIdentity::IsScratch(const char *table) const
{
    for (const std::string &name : scratch_) {
        if (sqlite3_stricmp(name.c_str(), table) == 0)
            return true;
    }
    return false;
}

void RowIdentity::ScratchEmptied(const char *table)
{
    if (std::find(scratchEmptied_.begin(), scratchEmptied_.end(), table) == scratchEmptied_.end())
        scratchEmptied_.emplace_back(table);
}

std::vector<std::string> RowIdentity::TakeScratchEmptied()
{
    std::vector<std::string> emptied;
    emptied.swap(scratchEmptied_);
    return emptied;
}

void RowIdentity::Restamp(qint64 before, qint64 after)
{
    for (KnownMark &known : marks_) {
        if (known.dataVersion == before)
            known.dataVersion = after;
    }
}

} // namespace dao::detail
