#pragma once

#include "FieldDef.h"

#include <QString>

#include <optional>

namespace dao::detail
{

// How field types are written into and read back from declared column types.
// Text and Memo columns carry the Polish case-insensitive collation; the
// declared names keep SQLite's affinity from turning "0012" into a number.
class ColumnType
{
public:
    static QString Declared(DataTypeEnum type, int size);
    // The full column definition of CREATE TABLE / ADD COLUMN.
    static QString Definition(const FieldDef &field);
    // Our own declared types and the old engine's type names alike
    // (text(15), memo, long, yesno ...); nullopt for an unknown name.
    static std::optional<FieldDef> Parse(const QString &name, const QString &declared);
    static int StorageSize(DataTypeEnum type);
    static bool IsText(DataTypeEnum type) { return type == dbText || type == dbMemo; }
    static QString Quote(const QString &identifier);
    static QString ZeroLengthCheck(const QString &name);
};

} // namespace dao::detail
