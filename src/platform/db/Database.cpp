#include "Database.h"

#include "Connection.h"
#include "DaoError.h"
#include "DatabaseImpl.h"
#include "TableDefImpl.h"

namespace dao
{

Database::Database() = default;
Database::Database(std::shared_ptr<detail::DatabaseImpl> impl) : impl_(std::move(impl)) {}

detail::DatabaseImpl &Database::impl() const
{
    if (!impl_)
        throw Error::Make(err::ObjectNotSet);
    return *impl_;
}

bool Database::IsOpen() const
{
    return impl_ && impl_->IsOpen();
}

QString Database::Name() const
{
    return impl().Name();
}

void Database::Close()
{
    impl().Close();
}

Recordset Database::OpenRecordset(const QString &source)
{
    return Recordset(impl().OpenRecordset(source));
}

void Database::Execute(const QString &sql)
{
    impl().Execute(sql);
}

TableDef Database::CreateTableDef(const QString &name)
{
    impl().connection();
    return TableDef(std::make_shared<detail::TableDefImpl>(impl_, name, false));
}

dao::TableDefs Database::TableDefs()
{
    impl().connection();
    return dao::TableDefs(impl_);
}

void Database::BeginTrans()
{
    impl().connection().BeginTrans(false);
}

void Database::BeginTransImmediate()
{
    impl().connection().BeginTrans(true);
}

void Database::CommitTrans()
{
    impl().connection().CommitTrans();
}

void Database::Rollback()
{
    impl().connection().Rollback();
}

bool Database::InTransaction() const
{
    return impl().connection().TransactionDepth() > 0;
}

void Database::SetScratchTables(const QStringList &tables)
{
    impl().connection().SetScratchTables(tables);
}

} // namespace dao
