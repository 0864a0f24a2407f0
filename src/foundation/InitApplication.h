#pragma once

#include "foundation/ConfigurationLine.h"

#include <QString>

// The start of the program's own work: the data drive, the configuration file
// T:\mervasklab.ini, the dictionary and staging databases, the letterhead and
// the Polish-letter table. Failures are reported to the user and never passed to
// the caller; true when the start-up may go on to fill the windows' pick lists.
bool InitApplication();

// Returns only when the data drive T:\ is reachable; otherwise reports it and
// ends the program.
void CheckDataDrive();

// Creates the folder (one level; its parent must exist) unless it exists.
// Errors go to the caller.
void EnsureFolder(const QString &folder);
