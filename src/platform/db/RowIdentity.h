#pragma once

#include <QString>

namespace dao::detail
{

class Connection;

// Rows keep their identity: a rowid that a deleted row had is never given to
// a new row, so a bookmark never names a row other than the one it was taken
// for. SQLite gives a new row the highest rowid + 1, which is a deleted row's
// rowid when the highest row was deleted. So the file keeps, per table, the
// highest rowid ever deleted (the mark, in a table of the engine's own that
// lists never show), kept by two triggers that any writer of the file runs:
// deleting the highest row raises the mark, and a row inserted at or below
// the mark is moved past it. Nothing is added to the table itself, so its
// columns, SELECT * and copies of it stay as they were.
class RowIdentity
{
public:
    // The engine's table of marks.
    static const QString &MarksTable();
    // Sees that `table` is kept; false when the file cannot take the triggers
    // now (read-only, locked), tried again at the next opening.
    static bool Keep(Connection &connection, const QString &table);
    // The rowid of a row inserted next into a kept `table` (an SQL expression).
    static QString NextRowid(const QString &table);
};

} // namespace dao::detail
