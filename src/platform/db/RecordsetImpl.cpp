#include "RecordsetImpl.h"

#include "ColumnType.h"
#include "Connection.h"
#include "DaoError.h"
#include "TableSchema.h"
#include "ValueConversion.h"

#include <algorithm>
#include <sqlite3.h>

namespace dao::detail
{

namespace
{

// Rows are read this many at a time; a grid page or a walk costs one
// statement per block instead of one per row.
constexpr int kBlockRows = 64;
constexpr size_t kMaxBlocks = 32;
// How old cached rows may get before a move asks the file for changes.
constexpr qint64 kRefreshMs = 100;

QString inList(int count)
{
    QStringList marks;
    for (int i = 1; i <= count; ++i)
        marks << QStringLiteral("?%1").arg(i);
    return marks.join(QLatin1Char(','));
}

} // namespace

RecordsetImpl::RecordsetImpl(std::shared_ptr<Connection> connection,
                             std::weak_ptr<DatabaseImpl> database, QString source)
    : connection_(std::move(connection)), database_(std::move(database)), source_(std::move(source))
{
}

void RecordsetImpl::Open()
{
    auto parsed = RecordsetSource::Parse(source_);
    if (!parsed)
        throw Error::Make(err::SyntaxError, {source_});
    parsed_ = *parsed;
    const auto table = TableSchema::TableName(*connection_, parsed_.table);
    if (!table)
        throw Error::Make(err::TableNotFound, {parsed_.table});
    table_ = *table;
    quotedTable_ = ColumnType::Quote(table_);
    loadColumns();
    loadKeyset();
    open_ = true;
    toFirst();
}

void RecordsetImpl::ensureOpen() const
{
    if (!open_)
        throw Error::Make(err::ObjectInvalid);
}

void RecordsetImpl::Close()
{
    if (!open_)
        return;
    mode_ = dbEditNone;
    open_ = false;
    keys_.clear();
    clearCache();
    notify(RecordsetEvent::Closed);
    listeners_.clear();
    connection_.reset();
}

void RecordsetImpl::Requery()
{
    ensureOpen();
    cancelPending();
    loadColumns();
    loadKeyset();
    clearCache();
    toFirst();
    notify(RecordsetEvent::RowsChanged);
    notify(RecordsetEvent::CurrentChanged);
}

// --- columns ---------------------------------------------------------------

void RecordsetImpl::loadColumns()
{
    const QVector<FieldDef> previous = columns_;
    columns_ = TableSchema::Columns(*connection_, table_);
    columnIndex_.clear();
    insertSql_.clear();
    for (int i = 0; i < columns_.size(); ++i)
        columnIndex_.insert(columns_.at(i).name, i);
    schemaStamp_ = connection_->SchemaCount();
    schemaVersion_ = connection_->SchemaVersion();
    ++schemaGeneration_;
    clearCache();
    if (mode_ == dbEditNone)
        return;
    // Keep what was assigned to the columns that are still there.
    std::vector<Variant> buffer(size_t(columns_.size()));
    std::vector<bool> assigned(size_t(columns_.size()), false);
    for (int i = 0; i < previous.size(); ++i) {
        const int now = columnIndex_.value(previous.at(i).name, -1);
        if (now >= 0) {
            buffer[size_t(now)] = buffer_[size_t(i)];
            assigned[size_t(now)] = assigned_[size_t(i)];
        }
    }
    buffer_.swap(buffer);
    assigned_.swap(assigned);
}

void RecordsetImpl::ensureColumns()
{
    if (schemaStamp_ != connection_->SchemaCount())
        loadColumns();
}

const QVector<FieldDef> &RecordsetImpl::Columns()
{
    ensureOpen();
    ensureColumns();
    return columns_;
}

quint64 RecordsetImpl::SchemaGeneration()
{
    ensureOpen();
    ensureColumns();
    return schemaGeneration_;
}

int RecordsetImpl::ColumnIndex(const QString &name)
{
    ensureOpen();
    ensureColumns();
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const auto it = columnIndex_.constFind(name); it != columnIndex_.cend())
            return it.value();
        for (int i = 0; i < columns_.size(); ++i) {
            if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                columnIndex_.insert(name, i); // this spelling is found at once next time
                return i;
            }
        }
        // Another workstation may have added the column since we looked.
        if (attempt == 0 && connection_->SchemaVersion() != schemaVersion_)
            loadColumns();
        else
            break;
    }
    return -1;
}

// --- keyset and position ---------------------------------------------------

