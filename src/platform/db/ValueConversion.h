#pragma once

#include "FieldDef.h"

#include <utility>

struct sqlite3_stmt;

namespace dao::detail
{

class Statement;

// Values on their way into and out of a field. Into a field they are checked
// and converted as the old engine did when the value was assigned.
class ValueConversion
{
public:
    // 3163 text too long, 6 out of range, 3421 no conversion (an empty text
    // into a number or a date too). Null stays Null.
    static Variant ForField(const Variant &value, const FieldDef &field);
    static Variant Read(sqlite3_stmt *stmt, int column, DataTypeEnum type);
    static void Bind(Statement &statement, int index, const Variant &value, DataTypeEnum type);
    // The whole numbers a field of a whole-number type holds.
    static std::pair<qint64, qint64> RangeOf(DataTypeEnum type);

private:
    static Variant toNumber(const Variant &value, const FieldDef &field);
    static Variant toDate(const Variant &value);
    static Variant toText(const Variant &value, const FieldDef &field);
    static Variant toBoolean(const Variant &value);
    static std::optional<double> numberOf(const Variant &value);
};

} // namespace dao::detail
