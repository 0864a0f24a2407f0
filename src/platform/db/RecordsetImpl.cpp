#include "RecordsetImpl.h"

#include "ColumnType.h"
#include "Connection.h"
#include "DaoError.h"
#include "TableSchema.h"
#include "ValueConversion.h"

#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace dao::detail
{

namespace
{

// Rows are read this many at a time; a grid page or a walk costs one
// statement per block instead of one per row.
constexpr int kBlockRows = 64;
constexpr size_t kMaxBlocks = 16;
// Blocks kept as first read, for the check of a Delete: a grid's pages around
// the current row, not a whole walk.
constexpr size_t kMaxFirstRead = 32;
// A walk reads up to this many blocks with one statement.
constexpr int kMaxSpan = 8;
// How old cached rows may get before a move asks the file for changes.
constexpr qint64 kRefreshMs = 100;
// Different sets of assigned fields whose INSERT or UPDATE stays prepared.
constexpr size_t kMaxKeptWrites = 8;

QString inList(int count)
{
    QStringList marks;
    for (int i = 1; i <= count; ++i)
        marks << QStringLiteral("?%1").arg(i);
    return marks.join(QLatin1Char(','));
}

size_t nameSlot(const QString &name)
{
    return size_t((quintptr(name.constData()) >> 3) * 0x9E3779B97F4A7C15ULL >> 32);
}

// Ends a write that began its own transaction: committed when done, rolled
// back when anything on the way failed.
class OwnTransaction
{
public:
    explicit OwnTransaction(Connection &connection)
        : connection_(connection), own_(connection.TransactionDepth() == 0)
    {
        if (own_)
            connection_.BeginTrans(true);
    }
    OwnTransaction(const OwnTransaction &) = delete;
    OwnTransaction &operator=(const OwnTransaction &) = delete;
    ~OwnTransaction()
    {
        if (own_) {
            try {
                connection_.Rollback();
            } catch (...) {
                // The failure that brought us here is the one to report.
            }
        }
    }
    void Commit()
    {
        if (own_) {
            connection_.CommitTrans();
            own_ = false;
        }
    }

private:
    Connection &connection_;
    bool own_;
};

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
    seen_ = SeenRow();
    firstRead_.clear();
    refusedDelete_.reset();
    releaseStatements();
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
    nameHits_.fill(NameHit());
    namesKept_ = 0;
    releaseStatements();
    for (int i = 0; i < columns_.size(); ++i)
        columnIndex_.insert(columns_.at(i).name, i);
    schemaStamp_ = connection_->SchemaCount();
    schemaVersion_ = connection_->SchemaVersion();
    // Rows are read afresh by the new columns (and after a Requery, by the
    // new keyset).
    firstRead_.clear();
    firstReadWrites_ = connection_->TableWrites(table_);
    refusedDelete_.reset();
    ++schemaGeneration_;
    pastColumns_.emplace(schemaGeneration_, columns_);
    // What the caller read stays comparable while the columns are the same.
    const auto sameColumn = [](const FieldDef &a, const FieldDef &b) {
        return a.name == b.name && a.type == b.type;
    };
    if (seen_.generation + 1 == schemaGeneration_ &&
        std::equal(previous.cbegin(), previous.cend(), columns_.cbegin(), columns_.cend(),
                   sameColumn))
        seen_.generation = schemaGeneration_;
    clearCache();
    if (mode_ == dbEditNone)
        return;
    // Keep what was assigned to the columns that are still there.
    std::vector<Variant> buffer(size_t(columns_.size()));
    std::vector<bool> assigned(size_t(columns_.size()), false);
    std::vector<std::optional<Variant>> base(size_t(columns_.size()));
    for (int i = 0; i < previous.size(); ++i) {
        const int now = columnIndex_.value(previous.at(i).name, -1);
        if (now >= 0) {
            buffer[size_t(now)] = buffer_[size_t(i)];
            assigned[size_t(now)] = assigned_[size_t(i)];
            if (size_t(i) < editBase_.size())
                base[size_t(now)] = editBase_[size_t(i)];
        }
    }
    buffer_.swap(buffer);
    assigned_.swap(assigned);
    editBase_.swap(base);
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
    // Open addressing over the text's address; a full table starts afresh.
    size_t slot = nameSlot(name) % nameHits_.size();
    bool vacant = true;
    while (nameHits_[slot].index >= 0) {
        const NameHit &hit = nameHits_[slot];
        if (hit.address == name.constData()) {
            if (hit.spelling.size() == name.size() &&
                std::memcmp(name.constData(), hit.spelling.constData(),
                            size_t(name.size()) * sizeof(QChar)) == 0)
                return hit.index;
            // A passing text took over the address: the place stays with the
            // first, which comes back more often than not.
            vacant = false;
            break;
        }
        slot = (slot + 1) % nameHits_.size();
    }
    const auto remember = [this, slot, vacant, &name](int index) {
        if (!vacant)
            return index;
        if (++namesKept_ > nameHits_.size() / 2) {
            nameHits_.fill(NameHit());
            namesKept_ = 0;
            return index;
        }
        NameHit &hit = nameHits_[slot];
        hit.address = name.constData();
        // A copy of its own, so that a passing text is freed and its address
        // used again by the next one.
        hit.spelling = QString(name.constData(), name.size());
        hit.index = index;
        return index;
    };
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (const auto it = columnIndex_.constFind(name); it != columnIndex_.cend())
            return remember(it.value());
        for (int i = 0; i < columns_.size(); ++i) {
            if (columns_.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                columnIndex_.insert(name, i); // this spelling is found at once next time
                return remember(i);
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

int RecordsetImpl::ColumnIndexSince(quint64 generation, int index)
{
    const auto past = pastColumns_.find(generation);
    if (past == pastColumns_.end() || index < 0 || index >= past->second.size())
        return -1;
    return ColumnIndex(past->second.at(index).name);
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

void RecordsetImpl::releaseStatements()
{
    rangeFetch_.Reset();
    listFetch_.Reset();
    rowFetch_.Reset();
    inserts_.clear();
    updates_.clear();
}

void RecordsetImpl::checkForeignChanges()
{
    // Other workstations' commits show once the connection reads again; moves
    // look for them now and then, as the old engine refreshed its pages.
    if (!freshness_.isValid() || (++movesUntimed_ % 8 == 0 && freshness_.elapsed() >= kRefreshMs)) {
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

void RecordsetImpl::fetchBlock(int block)
{
    ensureColumns();
    // A walk reads ever more blocks per statement; any other access one.
    const int span = block == nextSequential_ ? std::min(span_ * 2, kMaxSpan) : 1;
    std::vector<std::shared_ptr<Block>> fetched;
    if (!readBlocks(block, span, fetched)) {
        // The table was altered by another workstation: read it again.
        loadColumns();
        if (!readBlocks(block, span, fetched))
            throw Error::Make(err::EngineError, {table_});
    }
    span_ = int(fetched.size());
    nextSequential_ = block + span_;
    // Rows read under a newer version of the file make the older ones stale.
    const qint64 version = connection_->DataVersion();
    if (version != cacheVersion_) {
        clearCache();
        cacheVersion_ = version;
    }
    for (size_t i = 0; i < fetched.size(); ++i) {
        if (blocks_.size() >= kMaxBlocks) {
            // The block farthest away goes: a walk leaves its past behind, a
            // grid keeps the pages around the one it shows.
            auto farthest = blocks_.begin();
            for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
                if (std::abs(it->first - block) > std::abs(farthest->first - block))
                    farthest = it;
            }
            if (farthest->first == pos_ / kBlockRows)
                currentRow_ = nullptr;
            blocks_.erase(farthest);
        }
        keepFirstRead(block + int(i), fetched[i]);
        blocks_[block + int(i)] = std::move(fetched[i]);
    }
}

void RecordsetImpl::keepFirstRead(int block, const std::shared_ptr<const Block> &values)
{
    if (!firstRead_.try_emplace(block, values).second || firstRead_.size() <= kMaxFirstRead)
        return;
    auto farthest = firstRead_.begin();
    for (auto it = firstRead_.begin(); it != firstRead_.end(); ++it) {
        if (std::abs(it->first - block) > std::abs(farthest->first - block))
            farthest = it;
    }
    firstRead_.erase(farthest);
}

// Reads `span` blocks from `block` on (or only the first, when their rows lie
// apart in the table). False when the table's columns are no longer those
// this recordset knows.
bool RecordsetImpl::readBlocks(int block, int span, std::vector<std::shared_ptr<Block>> &fetched)
{
    const int first = block * kBlockRows;
    int count = std::min(span * kBlockRows, int(keys_.size()) - first);
    bool ascending = true;
    for (int i = 1; i < count && ascending; ++i)
        ascending = keys_[size_t(first + i)] > keys_[size_t(first + i - 1)];
    // Neighbouring rows in table order are read as one range.
    bool range = ascending && keys_[size_t(first + count - 1)] - keys_[size_t(first)] < 2 * count;
    if (!range && count > kBlockRows) {
        count = kBlockRows;
        ascending = true;
        for (int i = 1; i < count && ascending; ++i)
            ascending = keys_[size_t(first + i)] > keys_[size_t(first + i - 1)];
        range = ascending && keys_[size_t(first + count - 1)] - keys_[size_t(first)] < 2 * count;
    }
    std::vector<std::pair<qint64, int>> wanted; // rowid, position from `first`
    wanted.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        wanted.emplace_back(keys_[size_t(first + i)], i);
    if (!ascending)
        std::sort(wanted.begin(), wanted.end());
    Statement statement =
        range ? rangeFetch_.Use(
                    *connection_,
                    QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid BETWEEN ?1 AND ?2")
                        .arg(quotedTable_),
                    SqlContext::Query, source_)
              : listFetch_.Use(*connection_,
                               QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                   .arg(quotedTable_, inList(kBlockRows)),
                               SqlContext::Query, source_);
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

    const int width = int(columns_.size());
    fetched.clear();
    for (int at = 0; at < count; at += kBlockRows) {
        auto part = std::make_shared<Block>();
        const int rows = std::min(kBlockRows, count - at);
        part->values.resize(size_t(rows * width));
        part->state.assign(size_t(rows), 2);
        fetched.push_back(std::move(part));
    }
    bool firstRow = true;
    auto next = wanted.cbegin();
    while (statement.Step()) {
        if (firstRow && !columnsMatch(statement))
            return false;
        firstRow = false;
        const qint64 rowid = statement.Int64(0);
        // Rows mostly arrive in the order wanted; look further only when not.
        if (next == wanted.cend() || next->first != rowid)
            next = std::lower_bound(wanted.cbegin(), wanted.cend(),
                                    std::make_pair(rowid, std::numeric_limits<int>::min()));
        if (next == wanted.cend() || next->first != rowid)
            continue;
        Block &part = *fetched[size_t(next->second / kBlockRows)];
        const int slot = next->second % kBlockRows;
        Variant *row = part.values.data() + size_t(slot) * size_t(width);
        for (int c = 0; c < width; ++c)
            row[c] = ValueConversion::Read(statement.get(), c + 1, columns_.at(c).type);
        part.state[size_t(slot)] = 1;
        ++next;
    }
    return true;
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
    if (it->second->state[size_t(slot)] != 1)
        return nullptr;
    return it->second->values.data() + size_t(slot) * size_t(columns_.size());
}

void RecordsetImpl::noteSeen()
{
    const auto it = blocks_.find(pos_ / kBlockRows);
    if (it == blocks_.end())
        return;
    seen_ = SeenRow{keys_[size_t(pos_)], it->second, currentRow_, connection_->TableWrites(table_),
                    schemaGeneration_,   false};
}

std::optional<std::vector<Variant>> RecordsetImpl::readRow(qint64 rowid)
{
    ensureColumns();
    for (int attempt = 0; attempt < 2; ++attempt) {
        {
            Statement statement = rowFetch_.Use(
                *connection_,
                QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?1").arg(quotedTable_),
                SqlContext::Query, source_);
            statement.Bind(1, rowid);
            if (!statement.Step())
                return std::nullopt;
            if (columnsMatch(statement)) {
                std::vector<Variant> values(size_t(columns_.size()));
                for (int c = 0; c < columns_.size(); ++c)
                    values[size_t(c)] =
                        ValueConversion::Read(statement.get(), c + 1, columns_.at(c).type);
                return values;
            }
        }
        // The table was altered by another workstation: read it again.
        loadColumns();
    }
    throw Error::Make(err::EngineError, {table_});
}

Variant RecordsetImpl::Value(int index)
{
    // The row already handed out: every move, write and change of the table
    // drops `currentRow_`, so nothing needs checking again.
    if (currentRow_ && currentRow_ == seen_.values && mode_ == dbEditNone && index >= 0 &&
        index < columns_.size())
        return currentRow_[index];
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
    if (seen_.values != currentRow_) {
        noteSeen();
        if (refusedDelete_)
            handedAgain(pos_);
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
    if (refusedDelete_)
        handedAgain(position);
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
    editBase_.clear();
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
    const qint64 rowid = keys_[size_t(pos_)];
    // The edit starts from the row as it is now...
    auto values = readRow(rowid);
    if (!values)
        throw Error::Make(err::RecordDeleted);
    // ...and is written only over the row as the caller last read it, when it
    // did, or else as it is now.
    const bool seen = seen_.block && seen_.rowid == rowid &&
                      (seen_.refused || seen_.writes == connection_->TableWrites(table_)) &&
                      seen_.generation == schemaGeneration_;
    editBase_.assign(values->begin(), values->end());
    if (seen)
        std::copy(seen_.values, seen_.values + columns_.size(), editBase_.begin());
    buffer_ = std::move(*values);
    assigned_.assign(buffer_.size(), false);
    editRowid_ = rowid;
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

RecordsetImpl::KeptWrite &RecordsetImpl::keptWrite(std::vector<std::unique_ptr<KeptWrite>> &kept,
                                                   bool insert)
{
    for (const auto &write : kept) {
        if (write->fields == assigned_)
            return *write;
    }
    if (kept.size() >= kMaxKeptWrites)
        kept.erase(kept.begin());
    auto write = std::make_unique<KeptWrite>();
    write->fields = assigned_;
    QStringList names;
    QStringList marks;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!assigned_[size_t(i)])
            continue;
        names << ColumnType::Quote(columns_.at(i).name);
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

void RecordsetImpl::insertRow()
{
    KeptWrite &write = keptWrite(inserts_, true);
    {
        Statement statement =
            write.statement.Use(*connection_, write.sql, SqlContext::Write, table_);
        int parameter = 0;
        for (int i = 0; i < columns_.size(); ++i) {
            if (assigned_[size_t(i)])
                ValueConversion::Bind(statement, ++parameter, buffer_[size_t(i)],
                                      columns_.at(i).type);
        }
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

bool RecordsetImpl::stillAsRead(const std::vector<Variant> &row) const
{
    for (size_t i = 0; i < row.size() && i < editBase_.size(); ++i) {
        if (editBase_[i] && !(*editBase_[i] == row[i]))
            return false;
    }
    return true;
}

void RecordsetImpl::writeChecked(KeptWrite &write, const std::vector<int> &indexes)
{
    const qint64 rowid = editRowid_;
    // The check and the write must see the same row: no other workstation
    // writes in between.
    OwnTransaction transaction(*connection_);
    const auto now = readRow(rowid);
    if (!now) {
        cancelPending();
        throw Error::Make(err::RecordDeleted);
    }
    if (!stillAsRead(*now)) {
        auto stale = std::make_shared<Block>();
        for (const std::optional<Variant> &value : editBase_)
            stale->values.push_back(value.value_or(Variant()));
        seen_ = SeenRow{rowid, stale, stale->values.data(), 0, schemaGeneration_, true};
        cancelPending();
        clearCache(); // the row is read again when it is shown next
        throw Error::Make(err::DataChanged);
    }
    {
        Statement statement =
            write.statement.Use(*connection_, write.sql, SqlContext::Write, table_);
        for (size_t k = 0; k < indexes.size(); ++k)
            ValueConversion::Bind(statement, int(k) + 1, buffer_[size_t(indexes[k])],
                                  columns_.at(indexes[k]).type);
        statement.Bind(int(indexes.size()) + 1, rowid);
        statement.Step();
    }
    if (sqlite3_changes(connection_->Handle()) == 0) {
        cancelPending();
        throw Error::Make(err::RecordDeleted);
    }
    transaction.Commit();
}

void RecordsetImpl::updateRow()
{
    std::vector<int> indexes;
    for (int i = 0; i < columns_.size(); ++i) {
        if (assigned_[size_t(i)])
            indexes.push_back(i);
    }
    if (!indexes.empty())
        writeChecked(keptWrite(updates_, false), indexes);
    lastModified_ = editRowid_;
    cancelPending();
    if (!indexes.empty()) {
        connection_->NotifyWrite(this);
        notify(RecordsetEvent::ValuesChanged);
    }
}

void RecordsetImpl::handedAgain(int position)
{
    // The row a Delete was refused over is shown again: as it is now, it is
    // what the caller has read of it.
    if (keys_[size_t(position)] != refusedDelete_->rowid)
        return;
    refusedDelete_.reset();
    const int block = position / kBlockRows;
    if (const auto it = blocks_.find(block); it != blocks_.end())
        firstRead_[block] = it->second;
}

std::optional<RecordsetImpl::RowAsRead> RecordsetImpl::rowAsRead(qint64 rowid) const
{
    if (refusedDelete_ && refusedDelete_->rowid == rowid)
        return refusedDelete_->row;
    const int position = pos_;
    const auto it = firstRead_.find(position / kBlockRows);
    if (it == firstRead_.end())
        return std::nullopt;
    const Block &block = *it->second;
    const size_t slot = size_t(position % kBlockRows);
    if (slot >= block.state.size() || block.state[slot] == 0)
        return std::nullopt;
    if (block.state[slot] == 2)
        return RowAsRead{true, {}};
    const size_t width = block.values.size() / block.state.size();
    const Variant *row = block.values.data() + slot * width;
    return RowAsRead{false, std::vector<Variant>(row, row + width)};
}

void RecordsetImpl::deleteRow(qint64 rowid)
{
    {
        Statement statement = connection_->Prepare(
            QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quotedTable_), SqlContext::Write,
            table_);
        statement.Bind(1, rowid);
        statement.Step();
    }
    if (sqlite3_changes(connection_->Handle()) == 0)
        throw Error::Make(err::RecordDeleted);
}

void RecordsetImpl::Delete()
{
    ensureOpen();
    cancelPending();
    requireCurrent();
    ensureColumns();
    const qint64 rowid = keys_[size_t(pos_)];
    const std::optional<RowAsRead> read = rowAsRead(rowid);
    if (!read) {
        // Never read: nothing to hold the row against.
        deleteRow(rowid);
    } else {
        int refusal = 0;
        {
            // The check and the deletion must see the same row: no other
            // workstation writes in between.
            OwnTransaction transaction(*connection_);
            const auto now = readRow(rowid);
            if (!now || read->gone) {
                refusal = err::RecordDeleted;
            } else {
                // A column added since by another workstation was not read.
                for (size_t i = 0; i < now->size() && i < read->values.size(); ++i) {
                    if (!(read->values[i] == (*now)[i]))
                        refusal = err::DataChanged;
                }
            }
            if (refusal == 0) {
                deleteRow(rowid);
                transaction.Commit();
            }
        }
        if (refusal != 0) {
            refusedDelete_ = RefusedDelete{rowid, *read};
            clearCache(); // the row is read again when it is shown next
            throw Error::Make(refusal);
        }
    }
    keys_.erase(keys_.begin() + pos_);
    positionsValid_ = false;
    ghost_ = true;
    currentRow_ = nullptr;
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
    // After a write of this program into the table, what was read before it
    // no longer tells another workstation's changes from ours; writes into
    // other tables (a batch's children before the batch) change nothing here.
    const quint64 writes = connection_->TableWrites(table_);
    if (writes != firstReadWrites_) {
        firstRead_.clear();
        firstReadWrites_ = writes;
    }
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