void RecordsetImpl::loadKeyset()
{
    Statement statement =
        connection_->Prepare(parsed_.KeysetSql(), SqlContext::Query, source_, false);
    std::vector<qint64> keys;
    while (statement.Step())
        keys.push_back(statement.Int64(0));
    keys_.swap(keys);
    sorted_ = !parsed_.ordered;
    positionsValid_ = false;
}

bool RecordsetImpl::BOF() const
{
    ensureOpen();
    return bof_;
}

bool RecordsetImpl::EOF_() const
{
    ensureOpen();
    return eof_;
}

int RecordsetImpl::RecordCount() const
{
    ensureOpen();
    return int(keys_.size());
}

bool RecordsetImpl::hasCurrent() const
{
    return open_ && !bof_ && !eof_ && !ghost_ && pos_ >= 0 && pos_ < int(keys_.size());
}

void RecordsetImpl::requireCurrent() const
{
    ensureOpen();
    if (ghost_)
        throw Error::Make(err::RecordDeleted);
    if (!hasCurrent())
        throw Error::Make(err::NoCurrentRecord);
}

void RecordsetImpl::toFirst()
{
    ghost_ = false;
    currentRow_ = nullptr;
    if (keys_.empty()) {
        pos_ = -1;
        bof_ = eof_ = true;
    } else {
        pos_ = 0;
        bof_ = eof_ = false;
    }
}

void RecordsetImpl::placeAt(int position)
{
    pos_ = position;
    bof_ = eof_ = ghost_ = false;
    moved();
}

void RecordsetImpl::moved()
{
    cancelPending();
    currentRow_ = nullptr;
    checkForeignChanges();
    notify(RecordsetEvent::CurrentChanged);
}

void RecordsetImpl::MoveFirst()
{
    ensureOpen();
    if (keys_.empty())
        throw Error::Make(err::NoCurrentRecord);
    placeAt(0);
}

void RecordsetImpl::MoveLast()
{
    ensureOpen();
    if (keys_.empty())
        throw Error::Make(err::NoCurrentRecord);
    placeAt(int(keys_.size()) - 1);
}

void RecordsetImpl::MoveNext()
{
    ensureOpen();
    // From a deleted row a move is always allowed, even when it was the last.
    if (!ghost_ && (eof_ || keys_.empty()))
        throw Error::Make(err::NoCurrentRecord);
    const int next = ghost_ ? pos_ : (bof_ ? 0 : pos_ + 1);
    if (next < int(keys_.size()))
        return placeAt(next);
    pos_ = int(keys_.size());
    eof_ = true;
    bof_ = keys_.empty();
    ghost_ = false;
    moved();
}

void RecordsetImpl::MovePrevious()
{
    ensureOpen();
    if (!ghost_ && (bof_ || keys_.empty()))
        throw Error::Make(err::NoCurrentRecord);
    const int previous = eof_ ? int(keys_.size()) - 1 : pos_ - 1;
    if (previous >= 0)
        return placeAt(previous);
    pos_ = -1;
    bof_ = true;
    eof_ = keys_.empty();
    ghost_ = false;
    moved();
}

int RecordsetImpl::AbsolutePosition() const
{
    ensureOpen();
    return hasCurrent() ? pos_ : -1;
}

void RecordsetImpl::SetAbsolutePosition(int position)
{
    ensureOpen();
    if (position < 0 || position >= int(keys_.size()))
        throw Error::Make(err::InvalidArgument);
    placeAt(position);
}

int RecordsetImpl::PositionOf(qint64 rowid)
{
    if (sorted_) {
        const auto it = std::lower_bound(keys_.begin(), keys_.end(), rowid);
        return (it != keys_.end() && *it == rowid) ? int(it - keys_.begin()) : -1;
    }
    if (!positionsValid_) {
        positions_.clear();
        positions_.reserve(keys_.size());
        for (size_t i = 0; i < keys_.size(); ++i)
            positions_.emplace(keys_[i], int(i));
        positionsValid_ = true;
    }
    const auto it = positions_.find(rowid);
    return it == positions_.end() ? -1 : it->second;
}

qint64 RecordsetImpl::RowidAt(int position) const
{
    ensureOpen();
    if (position < 0 || position >= int(keys_.size()))
        throw Error::Make(err::InvalidArgument);
    return keys_[size_t(position)];
}

qint64 RecordsetImpl::CurrentRowid() const
{
    requireCurrent();
    return keys_[size_t(pos_)];
}

void RecordsetImpl::SetBookmark(qint64 rowid)
{
    ensureOpen();
    const int position = PositionOf(rowid);
    if (position < 0)
        throw Error::Make(err::InvalidBookmark);
    placeAt(position);
}

