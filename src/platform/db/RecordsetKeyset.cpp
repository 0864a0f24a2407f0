#include "RecordsetKeyset.h"

#include "Connection.h"
#include "PolishCollation.h"
#include "RecordsetSource.h"

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <sqlite3.h>
#include <string>

namespace dao::detail
{

namespace
{

// How a column's text values tie in an ORDER BY.
enum class TextTie { Bytes, Polish, NoCase };

// One ORDER BY value of the current row, its storage class and number read
// once. The connection has no mutex, so a column's value is read through its
// sqlite3_value directly.
struct KeyNow {
    sqlite3_value *value = nullptr;
    int type = SQLITE_NULL;
    qint64 integer = 0;
    double real = 0;

    void Read(sqlite3_value *from)
    {
        value = from;
        type = sqlite3_value_type(from);
        if (type == SQLITE_INTEGER)
            integer = sqlite3_value_int64(from);
        else if (type == SQLITE_FLOAT)
            real = sqlite3_value_double(from);
    }
    const char *Data() const
    {
        return type == SQLITE_TEXT ? reinterpret_cast<const char *>(sqlite3_value_text(value))
                                   : static_cast<const char *>(sqlite3_value_blob(value));
    }
};

// One ORDER BY value of the row before, to tell a tie from the next.
struct KeyValue {
    int type = SQLITE_NULL;
    qint64 integer = 0;
    double real = 0;
    std::string bytes;

    void Take(const KeyNow &now)
    {
        type = now.type;
        integer = now.integer;
        real = now.real;
        if (type == SQLITE_TEXT || type == SQLITE_BLOB)
            bytes.assign(now.Data(), size_t(sqlite3_value_bytes(now.value)));
    }
};

bool sameNumber(const KeyNow &a, const KeyValue &b)
{
    if (a.type == SQLITE_INTEGER && b.type == SQLITE_INTEGER)
        return a.integer == b.integer;
    if (a.type == SQLITE_FLOAT && b.type == SQLITE_FLOAT)
        return a.real == b.real;
    const qint64 i = a.type == SQLITE_INTEGER ? a.integer : b.integer;
    const double r = a.type == SQLITE_INTEGER ? b.real : a.real;
    return r >= -9.2e18 && r <= 9.2e18 && double(i) == r && qint64(r) == i;
}

// Whether the value ties with `before` in the ORDER BY, compared as SQLite
// compares them: by storage class, numbers by value, text by the column's
// collation, blobs byte by byte.
bool ties(const KeyValue &before, const KeyNow &now, TextTie text)
{
    const bool number = now.type == SQLITE_INTEGER || now.type == SQLITE_FLOAT;
    const bool numberBefore = before.type == SQLITE_INTEGER || before.type == SQLITE_FLOAT;
    if (number || numberBefore)
        return number && numberBefore && sameNumber(now, before);
    if (now.type != before.type)
        return false;
    if (now.type == SQLITE_NULL)
        return true;
    const char *data = now.Data();
    const int size = sqlite3_value_bytes(now.value);
    if (now.type == SQLITE_TEXT && text == TextTie::Polish)
        return PolishCollation::Compare(before.bytes.data(), int(before.bytes.size()), data,
                                        size) == 0;
    if (size_t(size) != before.bytes.size())
        return false;
    if (size == 0)
        return true;
    if (now.type == SQLITE_TEXT && text == TextTie::NoCase)
        return sqlite3_strnicmp(before.bytes.data(), data, size) == 0;
    return std::memcmp(before.bytes.data(), data, size_t(size)) == 0;
}

// How the text of each ORDER BY column ties; empty when a column is not one
// of the table's or has a collation compared here in no way.
std::vector<TextTie> textTies(Connection &connection, const RecordsetSource &source)
{
    std::vector<TextTie> result;
    const QByteArray table = source.table.toUtf8();
    connection.NoteRead(); // the schema may be read
    for (const auto &term : source.order) {
        const char *collation = nullptr;
        if (sqlite3_table_column_metadata(connection.Handle(), nullptr, table.constData(),
                                          term.column.toUtf8().constData(), nullptr, &collation,
                                          nullptr, nullptr, nullptr) != SQLITE_OK ||
            !collation)
            return {};
        if (sqlite3_stricmp(collation, "BINARY") == 0)
            result.push_back(TextTie::Bytes);
        else if (sqlite3_stricmp(collation, "PL_CI") == 0)
            result.push_back(TextTie::Polish);
        else if (sqlite3_stricmp(collation, "NOCASE") == 0)
            result.push_back(TextTie::NoCase);
        else
            return {};
    }
    return result;
}

} // namespace

void RecordsetKeyset::Load(Connection &connection, const RecordsetSource &source,
                           const QString &text)
{
    std::vector<qint64> keys;
    // Rows that tie keep table order, i.e. ascending rowids. When the order
    // ends descending, an index is walked backwards and gives ties with
    // descending rowids; asking for ascending ones would make SQLite sort
    // every row again. So the ties are read as the index gives them, and
    // turned round here.
    const std::vector<TextTie> tieRules =
        source.ordered && !source.order.empty() && source.order.back().descending
            ? textTies(connection, source)
            : std::vector<TextTie>();
    if (!tieRules.empty()) {
        QString sql = QStringLiteral("SELECT rowid");
        QStringList order;
        for (const auto &term : source.order) {
            sql += QStringLiteral(", ") + term.token;
            order << term.token + (term.descending ? QStringLiteral(" DESC") : QString());
        }
        sql += QStringLiteral(" FROM ") + source.tableToken + source.filter +
               QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", ")) +
               QStringLiteral(", rowid DESC");
        Statement statement = connection.Prepare(sql, SqlContext::Query, text, false);
        const int width = int(tieRules.size());
        std::vector<KeyValue> before(tieRules.size());
        std::vector<KeyNow> values(tieRules.size());
        size_t runStart = 0;
        while (statement.Step()) {
            sqlite3_stmt *stmt = statement.get();
            for (int c = 0; c < width; ++c)
                values[size_t(c)].Read(sqlite3_column_value(stmt, c + 1));
            bool tied = !keys.empty();
            for (int c = 0; c < width && tied; ++c)
                tied = ties(before[size_t(c)], values[size_t(c)], tieRules[size_t(c)]);
            if (!tied) {
                std::reverse(keys.begin() + qsizetype(runStart), keys.end());
                runStart = keys.size();
                for (int c = 0; c < width; ++c)
                    before[size_t(c)].Take(values[size_t(c)]);
            }
            keys.push_back(sqlite3_column_int64(stmt, 0));
        }
        std::reverse(keys.begin() + qsizetype(runStart), keys.end());
    } else {
        // A list of a whole table comes back often (a print's staged tables),
        // and the kinds of them are few: its statement is kept prepared.
        Statement statement = connection.Prepare(source.KeysetSql(), SqlContext::Query, text,
                                                 source.filter.isEmpty());
        while (statement.Step())
            keys.push_back(statement.Int64(0));
    }
    keys_.Adopt(std::move(keys));
    sorted_ = !source.ordered;
    std::vector<int>().swap(byRowid_);
    byRowidValid_ = false;
}

