#pragma once

#include "platform/db/Database.h"

#include <QString>

// The administrator's emptying of whole tables. Errors of the engine go to
// the caller.
class TableCleaner
{
public:
    // Deletes every row of the table, all or none in one BEGIN IMMEDIATE
    // step, then reads the table again: true when no row is left.
    static bool Empty(dao::Database db, const QString &table);
};