qint64 RecordsetImpl::LastModified() const
{
    ensureOpen();
    return lastModified_;
}

// --- FindFirst / FindNext --------------------------------------------------

void RecordsetImpl::Find(const QString &criteria, bool next)
{
    ensureOpen();
    cancelPending();
    const int count = int(keys_.size());
    int start = 0;
    if (next)
        start = ghost_ ? pos_ : (bof_ ? 0 : (eof_ ? count : pos_ + 1));
    int found = -1;
    if (start < count) {
        if (sorted_) {
            // Table order: the first match at or after the start row is the
            // lowest matching rowid that this recordset holds.
            Statement statement = connection_->Prepare(
                QStringLiteral("SELECT rowid FROM %1 WHERE rowid >= ?1 AND (%2) ORDER BY rowid")
                    .arg(quotedTable_, criteria),
                SqlContext::Find, criteria, false);
            statement.Bind(1, keys_[size_t(start)]);
            while (found < 0 && statement.Step())
                found = PositionOf(statement.Int64(0));
        } else {
            Statement statement = connection_->Prepare(
                QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(quotedTable_, criteria),
                SqlContext::Find, criteria, false);
            while (found != start && statement.Step()) {
                const int position = PositionOf(statement.Int64(0));
                if (position >= start && (found < 0 || position < found))
                    found = position;
            }
        }
    } else {
        // An empty recordset still rejects a criterion it cannot read.
        connection_->Prepare(
            QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(quotedTable_, criteria),
            SqlContext::Find, criteria, false);
    }
    noMatch_ = found < 0;
    if (found >= 0)
        placeAt(found);
}

bool RecordsetImpl::NoMatch() const
{
    ensureOpen();
    return noMatch_;
}

// --- rows ------------------------------------------------------------------

void RecordsetImpl::clearCache()
{
    blocks_.clear();
    currentRow_ = nullptr;
}

void RecordsetImpl::checkForeignChanges()
{
    // Other workstations' commits show once the connection reads again; moves
    // look for them now and then, as the old engine refreshed its pages.
    if (!freshness_.isValid() || freshness_.elapsed() >= kRefreshMs) {
        if (connection_->SchemaVersion() != schemaVersion_)
            loadColumns();
        freshness_.start();
    }
    const qint64 version = connection_->DataVersion();
    if (version != cacheVersion_) {
        clearCache();
        cacheVersion_ = version;
    }
}

bool RecordsetImpl::columnsMatch(const Statement &statement) const
{
    if (statement.ColumnCount() != columns_.size() + 1)
        return false;
    for (int i = 0; i < columns_.size(); ++i) {
        const char *name = sqlite3_column_name(statement.get(), i + 1);
        if (columns_.at(i).name != QString::fromUtf8(name))
            return false;
    }
    return true;
}

void RecordsetImpl::fetchBlock(int block, bool retried)
{
    ensureColumns();
    const int first = block * kBlockRows;
    const int count = std::min(kBlockRows, int(keys_.size()) - first);
    std::vector<std::pair<qint64, int>> wanted; // rowid, slot
    wanted.reserve(size_t(count));
    bool ascending = true;
    for (int i = 0; i < count; ++i) {
        const qint64 rowid = keys_[size_t(first + i)];
        ascending = ascending && (wanted.empty() || rowid > wanted.back().first);
        wanted.emplace_back(rowid, i);
    }
    std::sort(wanted.begin(), wanted.end());
    const qint64 low = wanted.front().first;
    const qint64 high = wanted.back().first;
    // Neighbouring rows in table order are read as one range.
    const bool range = ascending && high - low < 2 * kBlockRows;
    Statement statement =
        range ? connection_->Prepare(
                    QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid BETWEEN ?1 AND ?2")
                        .arg(quotedTable_),
                    SqlContext::Query, source_)
              : connection_->Prepare(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                         .arg(quotedTable_, inList(kBlockRows)),
                                     SqlContext::Query, source_);
    if (range) {
        statement.Bind(1, low);
        statement.Bind(2, high);
    } else {
        for (int i = 0; i < kBlockRows; ++i) {
            if (i < count)
                statement.Bind(i + 1, wanted[size_t(i)].first);
            else
                statement.BindNull(i + 1);
        }
    }

    const int width = int(columns_.size());
    Block fetched;
    fetched.values.resize(size_t(count * width));
    fetched.state.assign(size_t(count), 2);
    bool first_row = true;
    while (statement.Step()) {
        if (first_row && !columnsMatch(statement)) {
            // The table was altered by another workstation: read it again.
            if (retried)
                throw Error::Make(err::EngineError, {table_});
            loadColumns();
            return fetchBlock(block, true);
        }
        first_row = false;
        const qint64 rowid = statement.Int64(0);
        const auto it = std::lower_bound(wanted.begin(), wanted.end(),
                                         std::make_pair(rowid, std::numeric_limits<int>::min()));
        if (it == wanted.end() || it->first != rowid)
            continue;
        const int slot = it->second;
        for (int c = 0; c < width; ++c)
            fetched.values[size_t(slot * width + c)] =
                ValueConversion::Read(statement.get(), c + 1, columns_.at(c).type);
        fetched.state[size_t(slot)] = 1;
    }
    // Rows read under a newer version of the file make the older ones stale.
    const qint64 version = connection_->DataVersion();
    if (version != cacheVersion_ || blocks_.size() >= kMaxBlocks) {
        clearCache();
        cacheVersion_ = version;
    }
    blocks_[block] = std::move(fetched);
}

