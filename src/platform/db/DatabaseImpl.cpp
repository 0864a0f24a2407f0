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

void DatabaseImpl::Execute(const QString &sql)
{
    Connection &conn = connection();
    const AlterStatement statement = AlterStatement::Translate(sql);
    const QString subject = statement.table.isEmpty() ? statement.sql : statement.table;
    RowIdentity::Written rows = RowIdentity::Classify(statement.sql);
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
    if (statement.schemaChange)
        conn.NotifySchemaChange();
    else
        conn.NotifyWrite(nullptr);
}

} // namespace dao::detail
