#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>

#include <optional>

// One equipment or reagent-series list of StaleDb (Waga, Termometr, ...): rows
// of a number ID (text) and a value Wartosc, with no key. Works on the list's
// record set as the window shows it; errors go to the caller.
class EquipmentListStore
{
public:
    // The list `table` in number order.
    static dao::Recordset Open(dao::Database db, const QString &table);

    // The number offered to a new entry: the row count + 1, unless an entry
    // already carries that number; then the highest number + 1.
    static int ProposedNumber(const dao::Recordset &list);

    // Writes ID (the trimmed number) and Wartosc (the trimmed value) into a
    // new row (`loaded` std::nullopt) or over the loaded row, while it still
    // holds what the frame was filled from (3197 changed, 3167 gone); returns
    // the row written. A failed write leaves no pending edit.
    static dao::Bookmark Save(dao::Recordset &list, const std::optional<LoadedRow> &loaded,
                              const QString &number, const QString &value);

    // Deletes the row at `row`; the list is read again.
    static void Delete(dao::Recordset &list, const dao::Bookmark &row);
};