const Variant *RecordsetImpl::rowValues(int position)
{
    const int block = position / kBlockRows;
    auto it = blocks_.find(block);
    if (it == blocks_.end()) {
        fetchBlock(block);
        it = blocks_.find(block);
    }
    const int slot = position % kBlockRows;
    if (it->second.state[size_t(slot)] != 1)
        return nullptr;
    return it->second.values.data() + size_t(slot) * size_t(columns_.size());
}

std::optional<std::vector<Variant>> RecordsetImpl::readRow(qint64 rowid)
{
    ensureColumns();
    Statement statement = connection_->Prepare(
        QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?1").arg(quotedTable_),
        SqlContext::Query, source_);
    statement.Bind(1, rowid);
    if (!statement.Step())
        return std::nullopt;
    if (!columnsMatch(statement)) {
        loadColumns();
        return readRow(rowid);
    }
    std::vector<Variant> values(size_t(columns_.size()));
    for (int c = 0; c < columns_.size(); ++c)
        values[size_t(c)] = ValueConversion::Read(statement.get(), c + 1, columns_.at(c).type);
    return values;
}

Variant RecordsetImpl::Value(int index)
{
    ensureOpen();
    ensureColumns();
    if (index < 0 || index >= columns_.size())
        throw Error::Make(err::ItemNotFound);
    if (mode_ != dbEditNone)
        return buffer_[size_t(index)];
    requireCurrent();
    if (!currentRow_) {
        currentRow_ = rowValues(pos_);
        if (!currentRow_)
            throw Error::Make(err::RecordDeleted);
    }
    return currentRow_[index];
}

Variant RecordsetImpl::ValueAt(int position, int index)
{
    ensureOpen();
    ensureColumns();
    if (position < 0 || position >= int(keys_.size()) || index < 0 || index >= columns_.size())
        return Variant();
    const Variant *row = rowValues(position);
    if (position == pos_)
        currentRow_ = row;
    return row ? row[index] : Variant();
}

void RecordsetImpl::SetValue(int index, const Variant &value)
{
    ensureOpen();
    ensureColumns();
    if (index < 0 || index >= columns_.size())
        throw Error::Make(err::ItemNotFound);
    if (mode_ == dbEditNone)
        throw Error::Make(err::UpdateWithoutEdit);
    buffer_[size_t(index)] = ValueConversion::ForField(value, columns_.at(index));
    assigned_[size_t(index)] = true;
}

// --- AddNew / Edit / Update / Delete ---------------------------------------

void RecordsetImpl::cancelPending()
{
    mode_ = dbEditNone;
    buffer_.clear();
    assigned_.clear();
}

EditModeEnum RecordsetImpl::EditMode() const
{
    ensureOpen();
    return mode_;
}

void RecordsetImpl::AddNew()
{
    ensureOpen();
    ensureColumns();
    cancelPending();
    buffer_.assign(size_t(columns_.size()), Variant());
    assigned_.assign(size_t(columns_.size()), false);
    mode_ = dbEditAdd;
}

void RecordsetImpl::Edit()
{
    ensureOpen();
    cancelPending();
    requireCurrent();
    // The row as it is now, not as it was when this recordset read it.
    auto values = readRow(keys_[size_t(pos_)]);
    if (!values)
        throw Error::Make(err::RecordDeleted);
    buffer_ = std::move(*values);
    assigned_.assign(buffer_.size(), false);
    editRowid_ = keys_[size_t(pos_)];
    mode_ = dbEditInProgress;
}

void RecordsetImpl::CancelUpdate()
{
    ensureOpen();
    if (mode_ == dbEditNone)
        throw Error::Make(err::UpdateWithoutEdit);
    cancelPending();
}

