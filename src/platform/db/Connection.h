#pragma once

#include "FieldDef.h"
#include "RowIdentity.h"
#include "SqliteErrors.h"
#include "Statement.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace dao::detail
{

class RecordsetImpl;

// One SQLite connection per database file, shared by every handle and
// recordset of this program that uses the file, and closed with the last of
// them. It carries our collation and functions, the busy wait and the
// transaction depth, and tells the recordsets when the data or the tables
// changed under them.
class Connection
{
public:
    // The shared connection of an existing file (the caller has checked that
    // it exists); `create` makes a new file instead.
    static std::shared_ptr<Connection> Acquire(const QString &path, bool create);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *Handle() const { return db_; }
    // Internal statements of fixed text are kept prepared; others are not.
    // `writesRows`, when given, tells whether the statement adds, changes or
    // deletes rows of the file's tables.
    Statement Prepare(const QString &sql, SqlContext context, const QString &subject = {},
                      bool cache = true, bool *writesRows = nullptr);
    void Run(const QString &sql, SqlContext context, const QString &subject = {});
    void Release(sqlite3_stmt *stmt);
    // Raises the engine error for SQLite's failure `rc` of this connection.
    [[noreturn]] void Fail(int rc, const QString &message, SqlContext context,
                           const QString &subject);
    // Waits for another workstation's lock begun by this program so far.
    static quint64 LockWaits();
    // Each statement waits at most `limitMs` (-1: as long as its transaction
    // may); returns the limit it replaces. See dao::LockWaitLimit.
    static int SetShortWait(int limitMs);

    void BeginTrans(bool immediate);
    void CommitTrans();
    void Rollback();
    int TransactionDepth() const { return depth_; }

    // Changes made through this connection; the file's data version also
    // counts commits of other connections, seen when a read begins.
    quint64 WriteCount() const { return writes_; }
    // Rows this connection has added, changed or deleted in one table.
    quint64 TableWrites(const QString &table) const;
    // The same count kept up to date, for a reader that asks on every row; it
    // lives as long as the connection.
    const quint64 &TableWritesCounter(const QString &table);
    quint64 SchemaCount() const { return schemaChanges_; }
    qint64 DataVersion() const;
    // The same after a look at the file, so that other workstations' commits
    // since the last read count.
    qint64 FreshDataVersion();
    // Statements prepared and steps taken so far. The data version changes
    // only when SQLite reads or writes the file, i.e. across one of them, so
    // while this count stands the version need not be asked again.
    quint64 ReadCount() const { return reads_; }
    void NoteRead() { ++reads_; }
    qint64 SchemaVersion();
    // A table's columns as read under one schema version with no change of
    // tables by this connection and no rollback since, so that opening a
    // recordset need not read them again; nullptr when they must be read.
    const QVector<FieldDef> *KnownColumns(const QString &table, qint64 schemaVersion) const;
    const QVector<FieldDef> &KeepColumns(const QString &table, qint64 schemaVersion,
                                         QVector<FieldDef> columns);
    // A table's columns now, read when they are not known.
    QVector<FieldDef> Columns(const QString &table);
    // A table's name as stored, found in any letter case; nullopt when there
    // is no such table. Kept like the columns.
    std::optional<QString> TableName(const QString &name);
    // What keeps deleted rows' rowids from being given again; settled after
    // each write of rows, in its transaction, and before every commit.
    RowIdentity &Rowids() { return rowids_; }
    void SettleRowids()
    {
        rowids_.Settle(*this);
        if (rowids_.AnyScratchEmptied())
            retireScratchRows();
    }
    // Database::SetScratchTables.
    void SetScratchTables(const QStringList &tables);
    // Tells the recordsets that the data changed, all but `source`, which
    // wrote it.
    void NotifyWrite(const RecordsetImpl *source);
    void NotifySchemaChange();
    void Register(const std::shared_ptr<RecordsetImpl> &recordset);

private:
    Connection(sqlite3 *db, QString canonicalPath, quint64 fileKey);
    void configure();
    static int busyHandler(void *self, int attempt);
    static void rowChanged(void *self, int operation, const char *database, const char *table,
                           qint64 rowid);
    static int authorize(void *self, int action, const char *first, const char *second,
                         const char *database, const char *trigger);
    // What the authorizer learns of the statement being prepared.
    struct Preparing {
        bool writesRows = false;
        QStringList insertsInto;
    };
    void refuseRowidKeys(const QStringList &tables);
    bool hasRowidKey(const QString &table);
    // Hands a rollback to the recordsets: the rows it took back, then the
    // data as it was.
    void rolledBack(const std::vector<RowIdentity::Given> &rows);
    void retireScratchRows();
    template <typename Visit> void forEachRecordset(Visit visit);

    bool wroteInTransaction() const;

    sqlite3 *db_;
    QString path_;
    quint64 fileKey_;
    QHash<QString, sqlite3_stmt *> idle_;
    QHash<sqlite3_stmt *, QString> busy_; // cached statements in use, by their text
    int depth_ = 0;
    quint64 writes_ = 0;
    // Changes of tables by this connection and rollbacks, after which columns
    // read before are read again.
    quint64 schemaEpoch_ = 0;
    quint64 reads_ = 0;
    std::unordered_map<std::string, quint64> tableWrites_; // by lower-case name
    std::string lastTable_;
    quint64 *lastTableWrites_ = nullptr;
    quint64 schemaChanges_ = 0;
    // Rows and tables changed so far, and as the outermost transaction began.
    quint64 rowsChanged_ = 0;
    quint64 changedAtBegin_ = 0;
    struct KeptColumns {
        qint64 schemaVersion = 0;
        quint64 epoch = 0;
        QVector<FieldDef> columns;
    };
    QHash<QString, KeptColumns> columns_; // by table name as stored
    struct KeptName {
        qint64 schemaVersion = 0;
        quint64 epoch = 0;
        std::optional<QString> name;
    };
    QHash<QString, KeptName> tableNames_; // by the name asked, in lower case
    RowIdentity rowids_;
    Preparing *preparing_ = nullptr;
    std::string dropping_; // the table or view a DROP being prepared names
    QHash<QString, std::pair<qint64, bool>> rowidKeys_; // by lower-case name: schema version, key
    // One wait budget for each outermost transaction, shared by its BEGIN,
    // its statements and its COMMIT; a statement outside one has its own.
    QElapsedTimer busySince_;
    qint64 waitedBefore_ = 0;
    qint64 waited_ = 0;
    std::vector<std::weak_ptr<RecordsetImpl>> recordsets_;
};

// Ends a write that began its own transaction: committed when done, rolled
// back when anything on the way failed.
class OwnTransaction
{
public:
    // A write that begins the outermost transaction takes the file's write
    // lock at once. Inside a transaction begun before, it begins nothing: the
    // lock is then taken by the first statement that writes, unless that
    // transaction holds it already. A read only holds one view of the file
    // for several statements.
    enum Kind { Write, Read };
    explicit OwnTransaction(Connection &connection, Kind kind = Write)
        : connection_(connection), own_(connection.TransactionDepth() == 0)
    {
        if (own_)
            connection_.BeginTrans(kind == Write);
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
    // Whether it began the outermost transaction, until it is committed.
    bool Began() const { return own_; }
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

} // namespace dao::detail
