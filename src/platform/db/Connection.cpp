#include "Connection.h"

#include "ColumnType.h"
#include "DaoError.h"
#include "RecordsetImpl.h"
#include "SqlFunctions.h"
#include "TableSchema.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <utility>

#include <sqlite3.h>
#include <sys/stat.h>

namespace dao::detail
{

namespace
{

// How long a transaction waits for other workstations in all before giving
// up (3218).
constexpr int kBusyTimeoutMs = 5000;
// Enough for the statements of every table a program run works with.
constexpr qsizetype kMaxCachedStatements = 256;

quint64 lockWaits = 0;
thread_local int shortWaitMs = -1; // the limit of the LockWaitLimit alive; -1: none

QHash<QString, std::weak_ptr<Connection>> &registry()
{
    static QHash<QString, std::weak_ptr<Connection>> connections;
    return connections;
}

// The file's identity, so that a file deleted and made again under the same
// name is never served by the connection to the old one.
quint64 fileKey(const QString &path)
{
    struct stat info {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return (quint64(info.st_dev) << 40) ^ quint64(info.st_ino);
}

QString canonicalPath(const QString &path, bool create)
{
    const QFileInfo file(path);
    if (!create)
        return file.canonicalFilePath();
    return QFileInfo(file.absolutePath()).canonicalFilePath() + QLatin1Char('/') + file.fileName();
}

} // namespace

std::shared_ptr<Connection> Connection::Acquire(const QString &path, bool create)
{
    const QString canonical = canonicalPath(path, create);
    if (!create) {
        if (auto existing = registry().value(canonical).lock();
            existing && existing->fileKey_ == fileKey(canonical))
            return existing;
    }
    sqlite3 *db = nullptr;
    // Every connection of the program is used by the user-interface thread
    // alone, so SQLite need not lock it around each call.
    const int flags =
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(QFile::encodeName(canonical).constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        SqliteErrors::Throw(rc, QString(), SqlContext::Open, path);
    }
    std::shared_ptr<Connection> connection(new Connection(db, canonical, 0));
    connection->configure();
    if (create)
        connection->Run(QStringLiteral("PRAGMA user_version = 0"), SqlContext::Open, path);
    connection->fileKey_ = fileKey(canonical);
    registry().insert(canonical, connection);
    return connection;
}

Connection::Connection(sqlite3 *db, QString canonicalPath, quint64 fileKey)
    : db_(db), path_(std::move(canonicalPath)), fileKey_(fileKey)
{
}

Connection::~Connection()
{
    for (sqlite3_stmt *stmt : std::as_const(idle_))
        sqlite3_finalize(stmt);
    sqlite3_close_v2(db_);
    if (auto it = registry().find(path_); it != registry().end() && it->expired())
        registry().erase(it);
}

void Connection::configure()
{
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_handler(db_, &Connection::busyHandler, this);
    sqlite3_update_hook(db_, &Connection::rowChanged, this);
    sqlite3_set_authorizer(db_, &Connection::authorize, this);
    SqlFunctions::Register(db_);
    {
        // The first read tells a database from any other file.
        Statement check =
            Prepare(QStringLiteral("PRAGMA schema_version"), SqlContext::Open, path_, false);
        check.Step();
    }
    // A rollback journal: the write-ahead log is unsafe on a shared network folder.
    QString mode;
    {
        Statement current =
            Prepare(QStringLiteral("PRAGMA journal_mode"), SqlContext::Open, path_, false);
        if (current.Step())
            mode = current.Text(0);
    }
    if (mode.compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        Run(QStringLiteral("PRAGMA journal_mode = DELETE"), SqlContext::Open, path_);
}

int Connection::busyHandler(void *self, int attempt)
{
    auto *connection = static_cast<Connection *>(self);
    if (attempt == 0) {
        // Outside a transaction the statement (a BEGIN among them) begins its
        // own; inside one, whatever its earlier statements waited counts.
        if (connection->depth_ == 0)
            connection->waited_ = 0;
        if (connection->waited_ >= kBusyTimeoutMs)
            return 0;
        connection->waitedBefore_ = connection->waited_;
        connection->busySince_.start();
        if (shortWaitMs < 0)
            ++lockWaits;
    }
    const qint64 waiting = connection->busySince_.elapsed();
    connection->waited_ = connection->waitedBefore_ + waiting;
    if (connection->waited_ >= kBusyTimeoutMs || (shortWaitMs >= 0 && waiting >= shortWaitMs))
        return 0;
    // Short random sleeps give every waiting workstation a fair chance at the
    // moment the lock comes free.
    QThread::usleep(500 + QRandomGenerator::global()->bounded(2500));
    return 1;
}

quint64 Connection::LockWaits()
{
    return lockWaits;
}

int Connection::SetShortWait(int limitMs)
{
    return std::exchange(shortWaitMs, limitMs);
}

bool Connection::wroteInTransaction() const
{
    // A statement outside a transaction that fails has undone its rows itself.
    return depth_ > 0 && rowsChanged_ + schemaChanges_ != changedAtBegin_;
}

void Connection::Fail(int rc, const QString &message, SqlContext context, const QString &subject)
{
    const int primary = rc & 0xff;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw Error::Locked(!wroteInTransaction());
    SqliteErrors::Throw(rc, message, context, subject);
}

void Connection::rowChanged(void *self, int operation, const char *database, const char *table,
                            qint64 rowid)
{
    // Called for every row written: the table of the last call is kept at hand.
    auto *connection = static_cast<Connection *>(self);
    ++connection->rowsChanged_;
    if (std::strcmp(database, "main") == 0) {
        if (operation == SQLITE_DELETE)
            connection->rowids_.Deleted(table, rowid);
        else if (operation == SQLITE_INSERT)
            connection->rowids_.Inserted(table, rowid);
    }
    if (!connection->lastTableWrites_ || connection->lastTable_ != table) {
        connection->lastTable_ = table;
        connection->lastTableWrites_ =
            &connection->tableWrites_[QByteArray(table).toLower().toStdString()];
    }
    ++*connection->lastTableWrites_;
}

int Connection::authorize(void *self, int action, const char *first, const char *,
                          const char *database, const char *)
{
    auto *connection = static_cast<Connection *>(self);
    if (action == SQLITE_DROP_TABLE || action == SQLITE_DROP_TEMP_TABLE ||
        action == SQLITE_DROP_VIEW || action == SQLITE_DROP_TEMP_VIEW) {
        // Dropping asks next to delete the object's rows: that goes as asked.
        connection->dropping_ = first ? first : "";
        return SQLITE_OK;
    }
    if (action != SQLITE_DELETE && action != SQLITE_INSERT && action != SQLITE_UPDATE)
        return SQLITE_OK;
    if (action == SQLITE_DELETE && first && !connection->dropping_.empty() &&
        connection->dropping_ == first) {
        connection->dropping_.clear();
        return SQLITE_OK;
    }
    // SQLite's own tables (the schema among them) are written as SQLite needs.
    if (!first || sqlite3_strnicmp(first, "sqlite_", 7) == 0 || !database ||
        std::strcmp(database, "main") != 0)
        return SQLITE_OK;
    if (Preparing *preparing = connection->preparing_) {
        preparing->writesRows = true;
        if (action == SQLITE_INSERT)
            preparing->insertsInto << QString::fromUtf8(first);
    }
    if (action != SQLITE_DELETE)
        return SQLITE_OK;
    // A scratch table may be emptied at once, reporting no row: the lists
    // that hold its rows are told after the statement.
    if (connection->rowids_.IsScratch(first)) {
        connection->rowids_.ScratchEmptied(first);
        return SQLITE_OK;
    }
    // A table emptied at once would not report its rows: they are deleted
    // one by one, so that every deleted rowid is marked.
    return SQLITE_IGNORE;
}

void Connection::SetScratchTables(const QStringList &tables)
{
    rowids_.SetScratch(tables);
}

void Connection::retireScratchRows()
{
    for (const std::string &name : rowids_.TakeScratchEmptied()) {
        const QString table = QString::fromStdString(name);
        bool held = false;
        forEachRecordset([&](RecordsetImpl &recordset) {
            held = held || recordset.TableName().compare(table, Qt::CaseInsensitive) == 0;
        });
        if (!held)
            continue;
        // SQLite gives a new row a rowid past the highest, so the rows a list
        // holds past it are the gone ones whose rowids may be given again.
        qint64 highest = 0;
        {
            Statement statement =
                Prepare(QStringLiteral("SELECT max(rowid) FROM %1").arg(ColumnType::Quote(table)),
                        SqlContext::Query, table);
            if (statement.Step())
                highest = statement.Int64(0);
        }
        const std::vector<RowIdentity::Given> gone{
            {name, highest + 1, std::numeric_limits<qint64>::max()}};
        forEachRecordset([&](RecordsetImpl &recordset) { recordset.RowsTakenBack(gone); });
    }
}

bool Connection::hasRowidKey(const QString &table)
{
    const qint64 version = SchemaVersion();
    auto &[checkedAt, key] = rowidKeys_[table.toLower()];
    if (checkedAt != version || version == 0) {
        // An INTEGER PRIMARY KEY of a table with rowids is the rowid itself.
        Statement statement = Prepare(
            QStringLiteral("SELECT count(*) = 1 AND max(pk = 1 AND upper(type) = 'INTEGER') AND "
                           "NOT EXISTS (SELECT 1 FROM sqlite_master WHERE type = 'table' AND name "
                           "= ?1 COLLATE NOCASE AND instr(upper(sql), 'WITHOUT ROWID')) FROM "
                           "pragma_table_info(?1) WHERE pk > 0"),
            SqlContext::Schema, table);
        statement.Bind(1, table);
        key = statement.Step() && statement.Int64(0) != 0;
        checkedAt = version;
    }
    return key;
}

void Connection::refuseRowidKeys(const QStringList &tables)
{
    for (const QString &table : tables) {
        if (hasRowidKey(table))
            throw Error(err::InvalidOperation,
                        QStringLiteral("Nie można dodać wiersza do tabeli '%1': jej klucz "
                                       "INTEGER PRIMARY KEY jest identyfikatorem wiersza, którego "
                                       "mechanizm bazy danych nie może zachować.")
                            .arg(table));
    }
}

const quint64 &Connection::TableWritesCounter(const QString &table)
{
    return tableWrites_[table.toUtf8().toLower().toStdString()];
}

quint64 Connection::TableWrites(const QString &table) const
{
    const auto it = tableWrites_.find(table.toUtf8().toLower().toStdString());
    return it == tableWrites_.end() ? 0 : it->second;
}

namespace
{

// Nothing but blanks, semicolons and comments from `at` to `end`.
bool onlyBlanks(const char *at, const char *end)
{
    while (at < end) {
        if (*at == ';' || std::isspace(static_cast<unsigned char>(*at))) {
            ++at;
        } else if (end - at >= 2 && at[0] == '-' && at[1] == '-') {
            while (at < end && *at != '\n')
                ++at;
        } else if (end - at >= 2 && at[0] == '/' && at[1] == '*') {
            const char *close = std::search(at + 2, end, "*/", "*/" + 2);
            at = close == end ? end : close + 2;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

Statement Connection::Prepare(const QString &sql, SqlContext context, const QString &subject,
                              bool cache, bool *writesRows)
{
    if (cache && !writesRows) {
        if (sqlite3_stmt *stmt = idle_.take(sql)) {
            busy_.insert(stmt, sql);
            return Statement(*this, stmt, Statement::Ending::ToConnectionCache, context, subject);
        }
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    ++reads_; // preparing may read the schema
    Preparing preparing;
    Preparing *outer = std::exchange(preparing_, &preparing);
    const char *tail = nullptr;
    const int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt, &tail);
    preparing_ = outer;
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_finalize(stmt);
        Fail(rc, message, context, subject.isEmpty() ? sql : subject);
    }
    // SQLite prepares the first statement of a text and would leave the rest
    // unrun without a word.
    if (context == SqlContext::Execute && tail &&
        !onlyBlanks(tail, utf8.constData() + utf8.size())) {
        sqlite3_finalize(stmt);
        throw Error::Make(err::TextAfterStatement);
    }
    if (!preparing.insertsInto.isEmpty()) {
        try {
            refuseRowidKeys(preparing.insertsInto);
        } catch (...) {
            sqlite3_finalize(stmt);
            throw;
        }
    }
    if (writesRows)
        *writesRows = preparing.writesRows;
    if (cache)
        busy_.insert(stmt, sql);
    return Statement(*this, stmt,
                     cache ? Statement::Ending::ToConnectionCache : Statement::Ending::Finalize,
                     context, subject.isEmpty() ? sql : subject);
}

void Connection::Release(sqlite3_stmt *stmt)
{
    const QString sql = busy_.take(stmt);
    if (idle_.contains(sql) || idle_.size() >= kMaxCachedStatements)
        sqlite3_finalize(stmt);
    else
        idle_.insert(sql, stmt);
}

void Connection::Run(const QString &sql, SqlContext context, const QString &subject)
{
    Statement statement = Prepare(sql, context, subject, false);
    while (statement.Step()) {
    }
}

void Connection::BeginTrans(bool immediate)
{
    if (depth_ == 0) {
        waited_ = 0;
        changedAtBegin_ = rowsChanged_ + schemaChanges_;
    }
    // Every save begins and ends a transaction: the few statements of fixed
    // text that do it stay prepared.
    {
        Statement begin = Prepare(
            depth_ == 0 ? (immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"))
                        : QStringLiteral("SAVEPOINT dao_%1").arg(depth_),
            SqlContext::Transaction);
        begin.Step();
    }
    ++depth_;
    rowids_.Began();
}

void Connection::CommitTrans()
{
    if (depth_ == 0)
        throw Error::Make(err::CommitWithoutBegin);
    if (depth_ == 1 && sqlite3_get_autocommit(db_)) {
        // SQLite already ended it (after a disk failure): nothing to commit.
        depth_ = 0;
        rolledBack(rowids_.RolledBack(true));
        throw Error::Make(err::DiskError);
    }
    const bool outermost = depth_ == 1;
    if (outermost)
        SettleRowids();
    const qint64 before = outermost ? DataVersion() : 0;
    {
        Statement commit = Prepare(outermost ? QStringLiteral("COMMIT")
                                             : QStringLiteral("RELEASE dao_%1").arg(depth_ - 1),
                                   SqlContext::Transaction);
        commit.Step();
    }
    rowids_.Committed(outermost);
    if (outermost)
        rowids_.Restamp(before, DataVersion());
    --depth_;
}

void Connection::Rollback()
{
    if (depth_ == 0)
        throw Error::Make(err::CommitWithoutBegin);
    if (depth_ == 1) {
        if (!sqlite3_get_autocommit(db_))
            Run(QStringLiteral("ROLLBACK"), SqlContext::Transaction);
    } else {
        Run(QStringLiteral("ROLLBACK TO dao_%1").arg(depth_ - 1), SqlContext::Transaction);
        Run(QStringLiteral("RELEASE dao_%1").arg(depth_ - 1), SqlContext::Transaction);
    }
    const bool outermost = depth_ == 1;
    const auto takenBack = rowids_.RolledBack(outermost);
    ++schemaEpoch_; // the schema version may be back at a number read before
    --depth_;
    rolledBack(takenBack);
}

void Connection::rolledBack(const std::vector<RowIdentity::Given> &rows)
{
    // The lists that hold a row taken back read it as deleted, whoever takes
    // its rowid before its mark is written. No other program saw these rows:
    // their marks are written with this program's next write of rows
    // (RowIdentity::Settle), never in a commit of their own, which would
    // wait for the file again. Every list is set right before any view hears
    // of the change, as a view may read another list.
    forEachRecordset([&](RecordsetImpl &recordset) { recordset.RowsTakenBack(rows); });
    NotifyWrite(nullptr);
}

qint64 Connection::DataVersion() const
{
    unsigned int version = 0;
    sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}

qint64 Connection::FreshDataVersion()
{
    {
        Statement look = Prepare(QStringLiteral("PRAGMA data_version"), SqlContext::Query);
        look.Step();
    }
    return DataVersion();
}

qint64 Connection::SchemaVersion()
{
    Statement statement = Prepare(QStringLiteral("PRAGMA schema_version"), SqlContext::Query);
    return statement.Step() ? statement.Int64(0) : 0;
}

template <typename Visit> void Connection::forEachRecordset(Visit visit)
{
    std::erase_if(recordsets_, [](const std::weak_ptr<RecordsetImpl> &weak) {
        const auto recordset = weak.lock();
        return !recordset || !recordset->IsOpen();
    });
    // By index: a recordset told of a change may open others meanwhile.
    const size_t count = recordsets_.size();
    for (size_t i = 0; i < std::min(count, recordsets_.size()); ++i) {
        if (const auto recordset = recordsets_[i].lock(); recordset && recordset->IsOpen())
            visit(*recordset);
    }
}

const QVector<FieldDef> *Connection::KnownColumns(const QString &table, qint64 schemaVersion) const
{
    const auto it = columns_.constFind(table);
    if (it == columns_.cend() || it->schemaVersion != schemaVersion || it->epoch != schemaEpoch_)
        return nullptr;
    return &it->columns;
}

const QVector<FieldDef> &Connection::KeepColumns(const QString &table, qint64 schemaVersion,
                                                 QVector<FieldDef> columns)
{
    KeptColumns &kept = columns_[table];
    kept = KeptColumns{schemaVersion, schemaEpoch_, std::move(columns)};
    return kept.columns;
}

QVector<FieldDef> Connection::Columns(const QString &table)
{
    const qint64 version = SchemaVersion();
    if (const QVector<FieldDef> *known = KnownColumns(table, version))
        return *known;
    return KeepColumns(table, version, TableSchema::Columns(*this, table));
}

std::optional<QString> Connection::TableName(const QString &name)
{
    const qint64 version = SchemaVersion();
    KeptName &kept = tableNames_[name.toLower()];
    if (kept.epoch != schemaEpoch_ || kept.schemaVersion != version || kept.schemaVersion == 0)
        kept = KeptName{version, schemaEpoch_, TableSchema::TableName(*this, name)};
    return kept.name;
}

void Connection::NotifyWrite(const RecordsetImpl *source)
{
    ++writes_;
    // The recordset that wrote has kept or dropped its rows itself.
    forEachRecordset([source](RecordsetImpl &recordset) {
        if (&recordset != source)
            recordset.DataChangedElsewhere();
    });
}

void Connection::NotifySchemaChange()
{
    ++writes_;
    ++schemaEpoch_;
    ++schemaChanges_;
    forEachRecordset([](RecordsetImpl &recordset) { recordset.DataChangedElsewhere(); });
}

void Connection::Register(const std::shared_ptr<RecordsetImpl> &recordset)
{
    recordsets_.push_back(recordset);
}

} // namespace dao::detail
