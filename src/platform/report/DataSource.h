#pragma once

#include "TableData.h"

namespace report
{

// Where a report reads its tables from: the database the caller hands over.
class DataSource
{
public:
    virtual ~DataSource() = default;
    // Every row of the table, in table order. Throws RuntimeError when the
    // table cannot be read.
    virtual TableData readTable(const QString &name) = 0;
};

} // namespace report
