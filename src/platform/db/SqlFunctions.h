#pragma once

struct sqlite3;

namespace dao::detail
{

// The collation PL_CI and the functions like(), MID() and DateValue() that
// statements of the old dialect rely on; every connection gets them.
class SqlFunctions
{
public:
    static void Register(sqlite3 *db);
};

} // namespace dao::detail
