#pragma once

#include <QString>

// The start of the program's own work: the data drive, the configuration file
// T:\mervasklab.ini, the dictionary and staging databases, the letterhead and
// the Polish-letter table. Failures are reported to the user and never passed to
// the caller; true when the start-up may go on to fill the windows' pick lists.
bool InitApplication();

// Splits a configuration line into key and value. The separator is the first
// "=" (or the given separator), else the first "#", else the first ";"; on
// return `line` holds the key, `value` the rest and `separator` the one used.
// Nothing is trimmed. A key longer than maxKeyLength (> 0) is cut. An empty
// line leaves every output as it was.
void SplitKeyValue(QString &line, QString &value, QString &separator, int maxKeyLength);

// Returns only when the data drive T:\ is reachable; otherwise reports it and
// ends the program.
void CheckDataDrive();

// Creates the folder (one level; its parent must exist) unless it exists.
// Errors go to the caller.
void EnsureFolder(const QString &folder);
