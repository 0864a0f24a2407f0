// What the benchmarks share: an installation on drives of their own, the
// month database of March 2024, and the main that runs them on the offscreen
// platform.
#pragma once

#include "platform/db/dao.h"

#include <QString>
#include <QVariantMap>

#include <functional>

struct sqlite3;

namespace bench
{

// Points the drive letters at `drives` and installs the program there;
// false when the installation fails.
bool Install(const QString &drives);

// Opens the database at the program's own (drive-letter) path.
dao::Database Open(const QString &windowsPath);

// Creates the month database of March 2024 with the month's tables, opens it
// as MonthDb and returns its real path.
QString CreateMonth();

// Opens a database file for plain sqlite3 statements the way the engine layer
// opens its own (no mutex per call), with the program's own collation and
// functions registered on it.
sqlite3 *OpenPlain(const QString &path);

// Adds one row of the given column values.
void AddRow(dao::Recordset &rs, const QVariantMap &values);

// Runs the benchmarks named on the command line under an offscreen
// application. `prepare` runs once the application stands, before the
// benchmarks; when it returns false nothing is run and the result is 1.
// Afterwards the windows are dropped and the open databases closed.
int Main(int argc, char **argv, const std::function<bool()> &prepare = {});

} // namespace bench
