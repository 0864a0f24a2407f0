#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Database.h"

#include <QList>
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

    // An option as the window shows it: its flag, and the row it was read
    // from. Nothing when the key does not match exactly one row.
    struct Shown {
        bool set = false;
        LoadedRow row;
    };
    static std::optional<Shown> Load(dao::Database db, const QString &key);

    // One option as the window saves it: its row as loaded (nothing when its
    // key did not match exactly one row) and the flag to store.
    struct Change {
        QString key;
        std::optional<LoadedRow> loaded;
        bool set = false;
    };

    // Writes the flag of each key's row; for "EmailWynik" also the name of
    // the inspectorates' column the results are sent to (PARAM1: "EmailSzyfr"
    // when set, else "Email"). An option loaded with nothing is not written.
    // The others are written only while every one still holds the flag it was
    // loaded with (EditAsLoaded): otherwise 3167 (its row is gone) or 3197 (its
    // flag changed, or its key got another row) and nothing is written. One
    // BEGIN IMMEDIATE step.
    static void Write(dao::Database db, const QList<Change> &changes);
};
