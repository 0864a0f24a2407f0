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
    // A statement of tables that changes none (CREATE ... IF NOT EXISTS of one
    // that is there) leaves what every recordset knows of its columns.
    const auto versions = [&conn] { return statementVersions(conn); };
    const auto before = statement.schemaChange ? versions() : std::pair<qint64, qint64>();
    {
        bool writesRows = false;
        Statement run =
            conn.Prepare(statement.sql, SqlContext::Execute, subject, false, &writesRows);
        if (writesRows) {
            // The rows' identity is kept in the statement's own transaction,
            // or in a savepoint of the caller's, so that a refused row takes
            // the whole statement back.
            conn.BeginTrans(true);
            try {
                conn.Rowids().RowidsMayBeNamed();
                while (run.Step()) {
                }
                conn.SettleRowids();
                conn.CommitTrans();
            } catch (...) {
                try {
                    conn.Rollback();
                } catch (...) {
                    // The failure that brought us here is the one to report.
                }
                throw;
            }
        } else {
            while (run.Step()) {
            }
        }
    }
    if (statement.schemaChange && versions() != before)
        conn.NotifySchemaChange();
    else
        conn.NotifyWrite(nullptr);
}

} // namespace dao::detail
