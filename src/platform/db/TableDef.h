#pragma once

#include "DaoTypes.h"
#include "Field.h"
#include "Fields.h"

#include <QString>

#include <memory>

namespace dao
{

namespace detail
{
class TableDefImpl;
} // namespace detail

// A table definition: a new one from Database::CreateTableDef, appended to
// TableDefs to create the table, or an existing table from TableDefs(name).
class TableDef
{
public:
    TableDef();
    QString Name() const;
    // Size counts characters and matters for Text only (0 there means 255).
    Field CreateField(const QString &name, DataTypeEnum type, int size = 0) const;
    dao::Fields Fields() const;

private:
    friend class TableDefs;
    friend class Database;
    explicit TableDef(std::shared_ptr<detail::TableDefImpl> impl);
    std::shared_ptr<detail::TableDefImpl> impl_;
};

} // namespace dao