void RecordsetKeyset::sortPositions()
{
    byRowid_.resize(keys_.size());
    std::iota(byRowid_.begin(), byRowid_.end(), 0);
    const qint64 *keys = Data();
    std::sort(byRowid_.begin(), byRowid_.end(),
              [keys](int a, int b) { return keys[a] < keys[b] || (keys[a] == keys[b] && a < b); });
    byRowidValid_ = true;
}

int RecordsetKeyset::PositionOf(qint64 rowid)
{
    if (sorted_) {
        size_t low = 0;
        size_t high = keys_.size();
        while (low < high) {
            const size_t middle = low + (high - low) / 2;
            if (keys_[middle] < rowid)
                low = middle + 1;
            else
                high = middle;
        }
        return (low < keys_.size() && keys_[low] == rowid) ? int(low) : -1;
    }
    if (!byRowidValid_)
        sortPositions();
    const qint64 *keys = Data();
    const auto it =
        std::lower_bound(byRowid_.begin(), byRowid_.end(), rowid,
                         [keys](int position, qint64 key) { return keys[position] < key; });
    return (it != byRowid_.end() && keys[*it] == rowid) ? *it : -1;
}

void RecordsetKeyset::Append(qint64 rowid)
{
    sorted_ = sorted_ && (keys_.empty() || rowid > keys_.back());
    if (byRowidValid_) {
        // A new row mostly has the highest rowid, and joins at the end.
        const qint64 *keys = Data();
        const auto at =
            std::upper_bound(byRowid_.begin(), byRowid_.end(), rowid,
                             [keys](qint64 key, int position) { return key < keys[position]; });
        byRowid_.insert(at, int(keys_.size()));
    }
    keys_.push_back(rowid);
}

void RecordsetKeyset::Erase(int position)
{
    // Every position after the row would move: the order by rowid is made
    // again when a rowid is looked for next, not once for each row deleted.
    if (byRowidValid_) {
        std::vector<int>().swap(byRowid_);
        byRowidValid_ = false;
    }
    keys_.Erase(size_t(position));
}

void RecordsetKeyset::Retire(qint64 first, qint64 last)
{
    keys_.ForEach([&](qint64 &key) {
        if (key >= first && key <= last) {
            key = -key;
            sorted_ = false;
            byRowidValid_ = false;
        }
    });
}

} // namespace dao::detail
