#include "Field.h"

#include "DaoError.h"
#include "FieldDef.h"
#include "RecordsetImpl.h"

namespace dao
{

Field::Field() = default;
Field::~Field() = default;

Field::Field(std::shared_ptr<detail::FieldDef> def) : def_(std::move(def)) {}

Field::Field(const std::shared_ptr<detail::RecordsetImpl> &rs, int index)
    : rs_(rs), index_(index), schemaGeneration_(rs_->KnownGeneration())
{
}

int Field::resolvedIndex() const
{
    // The table may have been altered since this field was taken: find the
    // column again by its name.
    if (rs_->SchemaGeneration() == schemaGeneration_)
        return index_;
    const int index = rs_->ColumnIndexSince(schemaGeneration_, index_);
    if (index < 0)
        throw Error::Make(err::ItemNotFound);
    return index;
}

namespace
{

[[noreturn]] void notSet()
{
    throw Error::Make(err::ObjectNotSet);
}

} // namespace

QString Field::Name() const
{
    if (def_)
        return def_->name;
    if (!rs_)
        notSet();
    return rs_->Columns().at(resolvedIndex()).name;
}

DataTypeEnum Field::Type() const
{
    if (def_)
        return def_->type;
    if (!rs_)
        notSet();
    return rs_->Columns().at(resolvedIndex()).type;
}

int Field::Size() const
{
    if (def_)
        return def_->size;
    if (!rs_)
        notSet();
    return rs_->Columns().at(resolvedIndex()).size;
}

bool Field::AllowZeroLength() const
{
    if (def_)
        return def_->allowZeroLength;
    if (!rs_)
        notSet();
    return rs_->Columns().at(resolvedIndex()).allowZeroLength;
}

void Field::setAllowZeroLength(bool allow)
{
    if (!def_ && !rs_)
        notSet();
    if (!def_ || def_->appended)
        throw Error::Make(err::InvalidOperation);
    def_->allowZeroLength = allow;
}

Variant Field::Value() const
{
    if (def_)
        throw Error::Make(err::InvalidOperation);
    if (!rs_)
        notSet();
    // The current row already handed out, under the columns this field knows.
    if (const Variant *value = rs_->SeenValue(schemaGeneration_, index_))
        return *value;
    return rs_->Value(resolvedIndex());
}

void Field::setValue(const Variant &value)
{
    if (def_)
        throw Error::Make(err::InvalidOperation);
    if (!rs_)
        notSet();
    rs_->SetValue(resolvedIndex(), value);
}

} // namespace dao
