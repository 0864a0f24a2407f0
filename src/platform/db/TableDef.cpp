#include "TableDef.h"

#include "ColumnType.h"
#include "DaoError.h"
#include "FieldDef.h"
#include "TableDefImpl.h"

namespace dao
{

TableDef::TableDef() = default;
TableDef::TableDef(std::shared_ptr<detail::TableDefImpl> impl) : impl_(std::move(impl)) {}

QString TableDef::Name() const
{
    if (!impl_)
        throw Error::Make(err::ObjectNotSet);
    return impl_->Name();
}

Field TableDef::CreateField(const QString &name, DataTypeEnum type, int size) const
{
    if (!impl_)
        throw Error::Make(err::ObjectNotSet);
    auto def = std::make_shared<detail::FieldDef>();
    def->name = name;
    def->type = type;
    def->size = type == dbText ? (size > 0 ? size : 255) : detail::ColumnType::StorageSize(type);
    return Field(def);
}

dao::Fields TableDef::Fields() const
{
    if (!impl_)
        throw Error::Make(err::ObjectNotSet);
    return dao::Fields(impl_);
}

} // namespace dao