void RecordsetImpl::Update()
{
    ensureOpen();
    if (mode_ == dbEditNone)
        throw Error::Make(err::UpdateWithoutEdit);
    ensureColumns();
    if (mode_ == dbEditAdd)
        insertRow();
    else
        updateRow();
}

void RecordsetImpl::insertRow()
{
    std::vector<int> indexes;
    QByteArray mask(columns_.size(), '0');
    for (int i = 0; i < columns_.size(); ++i) {
        if (assigned_[size_t(i)]) {
            indexes.push_back(i);
            mask[i] = '1';
        }
    }
    // The statement text for each set of assigned fields is made once.
    QString &sql = insertSql_[mask];
    if (sql.isEmpty()) {
        QStringList names;
        QStringList marks;
        for (const int i : indexes) {
            names << ColumnType::Quote(columns_.at(i).name);
            marks << QStringLiteral("?%1").arg(names.size());
        }
        sql = indexes.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable_)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(quotedTable_, names.join(QLatin1Char(',')),
                                         marks.join(QLatin1Char(',')));
    }
    {
        Statement statement = connection_->Prepare(sql, SqlContext::Write, table_);
        for (size_t k = 0; k < indexes.size(); ++k)
            ValueConversion::Bind(statement, int(k) + 1, buffer_[size_t(indexes[k])],
                                  columns_.at(indexes[k]).type);
        statement.Step();
    }
    const qint64 rowid = sqlite3_last_insert_rowid(connection_->Handle());
    sorted_ = sorted_ && (keys_.empty() || rowid > keys_.back());
    if (positionsValid_)
        positions_.emplace(rowid, int(keys_.size()));
    keys_.push_back(rowid);
    lastModified_ = rowid;
    cancelPending();
    connection_->NotifyWrite(this);
    notify(RecordsetEvent::RowsChanged);
}

void RecordsetImpl::updateRow()
{
    QStringList sets;
    std::vector<int> indexes;
    for (int i = 0; i < columns_.size(); ++i) {
        if (assigned_[size_t(i)]) {
            indexes.push_back(i);
            sets << QStringLiteral("%1 = ?%2")
                        .arg(ColumnType::Quote(columns_.at(i).name))
                        .arg(indexes.size());
        }
    }
    const qint64 rowid = editRowid_;
    if (!indexes.empty()) {
        Statement statement =
            connection_->Prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                     .arg(quotedTable_, sets.join(QLatin1Char(',')))
                                     .arg(indexes.size() + 1),
                                 SqlContext::Write, table_);
        for (size_t k = 0; k < indexes.size(); ++k)
            ValueConversion::Bind(statement, int(k) + 1, buffer_[size_t(indexes[k])],
                                  columns_.at(indexes[k]).type);
        statement.Bind(int(indexes.size()) + 1, rowid);
        statement.Step();
        if (sqlite3_changes(connection_->Handle()) == 0) {
            cancelPending();
            throw Error::Make(err::RecordDeleted);
        }
    }
    lastModified_ = rowid;
    cancelPending();
    if (!indexes.empty()) {
        connection_->NotifyWrite(this);
        notify(RecordsetEvent::ValuesChanged);
    }
}

void RecordsetImpl::Delete()
{
    ensureOpen();
    cancelPending();
    requireCurrent();
    const qint64 rowid = keys_[size_t(pos_)];
    {
        Statement statement = connection_->Prepare(
            QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quotedTable_), SqlContext::Write,
            table_);
        statement.Bind(1, rowid);
        statement.Step();
    }
    if (sqlite3_changes(connection_->Handle()) == 0)
        throw Error::Make(err::RecordDeleted);
    keys_.erase(keys_.begin() + pos_);
    positionsValid_ = false;
    ghost_ = true;
    connection_->NotifyWrite(this);
    notify(RecordsetEvent::RowsChanged);
}

// --- listeners ---------------------------------------------------------------

int RecordsetImpl::Subscribe(RecordsetListener listener)
{
    const int id = nextListener_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void RecordsetImpl::Unsubscribe(int id)
{
    listeners_.erase(id);
}

void RecordsetImpl::DataChangedElsewhere(bool self)
{
    clearCache();
    if (!self)
        notify(RecordsetEvent::ValuesChanged);
}

void RecordsetImpl::notify(RecordsetEvent event)
{
    // A listener may subscribe or unsubscribe while it is told.
    const auto listeners = listeners_;
    for (const auto &[id, listener] : listeners)
        listener(event);
}

} // namespace dao::detail
