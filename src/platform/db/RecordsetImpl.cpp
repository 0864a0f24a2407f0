#include "RecordsetImpl.h"

#include "ColumnType.h"
#include "Connection.h"
#include "DBEngine.h"
#include "DaoError.h"
#include "TableSchema.h"
#include "ValueConversion.h"

#include <algorithm>

namespace dao::detail
{

namespace
{

// How old cached rows may get before a move asks the file for changes.
constexpr qint64 kRefreshMs = 100;

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
    // The table, its columns and its rows are read under one lock of the file.
    OwnTransaction reading(*connection_, OwnTransaction::Read);
    const auto table = connection_->TableName(parsed_.table);
    if (!table)
        throw Error::Make(err::TableNotFound, {parsed_.table});
    table_ = *table;
    tableWrites_ = &connection_->TableWritesCounter(table_);
    quotedTable_ = ColumnType::Quote(table_);
    rows_.SetTable(table_, source_);
    loadColumns();
    keys_.Load(*connection_, parsed_, source_);
    reading.Commit();
    check_.Reset(keys_.Count(), columns_.Count());
    open_ = true;
    cursor_.ToFirst(keys_.Count());
    currentRow_ = nullptr;
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
    edit_.Cancel();
    open_ = false;
    keys_.Clear();
    clearCache();
    check_.Forget();
    rows_.Release();
    notify(RecordsetEvent::Closed);
    listeners_.clear();
    connection_.reset();
}

void RecordsetImpl::Requery()
{
    ensureOpen();
    edit_.Cancel();
    const std::vector<qint64> before(keys_.Data(), keys_.Data() + keys_.Count());
    loadColumns();
    keys_.Load(*connection_, parsed_, source_);
    check_.Reloaded(before, keys_.Data(), keys_.Count());
    clearCache();
    cursor_.ToFirst(keys_.Count());
    notify(RecordsetEvent::RowsChanged);
    notify(RecordsetEvent::CurrentChanged);
}

// --- columns ---------------------------------------------------------------

void RecordsetImpl::loadColumns()
{
    const QVector<FieldDef> previous = columns_.Columns();
    // The version first: a change of tables in between is then seen later.
    const qint64 version = connection_->SchemaVersion();
    const QVector<FieldDef> *known = connection_->KnownColumns(table_, version);
    columns_.Assign(known ? *known
                          : connection_->KeepColumns(table_, version,
                                                     TableSchema::Columns(*connection_, table_)));
    rows_.Release();
    schemaStamp_ = connection_->SchemaCount();
    schemaVersion_ = version;
    const QVector<FieldDef> &now = columns_.Columns();
    const auto sameColumn = [](const FieldDef &a, const FieldDef &b) {
        return a.name == b.name && a.type == b.type;
    };
    check_.ColumnsChanged(
        previous.size() <= now.size() &&
            std::equal(previous.cbegin(), previous.cend(), now.cbegin(), sameColumn),
        int(now.size()));
    clearCache();
    // Keep what was assigned to the columns that are still there.
    edit_.Remap(int(previous.size()), int(now.size()),
                [this, &previous](int i) { return columns_.ExactIndexOf(previous.at(i).name); });
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
    return columns_.Columns();
}

quint64 RecordsetImpl::SchemaGeneration()
{
    ensureOpen();
    ensureColumns();
    return columns_.Generation();
}

int RecordsetImpl::ColumnIndex(const QString &name)
{
    ensureOpen();
    ensureColumns();
    const int index = columns_.IndexOf(name);
    if (index >= 0)
        return index;
    // Another workstation may have added the column since we looked.
    if (connection_->SchemaVersion() == schemaVersion_)
        return -1;
    loadColumns();
    return columns_.IndexOf(name);
}

int RecordsetImpl::ColumnIndexSince(quint64 generation, int index)
{
    const QString name = columns_.NameSince(generation, index);
    return name.isEmpty() ? -1 : ColumnIndex(name);
}

// --- position --------------------------------------------------------------

bool RecordsetImpl::BOF() const
{
    ensureOpen();
    return cursor_.Bof();
}

bool RecordsetImpl::EOF_() const
{
    ensureOpen();
    return cursor_.Eof();
}

int RecordsetImpl::RecordCount() const
{
    ensureOpen();
    return keys_.Count();
}

void RecordsetImpl::requireCurrent() const
{
    ensureOpen();
    if (cursor_.Ghost())
        throw Error::Make(err::RecordDeleted);
    if (!hasCurrent())
        throw Error::Make(err::NoCurrentRecord);
}

void RecordsetImpl::placeAt(int position)
{
    cursor_.PlaceAt(position);
    moved();
}

void RecordsetImpl::moved()
{
    edit_.Cancel();
    currentRow_ = nullptr;
    checkForeignChanges();
    notify(RecordsetEvent::CurrentChanged);
}

void RecordsetImpl::MoveFirst()
{
    ensureOpen();
    if (keys_.Empty())
        throw Error::Make(err::NoCurrentRecord);
    placeAt(0);
}

void RecordsetImpl::MoveLast()
{
    ensureOpen();
    if (keys_.Empty())
        throw Error::Make(err::NoCurrentRecord);
    placeAt(keys_.Count() - 1);
}

void RecordsetImpl::MoveNext()
{
    ensureOpen();
    if (!cursor_.Next(keys_.Count()))
        throw Error::Make(err::NoCurrentRecord);
    moved();
}

void RecordsetImpl::MovePrevious()
{
    ensureOpen();
    if (!cursor_.Previous(keys_.Count()))
        throw Error::Make(err::NoCurrentRecord);
    moved();
}

int RecordsetImpl::AbsolutePosition() const
{
    ensureOpen();
    return hasCurrent() ? cursor_.Position() : -1;
}

void RecordsetImpl::SetAbsolutePosition(int position)
{
    ensureOpen();
    if (position < 0 || position >= keys_.Count())
        throw Error::Make(err::InvalidArgument);
    placeAt(position);
}

qint64 RecordsetImpl::RowidAt(int position) const
{
    ensureOpen();
    if (position < 0 || position >= keys_.Count())
        throw Error::Make(err::InvalidArgument);
    return keys_.At(position);
}

qint64 RecordsetImpl::CurrentRowid() const
{
    requireCurrent();
    return keys_.At(cursor_.Position());
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
    edit_.Cancel();
    const int count = keys_.Count();
    const int start = next ? cursor_.FindStart(count) : 0;
    int found = -1;
    if (start < count) {
        if (keys_.Sorted()) {
            // Table order: the first match at or after the start row is the
            // lowest matching rowid that this recordset holds.
            Statement statement = connection_->Prepare(
                QStringLiteral("SELECT rowid FROM %1 WHERE rowid >= ?1 AND (%2) ORDER BY rowid")
                    .arg(quotedTable_, criteria),
                SqlContext::Find, criteria, false);
            statement.Bind(1, keys_.At(start));
            while (found < 0 && statement.Step())
                found = keys_.PositionOf(statement.Int64(0));
        } else {
            Statement statement = connection_->Prepare(
                QStringLiteral("SELECT rowid FROM %1 WHERE (%2)").arg(quotedTable_, criteria),
                SqlContext::Find, criteria, false);
            while (found != start && statement.Step()) {
                const int position = keys_.PositionOf(statement.Int64(0));
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
    cache_.Clear();
    currentRow_ = nullptr;
}

// The rows held are the rows on file for as long as the file's data version
// is the one they were read under: other workstations' commits move it, and
// are seen as this connection reads. This connection's own writes tell the
// recordsets themselves (Connection::NotifyWrite, own writes below).
void RecordsetImpl::dropStaleRows()
{
    const qint64 version = connection_->DataVersion();
    if (version == heldVersion_)
        return;
    cache_.Clear();
    heldVersion_ = version;
    currentRow_ = nullptr;
}

const Variant *RecordsetImpl::heldRow(int position, qint64 dataVersion) const
{
    return dataVersion == heldVersion_ ? cache_.HeldRow(position, columns_.Count()) : nullptr;
}

void RecordsetImpl::checkForeignChanges()
{
    // Other workstations' commits show once the connection reads again; moves
    // look for them now and then, as the old engine refreshed its pages.
    if (!refreshedAt_ ||
        (++movesUntimed_ % 8 == 0 && DBEngine::RefreshTime() - *refreshedAt_ >= kRefreshMs)) {
        // A look, not a read the move needs: while another workstation holds
        // the file, the move goes on with the rows held and looks later.
        std::optional<qint64> schemaVersion;
        try {
            const LockWaitLimit look(0);
            schemaVersion = connection_->SchemaVersion();
        } catch (const Error &error) {
            if (error.Number() != err::Locked)
                throw;
        }
        if (schemaVersion) {
            if (*schemaVersion != schemaVersion_)
                loadColumns();
            refreshedAt_ = DBEngine::RefreshTime();
        }
    }
    const quint64 reads = connection_->ReadCount();
    if (reads != versionAskedAt_) {
        versionAskedAt_ = reads;
        dropStaleRows();
    }
}

void RecordsetImpl::fetchBlock(int block, int slot)
{
    ensureColumns();
    const RecordsetBlockRead plan = cache_.Plan(block, slot);
    std::vector<std::shared_ptr<RecordsetBlock>> read;
    if (!rows_.ReadBlocks(*connection_, keys_, plan, columns_.Columns(), read)) {
        // The table was altered by another workstation: read it again.
        loadColumns();
        if (!rows_.ReadBlocks(*connection_, keys_, plan, columns_.Columns(), read))
            throw Error::Make(err::EngineError, {table_});
    }
    // Rows read under a newer version of the file make the older ones stale.
    dropStaleRows();
    const int current = RecordsetBlockCache::BlockOf(cursor_.Position());
    // A page joins what is held of its block.
    if (const auto *held = plan.rows > 0 ? cache_.Find(block) : nullptr) {
        read.front() = RecordsetBlock::Filled(**held, *read.front());
        if (block == current)
            currentRow_ = nullptr;
    }
    for (const int evicted : cache_.Store(block, read)) {
        if (evicted == current)
            currentRow_ = nullptr;
    }
}

const Variant *RecordsetImpl::rowValues(int position)
{
    const int block = RecordsetBlockCache::BlockOf(position);
    const int slot = RecordsetBlockCache::SlotOf(position);
    auto found = cache_.Find(block);
    if (!found || !(*found)->WasRead(slot)) {
        fetchBlock(block, slot);
        found = cache_.Find(block);
    }
    return (*found)->Row(slot);
}

void RecordsetImpl::noteSeen()
{
    const int position = cursor_.Position();
    const auto block = cache_.Find(RecordsetBlockCache::BlockOf(position));
    if (!block)
        return;
    check_.Shown(position, *block, currentRow_);
}

std::optional<std::vector<Variant>> RecordsetImpl::readRow(qint64 rowid)
{
    ensureColumns();
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::vector<Variant> values;
        switch (rows_.ReadRow(*connection_, rowid, columns_.Columns(), values)) {
        case RecordsetRows::RowRead::Found:
            return values;
        case RecordsetRows::RowRead::Gone:
            return std::nullopt;
        case RecordsetRows::RowRead::Altered:
            break;
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
    if (currentRow_ && currentRow_ == check_.ShownValues() && !edit_.Pending() && index >= 0 &&
        index < columns_.Count())
        return currentRow_[index];
    ensureOpen();
    ensureColumns();
    if (index < 0 || index >= columns_.Count())
        throw Error::Make(err::ItemNotFound);
    if (edit_.Pending())
        return edit_.Value(index);
    requireCurrent();
    if (!currentRow_) {
        currentRow_ = rowValues(cursor_.Position());
        if (!currentRow_)
            throw Error::Make(err::RecordDeleted);
    }
    if (check_.ShownValues() != currentRow_)
        noteSeen();
    return currentRow_[index];
}

Variant RecordsetImpl::ValueAt(int position, int index)
{
    ensureOpen();
    ensureColumns();
    if (position < 0 || position >= keys_.Count() || index < 0 || index >= columns_.Count())
        return Variant();
    const Variant *row = rowValues(position);
    if (position == cursor_.Position())
        currentRow_ = row;
    if (row && !check_.LastInView(position, row))
        check_.ShownInView(position, *cache_.Find(RecordsetBlockCache::BlockOf(position)), row);
    return row ? row[index] : Variant();
}

void RecordsetImpl::SetValue(int index, const Variant &value)
{
    ensureOpen();
    ensureColumns();
    if (index < 0 || index >= columns_.Count())
        throw Error::Make(err::ItemNotFound);
    if (!edit_.Pending())
        throw Error::Make(err::UpdateWithoutEdit);
    edit_.Set(index, ValueConversion::ForField(value, columns_.At(index)));
}

// --- AddNew / Edit / Update / Delete ---------------------------------------

EditModeEnum RecordsetImpl::EditMode() const
{
    ensureOpen();
    return edit_.Mode();
}

void RecordsetImpl::AddNew()
{
    ensureOpen();
    ensureColumns();
    edit_.StartAdd(columns_.Count());
}

void RecordsetImpl::Edit()
{
    ensureOpen();
    edit_.Cancel();
    requireCurrent();
    const int position = cursor_.Position();
    const qint64 rowid = keys_.At(position);
    // The edit starts from the row as it is now: as held, when the file has
    // not changed since it was read...
    ensureColumns();
    std::optional<std::vector<Variant>> values;
    const int width = columns_.Count();
    // The file is looked at again only when a row is held.
    if (heldRow(position, connection_->DataVersion())) {
        if (const Variant *held = heldRow(position, connection_->FreshDataVersion()))
            values.emplace(held, held + width);
    }
    if (!values)
        values = readRow(rowid);
    if (!values)
        throw Error::Make(err::RecordDeleted);
    // ...and is written only over the row as it was last handed out, when it
    // was, or else as it is now.
    quint64 expected = check_.ShownDigest(position);
    if (!expected)
        expected = check_.Digest(values->data(), int(values->size()));
    edit_.StartEdit(rowid, std::move(*values), expected);
}

void RecordsetImpl::CancelUpdate()
{
    ensureOpen();
    if (!edit_.Pending())
        throw Error::Make(err::UpdateWithoutEdit);
    edit_.Cancel();
}

void RecordsetImpl::Update()
{
    ensureOpen();
    if (!edit_.Pending())
        throw Error::Make(err::UpdateWithoutEdit);
    ensureColumns();
    if (edit_.Mode() == dbEditAdd)
        insertRow();
    else
        updateRow();
}

// --- own writes --------------------------------------------------------------
//
// A write of this recordset's keeps the rows it holds when it runs in a
// transaction of its own: while the file's data version inside it is still
// the one the rows were read under, nothing else has written since, so a row
// held is the row on file. When the write then changed one row of the table,
// the rows held are told of it, and the commit moved the data version by one,
// they are the rows on file again, under the new version. Any other write
// drops them.

RecordsetImpl::OwnWrite RecordsetImpl::beginOwnWrite(const OwnTransaction &transaction) const
{
    return {transaction.Began(), connection_->DataVersion(), *tableWrites_};
}

const Variant *RecordsetImpl::heldRow(const OwnWrite &write, int position) const
{
    return write.alone ? heldRow(position, write.during) : nullptr;
}

template <typename Change> void RecordsetImpl::ownWriteDone(const OwnWrite &write, Change change)
{
    currentRow_ = nullptr;
    const qint64 after = connection_->DataVersion();
    if (write.alone && *tableWrites_ == write.rowsWritten + 1 && change() &&
        heldVersion_ == write.during && after == write.during + 1)
        heldVersion_ = after;
    else
        cache_.Clear();
    connection_->NotifyWrite(this);
}

void RecordsetImpl::insertRow()
{
    qint64 rowid = 0;
    {
        OwnTransaction transaction(*connection_);
        rowid = rows_.Insert(*connection_, edit_, columns_.Columns());
        connection_->SettleRowids();
        rowid = connection_->Rowids().Now(table_, rowid);
        transaction.Commit();
    }
    keys_.Append(rowid);
    check_.Appended();
    lastModified_ = rowid;
    edit_.Cancel();
    ownWriteDone({}, [] { return false; }); // the rows held do not take a new row
    notify(RecordsetEvent::RowsChanged);
}

void RecordsetImpl::updateRow()
{
    const qint64 rowid = edit_.Rowid();
    const int position = cursor_.Position();
    if (edit_.AssignedIndexes().empty()) {
        lastModified_ = rowid;
        edit_.Cancel();
        return;
    }
    const int width = columns_.Count();
    std::vector<Variant> written;
    // The check and the write must see the same row: no other workstation
    // writes in between.
    OwnTransaction transaction(*connection_);
    const OwnWrite write = beginOwnWrite(transaction);
    const Variant *held = heldRow(write, position);
    std::optional<std::vector<Variant>> now;
    if (!held) {
        now = readRow(rowid);
        if (!now) {
            edit_.Cancel();
            throw Error::Make(err::RecordDeleted);
        }
    }
    const quint64 digest =
        held ? check_.Digest(held, width) : check_.Digest(now->data(), int(now->size()));
    if (digest != edit_.Expected()) {
        // Saving the same stale values again is refused too, until the row is
        // handed out anew.
        check_.SetShown(position, edit_.Expected());
        edit_.Cancel();
        clearCache(); // the row is read again when it is shown next
        throw Error::Make(err::DataChanged);
    }
    if (!rows_.Update(*connection_, edit_, columns_.Columns())) {
        edit_.Cancel();
        throw Error::Make(err::RecordDeleted);
    }
    // The row as stored: a value may be stored otherwise than assigned.
    if (auto again = readRow(rowid))
        written = std::move(*again);
    transaction.Commit();
    // What was saved is what its caller has seen of the row.
    if (!written.empty())
        check_.SetShown(position, check_.Digest(written.data(), int(written.size())));
    lastModified_ = rowid;
    edit_.Cancel();
    ownWriteDone(write, [&] {
        if (!held || int(written.size()) != width)
            return false;
        cache_.Rewritten(position, written.data(), width);
        return true;
    });
    notify(RecordsetEvent::ValuesChanged);
}

void RecordsetImpl::deleteRow(qint64 rowid)
{
    if (!rows_.Delete(*connection_, rowid))
        throw Error::Make(err::RecordDeleted);
    connection_->SettleRowids();
}

void RecordsetImpl::Delete()
{
    ensureOpen();
    edit_.Cancel();
    requireCurrent();
    ensureColumns();
    const int position = cursor_.Position();
    const qint64 rowid = keys_.At(position);
    int refusal = 0;
    OwnWrite write;
    {
        // The check and the deletion must see the same row: no other
        // workstation writes in between.
        OwnTransaction transaction(*connection_);
        write = beginOwnWrite(transaction);
        // A row never handed out has nothing to be held against: rowids are
        // never given again, so the row is the one the bookmark was taken for.
        if (check_.ShownDigest(position)) {
            if (const Variant *held = heldRow(write, position)) {
                if (check_.Compare(position, held, columns_.Count()) ==
                    RecordsetChangeCheck::Against::Changed)
                    refusal = err::DataChanged;
            } else if (const auto now = readRow(rowid); !now) {
                refusal = err::RecordDeleted;
            } else if (check_.Compare(position, *now) == RecordsetChangeCheck::Against::Changed) {
                refusal = err::DataChanged;
            }
        }
        if (refusal == 0) {
            deleteRow(rowid);
            transaction.Commit();
        }
    }
    if (refusal != 0) {
        clearCache(); // the row is read again when it is shown next
        throw Error::Make(refusal);
    }
    keys_.Erase(position);
    check_.Erased(position);
    cursor_.Deleted();
    ownWriteDone(write, [&] {
        cache_.Erased(position, keys_.Count());
        return true;
    });
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

void RecordsetImpl::DataChangedElsewhere()
{
    clearCache();
    notify(RecordsetEvent::ValuesChanged);
}

void RecordsetImpl::RowsTakenBack(const std::vector<RowIdentity::Given> &rows)
{
    bool retired = false;
    for (const RowIdentity::Given &given : rows) {
        if (table_.compare(QString::fromStdString(given.table), Qt::CaseInsensitive) == 0) {
            keys_.Retire(given.first, given.last);
            retired = true;
        }
    }
    if (retired)
        clearCache();
}

void RecordsetImpl::notify(RecordsetEvent event)
{
    if (listeners_.empty())
        return;
    // A listener may subscribe or unsubscribe while it is told.
    const auto listeners = listeners_;
    for (const auto &[id, listener] : listeners)
        listener(event);
}

} // namespace dao::detail
