#pragma once

#include <QString>

namespace dao::detail
{

// Statements given to Database::Execute, in the old dialect. ADD COLUMN gets
// our declared type (and collation) for the old type name; the rest passes
// through unchanged.
struct AlterStatement {
    QString sql;
    QString table; // the altered table, for error messages
    bool schemaChange = false;

    static AlterStatement Translate(const QString &statement);
};

} // namespace dao::detail
