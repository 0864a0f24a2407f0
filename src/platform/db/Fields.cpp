#include "Fields.h"

#include "DaoError.h"
#include "RecordsetImpl.h"
#include "TableDefImpl.h"

namespace dao
{

Fields::Fields() = default;
Fields::Fields(std::shared_ptr<detail::RecordsetImpl> rs) : rs_(std::move(rs)) {}
Fields::Fields(std::shared_ptr<detail::TableDefImpl> td) : td_(std::move(td)) {}

int Fields::Count() const
{
    if (rs_)
        return int(rs_->Columns().size());
    if (td_)
        return int(td_->Columns().size());
    throw Error::Make(err::ObjectNotSet);
}

Field Fields::operator()(int index) const
{
    if (td_)
        return Field(td_->FieldAt(index));
    if (!rs_)
        throw Error::Make(err::ObjectNotSet);
    const auto &columns = rs_->Columns();
    if (index < 0 || index >= columns.size())
        throw Error::Make(err::ItemNotFound);
    return Field(rs_, index);
}

Field Fields::operator()(const QString &name) const
{
    if (td_) {
        auto field = td_->FieldNamed(name);
        if (!field)
            throw Error::Make(err::ItemNotFound);
        return Field(field);
    }
    if (!rs_)
        throw Error::Make(err::ObjectNotSet);
    const int index = rs_->ColumnIndex(name);
    if (index < 0)
        throw Error::Make(err::ItemNotFound);
    return Field(rs_, index);
}

bool Fields::Contains(const QString &name) const
{
    if (td_)
        return td_->FieldNamed(name) != nullptr;
    if (!rs_)
        throw Error::Make(err::ObjectNotSet);
    return rs_->ColumnIndex(name) >= 0;
}

void Fields::Append(const Field &field)
{
    if (rs_)
        throw Error::Make(err::InvalidOperation);
    if (!td_)
        throw Error::Make(err::ObjectNotSet);
    td_->AppendField(field.def_);
}

} // namespace dao
