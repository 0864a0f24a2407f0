#pragma once

#include "Connection.h"
#include "DaoTypes.h"
#include "FieldDef.h"
#include "RecordsetBlockCache.h"
#include "RecordsetChangeCheck.h"
#include "RecordsetColumns.h"
#include "RecordsetCursor.h"
#include "RecordsetEditBuffer.h"
#include "RecordsetKeyset.h"
#include "RecordsetRows.h"
#include "RecordsetSource.h"

#include <QString>
#include <QVector>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace dao::detail
{

class Connection;
class DatabaseImpl;

// The working of a recordset, as the rest of the layer sees it. Its jobs are
// done by parts of their own: the rowids in order (RecordsetKeyset), the
// position (RecordsetCursor), the rows read in blocks (RecordsetBlockCache,
// read by RecordsetRows), the binding of field names to columns
// (RecordsetColumns), the buffer of a pending AddNew or Edit
// (RecordsetEditBuffer), and what an Update or Delete is checked against
// (RecordsetChangeCheck). This class keeps them in step.
class RecordsetImpl : public std::enable_shared_from_this<RecordsetImpl>
{
public:
    RecordsetImpl(std::shared_ptr<Connection> connection, std::weak_ptr<DatabaseImpl> database,
                  QString source);
    void Open();
    bool IsOpen() const { return open_; }
    void Close();
    void Requery();
    const QString &Source() const { return source_; }
    const QString &TableName() const { return table_; }
    std::shared_ptr<DatabaseImpl> Parent() const { return database_.lock(); }

    bool BOF() const;
    bool EOF_() const;
    int RecordCount() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    int AbsolutePosition() const;
    void SetAbsolutePosition(int position);
    void Find(const QString &criteria, bool next);
    bool NoMatch() const;

    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    EditModeEnum EditMode() const;

    qint64 CurrentRowid() const;
    void SetBookmark(qint64 rowid);
    qint64 LastModified() const;
    qint64 RowidAt(int position) const;
    int PositionOf(qint64 rowid) { return keys_.PositionOfBookmark(rowid); }

    const QVector<FieldDef> &Columns();
    int ColumnIndex(const QString &name);
    // The same at once for a name found before, as a walk reads its fields.
    int QuickColumnIndex(const QString &name)
    {
        if (open_ && schemaStamp_ == connection_->SchemaCount()) {
            const int index = columns_.KnownIndexOf(name);
            if (index >= 0)
                return index;
        }
        return ColumnIndex(name);
    }
    quint64 SchemaGeneration();
    // The same without looking for changes: right after the columns were checked.
    quint64 KnownGeneration() const { return columns_.Generation(); }
    // Where the column that was at `index` in an earlier generation of the
    // columns is now; -1 when it is gone.
    int ColumnIndexSince(quint64 generation, int index);
    Variant Value(int index);
    // The value of the current row as last handed out, or nullptr when it
    // must be read (after a move, a write, an edit or a change of columns).
    const Variant *SeenValue(quint64 generation, int index) const
    {
        if (currentRow_ && currentRow_ == check_.ShownValues() && !edit_.Pending() &&
            generation == columns_.Generation())
            return currentRow_ + index;
        return nullptr;
    }
    void SetValue(int index, const Variant &value);
    Variant ValueAt(int position, int index);

    int Subscribe(RecordsetListener listener);
    void Unsubscribe(int id);
    // Called by the connection after a write on the file by anything but this
    // recordset: the rows held are dropped, and views hear of it.
    void DataChangedElsewhere();
    // The rows given are gone and their rowids may be given again (a
    // rollback took them back, or a scratch table lost them): the list reads
    // those of its table as deleted (RecordsetKeyset::Retire).
    void RowsTakenBack(const std::vector<RowIdentity::Given> &rows);

private:
    void ensureOpen() const;
    void ensureColumns();
    void loadColumns();
    void moved();
    bool hasCurrent() const { return open_ && cursor_.HasCurrent(keys_.Count()); }
    void requireCurrent() const;
    void placeAt(int position);
    void clearCache();
    void dropStaleRows();
    // The row at `position` as held, when it was read under `dataVersion`;
    // nullptr otherwise.
    const Variant *heldRow(int position, qint64 dataVersion) const;
    void checkForeignChanges();
    const Variant *rowValues(int position);
    void fetchBlock(int block, int slot);
    void noteSeen();
    std::optional<std::vector<Variant>> readRow(qint64 rowid);
    void insertRow();
    void updateRow();
    void deleteRow(qint64 rowid);

    // A write of this recordset's, as it keeps or drops the rows held.
    struct OwnWrite {
        bool alone = false;      // in a transaction of its own
        qint64 during = 0;       // the file's data version inside it
        quint64 rowsWritten = 0; // rows of the table written before it
    };
    // Called as the write's transaction began, before the write.
    OwnWrite beginOwnWrite(const OwnTransaction &transaction) const;
    // The row at `position` as held, when it is the row on file; nullptr
    // when it must be read.
    const Variant *heldRow(const OwnWrite &write, int position) const;
    // After the commit, the one place that decides what the write keeps: the
    // rows held, told of the write by `change` (false when it cannot tell
    // them), are kept or dropped; then the other recordsets hear of it.
    template <typename Change> void ownWriteDone(const OwnWrite &write, Change change);
    void notify(RecordsetEvent event);

    std::shared_ptr<Connection> connection_;
    std::weak_ptr<DatabaseImpl> database_;
    QString source_;
    RecordsetSource parsed_;
    QString table_;
    QString quotedTable_;
    // The connection's count of rows written in the table, asked on every write.
    const quint64 *tableWrites_ = nullptr;
    bool open_ = false;

    RecordsetColumns columns_;
    quint64 schemaStamp_ = 0;
    qint64 schemaVersion_ = 0;
    RecordsetKeyset keys_;
    RecordsetCursor cursor_;
    bool noMatch_ = false;
    qint64 lastModified_ = 0;
    RecordsetEditBuffer edit_;
    RecordsetBlockCache cache_;
    qint64 heldVersion_ = -1; // the file's data version the rows held stand for
    RecordsetRows rows_;
    RecordsetChangeCheck check_;
    // The current row's values in the cache, once read.
    const Variant *currentRow_ = nullptr;
    std::optional<qint64> refreshedAt_; // by DBEngine::RefreshTime
    unsigned movesUntimed_ = 0;         // the clock is read on every eighth move only
    // The connection's read count when the data version was last asked.
    quint64 versionAskedAt_ = ~quint64(0);

    std::map<int, RecordsetListener> listeners_;
    int nextListener_ = 1;
};

} // namespace dao::detail
