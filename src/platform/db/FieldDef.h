#pragma once

#include "DaoTypes.h"

#include <QString>

namespace dao::detail
{

// One column: as defined for a new table, or as read back from a file.
struct FieldDef {
    QString name;
    DataTypeEnum type = dbText;
    int size = 0;
    bool allowZeroLength = false; // the old engine's default for a new field
    bool appended = false;        // part of a table in a file
    bool hasDefault = false;      // the column in the file has a default value
};

} // namespace dao::detail
