#include "RecordsetRows.h"

#include "ColumnType.h"
#include "Connection.h"
#include "RecordsetEditBuffer.h"
#include "RecordsetKeyset.h"
#include "ValueConversion.h"

#include <QAnyStringView>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <sqlite3.h>

namespace dao::detail
{

namespace
{

constexpr int kBlockRows = RecordsetBlock::kRows;
// Different sets of assigned fields whose INSERT or UPDATE stays prepared.
constexpr size_t kMaxKeptWrites = 8;

QString inList(int count)
{
    QStringList marks;
    for (int i = 1; i <= count; ++i)
        marks << QStringLiteral("?%1").arg(i);
    return marks.join(QLatin1Char(','));
}

} // namespace

void RecordsetRows::SetTable(const QString &table, const QString &source)
{
    Release();
    table_ = table;
    quotedTable_ = ColumnType::Quote(table);
    source_ = source;
    rangeFetch_ =
        QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid BETWEEN ?1 AND ?2").arg(quotedTable_);
    static const QString blockMarks = inList(kBlockRows);
    listFetch_ =
        QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)").arg(quotedTable_, blockMarks);
    rowFetch_ = QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?1").arg(quotedTable_);
}

void RecordsetRows::Release()
{
    inserts_.clear();
    updates_.clear();
}

bool RecordsetRows::columnsMatch(const Statement &statement, const QVector<FieldDef> &columns)
{
    if (statement.ColumnCount() != columns.size() + 1)
        return false;
    for (int i = 0; i < columns.size(); ++i) {
        // Compared as they are, without a copy: this runs on every row read.
        const char *name = sqlite3_column_name(statement.get(), i + 1);
        if (!QAnyStringView::equal(columns.at(i).name, QUtf8StringView(name)))
            return false;
    }
    return true;
}

bool RecordsetRows::ReadBlocks(Connection &connection, const RecordsetKeyset &keyset,
                               const RecordsetBlockRead &plan, const QVector<FieldDef> &columns,
                               std::vector<std::shared_ptr<RecordsetBlock>> &read)
{
    const int blockStart = plan.block * kBlockRows;
    const int first = blockStart + plan.fromSlot;
    int count =
        std::min(plan.rows > 0 ? plan.rows : plan.span * kBlockRows, keyset.Count() - first);
    const qint64 *keys = keyset.Range(first, count);
    // Rows whose rowids lie close together are read as one range, whatever
    // their order in the recordset (a descending list walks them backwards).
    const auto close = [keys](int n) {
        const auto [low, high] = std::minmax_element(keys, keys + n);
        return *high - *low < 2 * qint64(n);
    };
    bool range = close(count);
    if (!range && count > kBlockRows) {
        count = kBlockRows;
        range = close(count);
    }
    bool ascending = true;
    for (int i = 1; i < count && ascending; ++i)
        ascending = keys[i] > keys[i - 1];
    std::vector<std::pair<qint64, int>> wanted; // rowid, position from `first`
    wanted.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        wanted.emplace_back(keys[i], i);
    if (!ascending)
        std::sort(wanted.begin(), wanted.end());
    Statement statement =
        connection.Prepare(range ? rangeFetch_ : listFetch_, SqlContext::Query, source_);
    if (range) {
        statement.Bind(1, wanted.front().first);
        statement.Bind(2, wanted.back().first);
    } else {
        for (int i = 0; i < kBlockRows; ++i) {
            if (i < count)
                statement.Bind(i + 1, wanted[size_t(i)].first);
            else
                statement.BindNull(i + 1);
        }
    }

    const int width = int(columns.size());
    read.clear();
    if (plan.rows > 0) {
        read.push_back(RecordsetBlock::Make(std::min(kBlockRows, keyset.Count() - blockStart),
                                            width, plan.fromSlot, count));
    } else {
        for (int at = 0; at < count; at += kBlockRows)
            read.push_back(RecordsetBlock::Make(std::min(kBlockRows, count - at), width));
    }
    bool firstRow = true;
    auto next = wanted.cbegin();
    while (statement.Step()) {
        if (firstRow && !columnsMatch(statement, columns))
            return false;
        firstRow = false;
        const qint64 rowid = statement.Int64(0);
        // Rows mostly arrive in the order wanted; look further only when not.
        if (next == wanted.cend() || next->first != rowid)
            next = std::lower_bound(wanted.cbegin(), wanted.cend(),
                                    std::make_pair(rowid, std::numeric_limits<int>::min()));
        if (next == wanted.cend() || next->first != rowid)
            continue;
        const int offset = plan.fromSlot + next->second;
        RecordsetBlock &part = *read[size_t(offset / kBlockRows)];
        const int slot = offset % kBlockRows;
        Variant *row = part.RowToFill(slot);
        for (int c = 0; c < width; ++c)
            row[c] = ValueConversion::Read(statement.get(), c + 1, columns.at(c).type);
        part.state[size_t(slot)] = RecordsetBlock::Present;
        ++next;
    }
    return true;
}

