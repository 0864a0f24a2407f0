#pragma once

#include <QString>

struct sqlite3;

namespace dao::detail
{

// What the layer was doing when SQLite failed: the same SQLite message means
// different engine errors in a query, a FindFirst criterion or an ALTER TABLE.
enum class SqlContext { Open, Query, Find, Execute, Write, Schema, Transaction };

// The one place where SQLite's failures become engine error numbers.
class SqliteErrors
{
public:
    // `subject` names what the message may need: the statement or criterion
    // text, the file name, or the table of an ALTER TABLE.
    [[noreturn]] static void Throw(sqlite3 *db, int rc, SqlContext context,
                                   const QString &subject = {});
    [[noreturn]] static void Throw(int rc, const QString &message, SqlContext context,
                                   const QString &subject);
    // The text a function of ours reports so that the mapping finds its number.
    static QByteArray FunctionError(int number);
};

} // namespace dao::detail
