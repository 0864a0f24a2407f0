#pragma once

#include "FieldDef.h"

#include <QStringList>
#include <QVector>

#include <optional>

namespace dao::detail
{

class Connection;

// The tables of a file and their columns, read back from SQLite's catalogue.
class TableSchema
{
public:
    // The table's name as stored, found without regard to letter case.
    static std::optional<QString> TableName(Connection &connection, const QString &name);
    static QStringList TableNames(Connection &connection);
    static QVector<FieldDef> Columns(Connection &connection, const QString &table);
};

} // namespace dao::detail
