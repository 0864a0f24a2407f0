#pragma once

#include <QVariant>

#include <functional>

namespace dao
{

// Field types by their old type codes, which the table builders pass around.
enum DataTypeEnum {
    dbBoolean = 1,
    dbByte = 2,
    dbInteger = 3,
    dbLong = 4,
    dbSingle = 6,
    dbDate = 8,
    dbText = 10,
    dbMemo = 12
};

enum EditModeEnum { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

// The locale text that CreateDatabase takes; sorting is always our own Polish
// order, so the text is accepted and has no effect.
inline constexpr auto dbLangGeneral = ";LANGID=0x0409;CP=1252;COUNTRY=0";

// Null is an invalid QVariant; an empty text is a valid QVariant holding "".
using Variant = QVariant;

inline bool IsNull(const Variant &v)
{
    return !v.isValid();
}

// What a recordset tells those who show it (the data control, the grid).
enum class RecordsetEvent {
    CurrentChanged, // another row became current, or none
    RowsChanged,    // rows were added, deleted or re-read: positions may have moved
    ValuesChanged,  // stored values may differ now (written here or elsewhere)
    Closed
};
using RecordsetListener = std::function<void(RecordsetEvent)>;

} // namespace dao
