#include "RowIdentity.h"

#include "ColumnType.h"
#include "Connection.h"

#include <QRegularExpression>

#include <algorithm>
#include <initializer_list>

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

// Runs `sql`, whose %1 is `table`, with `values` bound in order.
void runOwn(Connection &connection, const QString &sql, const QString &table,
            std::initializer_list<qint64> values)
{
    Statement statement =
        connection.Prepare(sql.arg(ColumnType::Quote(table)), SqlContext::Write, table);
    int index = 0;
    for (const qint64 value : values)
        statement.Bind(++index, value);
    statement.Step();
}

qint64 highestOf(Connection &connection, const QString &table)
{
    Statement statement = connection.Prepare(
        QStringLiteral("SELECT max(rowid) FROM %1").arg(ColumnType::Quote(table)),
        SqlContext::Query, table);
    return statement.Step() ? statement.Int64(0) : 0;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

// Whether `text` names `word` as a whole word, in any letter case. Built
// once per statement, a pattern would cost more than the statement's own
// preparation.
bool mentions(QStringView text, QStringView word)
{
    for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + word.size();
        if ((at == 0 || !isWordCharacter(text[at - 1])) &&
            (end == text.size() || !isWordCharacter(text[end])))
            return true;
    }
    return false;
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
    pending.minInserted = pending.minInserted ? std::min(pending.minInserted, rowid) : rowid;
    pending.maxInserted = std::max(pending.maxInserted, rowid);
}

void RowIdentity::Emptying(Connection &connection, const QString &table)
{
    const qint64 highest = highestOf(connection, table);
    if (highest > 0)
        Deleted(table.toUtf8().constData(), highest);
}

void RowIdentity::Forget()
{
    marksCheckedAt_ = -1;
    pending_.clear();
    last_ = nullptr;
    marks_.clear();
}

qint64 RowIdentity::markOf(Connection &connection, const QString &table)
{
    // Other workstations change a mark only in commits of theirs, which
    // change the file's data version.
    const qint64 version = connection.DataVersion();
    KnownMark &known = marks_[table];
    if (known.dataVersion == version)
        return known.mark;
    known.mark = 0;
    if (marksExist(connection)) {
        Statement statement = connection.Prepare(
            QStringLiteral("SELECT mark FROM %1 WHERE tbl = ?1").arg(MarksTable()),
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
    marks_[table] = KnownMark{connection.DataVersion(), mark};
}

void RowIdentity::Settle(Connection &connection)
{
    moved_.clear();
    if (pending_.empty())
        return;
    std::unordered_map<std::string, Pending> pending;
    pending.swap(pending_);
    last_ = nullptr;
    const Quiet quiet(settling_);
    for (const auto &[name, rows] : pending) {
        const QString table = QString::fromStdString(name);
        if (table.compare(MarksTable(), Qt::CaseInsensitive) == 0)
            continue;
        qint64 mark = markOf(connection, table);
        if (rows.maxDeleted > mark && rows.maxDeleted > highestOf(connection, table)) {
            setMark(connection, table, rows.maxDeleted);
            mark = rows.maxDeleted;
        }
        if (rows.minInserted > 0 && rows.minInserted <= mark) {
            // The rows inserted since hold every rowid from the first of
            // them on: they move together, past the mark, in their order.
            const qint64 by = std::max(highestOf(connection, table), mark) + 1 - rows.minInserted;
            runOwn(connection, QStringLiteral("UPDATE %1 SET rowid = rowid + ?1 WHERE rowid >= ?2"),
                   table, {by, rows.minInserted});
            moved_.insert(table, Moved{rows.minInserted, rows.maxInserted, by});
        }
    }
}

RowIdentity::Written RowIdentity::Classify(const QString &sql)
{
    static const QString name = QStringLiteral(R"((?:main\.)?("[^"]+"|\[[^\]]+\]|`[^`]+`|\w+))");
    static const QRegularExpression writes(
        QStringLiteral(R"(^\s*(INSERT|REPLACE|DELETE|UPDATE|WITH)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression empties(QStringLiteral(R"(^\s*DELETE\s+FROM\s+)") + name +
                                                QStringLiteral(R"(\s*;?\s*$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inserts(
        QStringLiteral(R"(^\s*(?:INSERT(?:\s+OR\s+\w+)?|REPLACE)\s+INTO\s+)") + name,
        QRegularExpression::CaseInsensitiveOption);
    const auto bare = [](QString text) {
        if (text.size() > 1 && QStringLiteral("\"[`").contains(text.front()))
            text = text.mid(1, text.size() - 2);
        return text;
    };
    Written statement;
    // The first word tells most statements apart without a pattern.
    const QStringView text = QStringView(sql).trimmed();
    const auto startsWith = [text](const char *word) {
        return text.startsWith(QLatin1String(word), Qt::CaseInsensitive);
    };
    const bool deletes = startsWith("DELETE");
    const bool insertsRows = startsWith("INSERT") || startsWith("REPLACE");
    if (!deletes && !insertsRows && !startsWith("UPDATE") && !startsWith("WITH"))
        return statement;
    statement.writesRows = writes.match(sql).hasMatch();
    if (!statement.writesRows)
        return statement;
    if (const auto match = deletes ? empties.match(sql) : QRegularExpressionMatch();
        match.hasMatch())
        statement.emptied = bare(match.captured(1));
    if (const auto match = insertsRows ? inserts.match(sql) : QRegularExpressionMatch();
        match.hasMatch()) {
        statement.insertsInto = bare(match.captured(1));
        // A statement that reads the table it fills would read the row at the
        // mark too: its rows are moved afterwards instead.
        if (mentions(QStringView(sql).mid(match.capturedEnd()), statement.insertsInto))
            statement.insertsInto.clear();
    }
    return statement;
}

void RowIdentity::Before(Connection &connection, Written &statement)
{
    if (!statement.emptied.isEmpty())
        Emptying(connection, statement.emptied);
    if (statement.insertsInto.isEmpty())
        return;
    Settle(connection);
    const qint64 mark = markOf(connection, statement.insertsInto);
    if (mark <= 0 || mark <= highestOf(connection, statement.insertsInto))
        return;
    try {
        const Quiet quiet(settling_);
        runOwn(connection, QStringLiteral("INSERT INTO %1 (rowid) VALUES (?1)"),
               statement.insertsInto, {mark});
    } catch (...) {
        // A table that takes no row of nulls: its rows are moved afterwards.
        return;
    }
    statement.placeholder = mark;
}

void RowIdentity::After(Connection &connection, const Written &statement)
{
    if (statement.placeholder) {
        const Quiet quiet(settling_);
        runOwn(connection, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1"), statement.insertsInto,
               {statement.placeholder});
    }
    Settle(connection);
}

qint64 RowIdentity::Now(const QString &table, qint64 rowid) const
{
    const auto it = moved_.constFind(table);
    if (it == moved_.cend() || rowid < it->first || rowid > it->last)
        return rowid;
    return rowid + it->by;
}

} // namespace dao::detail
