#include "DatabaseImpl.h"

#include "AlterStatement.h"
#include "Connection.h"
#include "DaoError.h"
#include "RecordsetImpl.h"

namespace dao::detail
{

DatabaseImpl::DatabaseImpl(QString name, std::shared_ptr<Connection> connection)
    : name_(std::move(name)), connection_(std::move(connection))
{
}

Connection &DatabaseImpl::connection() const
{
    if (!connection_)
        throw Error::Make(err::ObjectInvalid);
    return *connection_;
}

void DatabaseImpl::Close()
{
    if (!connection_)
        return;
    for (const auto &weak : recordsets_) {
        if (auto recordset = weak.lock())
            recordset->Close();
    }
    recordsets_.clear();
    connection_.reset();
}

std::shared_ptr<RecordsetImpl> DatabaseImpl::OpenRecordset(const QString &source)
{
    connection();
    auto recordset = std::make_shared<RecordsetImpl>(connection_, weak_from_this(), source);
    recordset->Open();
    std::erase_if(recordsets_, [](const auto &weak) { return weak.expired(); });
    recordsets_.push_back(recordset);
    connection_->Register(recordset);
    return recordset;
}

namespace
{

// The schema versions of the file and of the connection's own temporary tables.
std::pair<qint64, qint64> statementVersions(Connection &connection)
{
    Statement statement =
        connection.Prepare(QStringLiteral("PRAGMA temp.schema_version"), SqlContext::Query);
    return {connection.SchemaVersion(), statement.Step() ? statement.Int64(0) : 0};
}

} // namespace

void DatabaseImpl::Execute(const QString &sql)
{
    Connection &conn = connection();
    const AlterStatement statement = AlterStatement::Translate(sql);
    const QString subject = statement.table.isEmpty() ? statement.sql : statement.table;
    RowIdentity::Written rows = RowIdentity::Classify(statement.sql);
    // A statement of tables that changes none (CREATE ... IF NOT EXISTS of one
    // that is there) leaves what every recordset knows of its columns.
    const auto versions = [&conn] { return statementVersions(conn); };
    const auto before = statement.schemaChange ? versions() : std::pair<qint64, qint64>();
    if (rows.writesRows) {
        // The rows' identity is kept in the statement's own transaction.
        OwnTransaction transaction(conn);
        conn.Rowids().Before(conn, rows);
        conn.Run(statement.sql, SqlContext::Execute, subject);
        conn.Rowids().After(conn, rows);
        transaction.Commit();
    } else {
        conn.Run(statement.sql, SqlContext::Execute, subject);
    }
    if (statement.schemaChange && versions() != before)
        conn.NotifySchemaChange();
    else
        conn.NotifyWrite(nullptr);
}

} // namespace dao::detail
