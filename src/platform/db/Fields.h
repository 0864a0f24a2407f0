#pragma once

#include "Field.h"

#include <memory>

namespace dao
{

namespace detail
{
class RecordsetImpl;
class TableDefImpl;
} // namespace detail

// The fields of a recordset or of a table definition, in table order; names
// are found without regard to letter case.
class Fields
{
public:
    Fields();
    int Count() const;
    Field operator()(int index) const;           // 3265 out of range
    Field operator()(const QString &name) const; // 3265 not found
    bool Contains(const QString &name) const;

    // Table definitions only: before the table is appended the field joins its
    // CREATE TABLE; on an existing table it is added as a new last column.
    void Append(const Field &field);

private:
    friend class Recordset;
    friend class TableDef;
    explicit Fields(std::shared_ptr<detail::RecordsetImpl> rs);
    explicit Fields(std::shared_ptr<detail::TableDefImpl> td);

    std::shared_ptr<detail::RecordsetImpl> rs_;
    std::shared_ptr<detail::TableDefImpl> td_;
};

} // namespace dao
