#pragma once

#include "TableDef.h"

#include <QStringList>

#include <memory>

namespace dao
{

namespace detail
{
class DatabaseImpl;
} // namespace detail

// The tables of a database, by name without regard to letter case.
class TableDefs
{
public:
    TableDefs();
    int Count() const;
    QStringList Names() const;
    bool Contains(const QString &name) const;
    TableDef operator()(const QString &name) const; // 3265 when missing
    TableDef operator()(int index) const;
    // Creates the table of a new definition: 3010 when it exists,
    // 3264 when it has no fields.
    void Append(const TableDef &table);

private:
    friend class Database;
    explicit TableDefs(std::shared_ptr<detail::DatabaseImpl> db);
    std::shared_ptr<detail::DatabaseImpl> db_;
};

} // namespace dao
