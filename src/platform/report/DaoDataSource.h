#pragma once

#include "DataSource.h"

#include "platform/db/Database.h"

namespace report
{

// Reads a report's tables from an open database of the register: the staging
// database for staged reports, the dictionary database for the list reports.
class DaoDataSource : public DataSource
{
public:
    explicit DaoDataSource(dao::Database database) : database_(std::move(database)) {}

    // Throws dao::Error (3078 for a missing table) or err::BadDefinition for a
    // name that is not a plain table name.
    TableData readTable(const QString &name) override;

private:
    dao::Database database_;
};

} // namespace report
