#pragma once

#include "platform/db/Database.h"

#include <QString>

#include <optional>

// The program options: rows of PARAMETRY in the dictionaries, one per key,
// whose PARAM3 is the option's flag. An option acts only when its key matches
// exactly one row; otherwise it is neither read nor written. Errors of the
// engine go to the caller.
class ProgramOptions
{
public:
    // The flag of the key's row; nothing when the key does not match exactly
    // one row.
    static std::optional<bool> Read(dao::Database db, const QString &key);

    // Writes the flag of the key's row; for "EmailWynik" also the name of the
    // inspectorates' column the results are sent to (PARAM1: "EmailSzyfr"
    // when set, else "Email"). False, with nothing written, when the key does
    // not match exactly one row.
    static bool Write(dao::Database db, const QString &key, bool set);
};