RecordsetRows::RowRead RecordsetRows::ReadRow(Connection &connection, qint64 rowid,
                                              const QVector<FieldDef> &columns,
                                              std::vector<Variant> &values)
{
    Statement statement = connection.Prepare(rowFetch_, SqlContext::Query, source_);
    statement.Bind(1, rowid);
    if (!statement.Step())
        return RowRead::Gone;
    if (!columnsMatch(statement, columns))
        return RowRead::Altered;
    values.assign(size_t(columns.size()), Variant());
    for (int c = 0; c < columns.size(); ++c)
        values[size_t(c)] = ValueConversion::Read(statement.get(), c + 1, columns.at(c).type);
    return RowRead::Found;
}

RecordsetRows::KeptWrite &RecordsetRows::keptWrite(std::vector<std::unique_ptr<KeptWrite>> &kept,
                                                   bool insert, const std::vector<bool> &assigned,
                                                   const QVector<FieldDef> &columns)
{
    for (const auto &write : kept) {
        if (write->fields == assigned)
            return *write;
    }
    if (kept.size() >= kMaxKeptWrites)
        kept.erase(kept.begin());
    auto write = std::make_unique<KeptWrite>();
    write->fields = assigned;
    QStringList names;
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i) {
        if (!assigned[size_t(i)])
            continue;
        names << ColumnType::Quote(columns.at(i).name);
        marks << QStringLiteral("?%1").arg(names.size());
    }
    if (insert) {
        write->sql = names.isEmpty()
                         ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable_)
                         : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quotedTable_, names.join(QLatin1Char(',')),
                                    marks.join(QLatin1Char(',')));
    } else {
        QStringList sets;
        for (int k = 0; k < names.size(); ++k)
            sets << names.at(k) + QStringLiteral(" = ") + marks.at(k);
        write->sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                         .arg(quotedTable_, sets.join(QLatin1Char(',')))
                         .arg(names.size() + 1);
    }
    kept.push_back(std::move(write));
    return *kept.back();
}

qint64 RecordsetRows::Insert(Connection &connection, const RecordsetEditBuffer &edit,
                             const QVector<FieldDef> &columns)
{
    KeptWrite &write = keptWrite(inserts_, true, edit.Assigned(), columns);
    {
        Statement statement = write.statement.Use(connection, write.sql, SqlContext::Write, table_);
        int parameter = 0;
        for (int i = 0; i < columns.size(); ++i) {
            if (edit.Assigned()[size_t(i)])
                ValueConversion::Bind(statement, ++parameter, edit.Value(i), columns.at(i).type);
        }
        statement.Step();
    }
    return sqlite3_last_insert_rowid(connection.Handle());
}

bool RecordsetRows::Update(Connection &connection, const RecordsetEditBuffer &edit,
                           const QVector<FieldDef> &columns)
{
    const std::vector<int> indexes = edit.AssignedIndexes();
    KeptWrite &write = keptWrite(updates_, false, edit.Assigned(), columns);
    {
        Statement statement = write.statement.Use(connection, write.sql, SqlContext::Write, table_);
        for (size_t k = 0; k < indexes.size(); ++k)
            ValueConversion::Bind(statement, int(k) + 1, edit.Value(indexes[k]),
                                  columns.at(indexes[k]).type);
        statement.Bind(int(indexes.size()) + 1, edit.Rowid());
        statement.Step();
    }
    return sqlite3_changes(connection.Handle()) != 0;
}

bool RecordsetRows::Delete(Connection &connection, qint64 rowid)
{
    {
        Statement statement =
            connection.Prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quotedTable_),
                               SqlContext::Write, table_);
        statement.Bind(1, rowid);
        statement.Step();
    }
    return sqlite3_changes(connection.Handle()) != 0;
}

} // namespace dao::detail
