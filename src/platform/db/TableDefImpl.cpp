#include "TableDefImpl.h"

#include "ColumnType.h"
#include "Connection.h"
#include "DaoError.h"
#include "DatabaseImpl.h"
#include "TableSchema.h"

namespace dao::detail
{

TableDefImpl::TableDefImpl(std::shared_ptr<DatabaseImpl> database, QString name, bool exists)
    : database_(std::move(database)), name_(std::move(name)), exists_(exists)
{
}

QVector<FieldDef> TableDefImpl::Columns() const
{
    if (exists_)
        return database_->connection().Columns(name_);
    QVector<FieldDef> columns;
    for (const auto &field : pending_)
        columns.push_back(*field);
    return columns;
}

std::shared_ptr<FieldDef> TableDefImpl::FieldAt(int index) const
{
    if (!exists_) {
        if (index < 0 || index >= int(pending_.size()))
            throw Error::Make(err::ItemNotFound);
        return pending_[size_t(index)];
    }
    const QVector<FieldDef> columns = Columns();
    if (index < 0 || index >= columns.size())
        throw Error::Make(err::ItemNotFound);
    return std::make_shared<FieldDef>(columns.at(index));
}

std::shared_ptr<FieldDef> TableDefImpl::FieldNamed(const QString &name) const
{
    if (!exists_) {
        for (const auto &field : pending_) {
            if (field->name.compare(name, Qt::CaseInsensitive) == 0)
                return field;
        }
        return nullptr;
    }
    for (const FieldDef &column : Columns()) {
        if (column.name.compare(name, Qt::CaseInsensitive) == 0)
            return std::make_shared<FieldDef>(column);
    }
    return nullptr;
}

void TableDefImpl::AppendField(const std::shared_ptr<FieldDef> &field)
{
    if (!field || field->appended)
        throw Error::Make(err::InvalidOperation);
    if (FieldNamed(field->name))
        throw Error::Make(err::FieldDefinedTwice, {field->name});
    if (!exists_) {
        pending_.push_back(field);
        return;
    }
    Connection &connection = database_->connection();
    connection.Run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                       .arg(ColumnType::Quote(name_), ColumnType::Definition(*field)),
                   SqlContext::Schema, name_);
    field->appended = true;
    connection.NotifySchemaChange();
}

void TableDefImpl::Create()
{
    if (exists_)
        throw Error::Make(err::TableExists, {name_});
    if (pending_.empty())
        throw Error::Make(err::NoFieldsDefined);
    Connection &connection = database_->connection();
    if (TableSchema::TableName(connection, name_))
        throw Error::Make(err::TableExists, {name_});
    QStringList definitions;
    for (const auto &field : pending_)
        definitions << ColumnType::Definition(*field);
    connection.Run(QStringLiteral("CREATE TABLE %1 (%2)")
                       .arg(ColumnType::Quote(name_), definitions.join(QStringLiteral(", "))),
                   SqlContext::Schema, name_);
    for (const auto &field : pending_)
        field->appended = true;
    exists_ = true;
    pending_.clear();
    connection.NotifySchemaChange();
}

} // namespace dao::detail
