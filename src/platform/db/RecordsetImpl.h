#pragma once

#include "DaoTypes.h"
#include "FieldDef.h"
#include "RecordsetSource.h"
#include "Statement.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace dao::detail
{

class Connection;
class DatabaseImpl;
class Statement;

// The working of a recordset: its rowids in order (the keyset), the current
// position, a small cache of rows read in blocks, and the buffer of a pending
// AddNew or Edit. An Update after Edit writes only when the row still holds
// what the caller last read of it (3197 otherwise), so that one workstation's
// save never silently undoes another's. A Delete likewise removes only a row
// that still holds what this recordset read of it (3197 or 3167 otherwise),
// so that a row another workstation changed, or a new row that took over a
// deleted row's rowid, is never removed unseen.
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
    int PositionOf(qint64 rowid);

    const QVector<FieldDef> &Columns();
    int ColumnIndex(const QString &name);
    quint64 SchemaGeneration();
    // The same without looking for changes: right after the columns were checked.
    quint64 KnownGeneration() const { return schemaGeneration_; }
    // Where the column that was at `index` in an earlier generation of the
    // columns is now; -1 when it is gone.
    int ColumnIndexSince(quint64 generation, int index);
    Variant Value(int index);
    // The value of the current row as last handed out, or nullptr when it
    // must be read (after a move, a write, an edit or a change of columns).
    const Variant *SeenValue(quint64 generation, int index) const
    {
        if (currentRow_ && currentRow_ == seen_.values && mode_ == dbEditNone &&
            generation == schemaGeneration_)
            return currentRow_ + index;
        return nullptr;
    }
    void SetValue(int index, const Variant &value);
    Variant ValueAt(int position, int index);

    int Subscribe(RecordsetListener listener);
    void Unsubscribe(int id);
    // Called by the connection after any write on the file: cached rows are
    // dropped, and views hear of it unless this recordset did it itself.
    void DataChangedElsewhere(bool self);

private:
    struct Block {
        std::vector<Variant> values;
        std::vector<quint8> state; // 0 not read, 1 present, 2 gone
    };
    // The row values that the caller was last handed for one row, kept while
    // this program writes nothing into the row's table (a rollback or a write
    // elsewhere leaves them good): what a later Edit is checked against. After a refused Update
    // they are kept until the caller reads the row again, so that saving the same stale values once
    // more is refused too.
    struct SeenRow {
        qint64 rowid = 0;
        std::shared_ptr<const Block> block;
        const Variant *values = nullptr;
        quint64 writes = 0;
        quint64 generation = 0;
        bool refused = false;
    };
    // A field name as the caller spells it, found again by the address of its
    // text (and checked letter by letter) so that a walk does not hash the
    // name on every read.
    struct NameHit {
        const QChar *address = nullptr;
        QString spelling;
        int index = -1;
    };
    // A row as this recordset read it: gone when it was already deleted then.
    struct RowAsRead {
        bool gone = false;
        std::vector<Variant> values;
    };
    // A Delete refused because the row changed: the values it was refused over
    // stay the ones to compare with until the row is read again, whatever the
    // end of the refused transaction drops.
    struct RefusedDelete {
        qint64 rowid = 0;
        RowAsRead row;
    };
    // An INSERT or UPDATE kept prepared for one set of assigned fields.
    struct KeptWrite {
        std::vector<bool> fields;
        QString sql;
        KeptStatement statement;
    };

    void ensureOpen() const;
    void ensureColumns();
    void loadColumns();
    void loadKeyset();
    void toFirst();
    void moved();
    void cancelPending();
    bool hasCurrent() const;
    void requireCurrent() const;
    void placeAt(int position);
    void clearCache();
    void releaseStatements();
    void checkForeignChanges();
    const Variant *rowValues(int position);
    void noteSeen();
    void fetchBlock(int block);
    bool readBlocks(int block, int span, std::vector<std::shared_ptr<Block>> &fetched);
    bool columnsMatch(const Statement &statement) const;
    std::optional<std::vector<Variant>> readRow(qint64 rowid);
    KeptWrite &keptWrite(std::vector<std::unique_ptr<KeptWrite>> &kept, bool insert);
    void insertRow();
    void updateRow();
    void writeChecked(KeptWrite &write, const std::vector<int> &indexes);
    bool stillAsRead(const std::vector<Variant> &row) const;
    void keepFirstRead(int block, const std::shared_ptr<const Block> &values);
    std::optional<RowAsRead> rowAsRead(qint64 rowid) const;
    void handedAgain(int position);
    void deleteRow(qint64 rowid);
    void notify(RecordsetEvent event);

    std::shared_ptr<Connection> connection_;
    std::weak_ptr<DatabaseImpl> database_;
    QString source_;
    RecordsetSource parsed_;
    QString table_;
    QString quotedTable_;
    bool open_ = false;

    QVector<FieldDef> columns_;
    QHash<QString, int> columnIndex_;
    std::array<NameHit, 128> nameHits_;
    std::map<quint64, QVector<FieldDef>> pastColumns_; // by generation
    size_t namesKept_ = 0;
    quint64 schemaGeneration_ = 0;
    quint64 schemaStamp_ = 0;
    qint64 schemaVersion_ = 0;

    std::vector<qint64> keys_;
    bool sorted_ = true;
    std::unordered_map<qint64, int> positions_;
    bool positionsValid_ = false;

    int pos_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    bool ghost_ = false; // the current row was deleted
    bool noMatch_ = false;
    qint64 lastModified_ = 0;

    EditModeEnum mode_ = dbEditNone;
    std::vector<Variant> buffer_;
    std::vector<bool> assigned_;
    qint64 editRowid_ = 0;
    // What the row held when the edit began, by column; empty for a column
    // that appeared since.
    std::vector<std::optional<Variant>> editBase_;

    std::unordered_map<int, std::shared_ptr<const Block>> blocks_;
    const Variant *currentRow_ = nullptr;
    SeenRow seen_;
    // Blocks as first read since the keyset was loaded and this program last
    // wrote into the table: rows read again after another workstation's commit
    // do not replace them, so a Delete can tell that a row changed meanwhile.
    std::unordered_map<int, std::shared_ptr<const Block>> firstRead_;
    quint64 firstReadWrites_ = 0; // this program's writes into the table then
    std::optional<RefusedDelete> refusedDelete_;
    qint64 cacheVersion_ = -1;
    QElapsedTimer freshness_;
    unsigned movesUntimed_ = 0; // the clock is read on every eighth move only
    int nextSequential_ = -1;   // the block a walk reads next
    int span_ = 1;              // blocks read by the last statement

    KeptStatement rangeFetch_;
    KeptStatement listFetch_;
    KeptStatement rowFetch_;
    std::vector<std::unique_ptr<KeptWrite>> inserts_;
    std::vector<std::unique_ptr<KeptWrite>> updates_;

    std::map<int, RecordsetListener> listeners_;
    int nextListener_ = 1;
};

} // namespace dao::detail
