#include "TableDefs.h"

#include "Connection.h"
#include "DaoError.h"
#include "DatabaseImpl.h"
#include "TableDefImpl.h"
#include "TableSchema.h"

namespace dao
{

TableDefs::TableDefs() = default;
TableDefs::TableDefs(std::shared_ptr<detail::DatabaseImpl> db) : db_(std::move(db)) {}

namespace
{

detail::DatabaseImpl &checked(const std::shared_ptr<detail::DatabaseImpl> &db)
{
    if (!db)
        throw Error::Make(err::ObjectNotSet);
    db->connection();
    return *db;
}

} // namespace

int TableDefs::Count() const
{
    return int(Names().size());
}

QStringList TableDefs::Names() const
{
    return detail::TableSchema::TableNames(checked(db_).connection());
}

bool TableDefs::Contains(const QString &name) const
{
    return checked(db_).connection().TableName(name).has_value();
}

TableDef TableDefs::operator()(const QString &name) const
{
    const auto table = checked(db_).connection().TableName(name);
    if (!table)
        throw Error::Make(err::ItemNotFound);
    return TableDef(std::make_shared<detail::TableDefImpl>(db_, *table, true));
}

TableDef TableDefs::operator()(int index) const
{
    const QStringList names = Names();
    if (index < 0 || index >= names.size())
        throw Error::Make(err::ItemNotFound);
    return TableDef(std::make_shared<detail::TableDefImpl>(db_, names.at(index), true));
}

void TableDefs::Append(const TableDef &table)
{
    checked(db_);
    if (!table.impl_)
        throw Error::Make(err::ObjectNotSet);
    table.impl_->Create();
}

} // namespace dao
