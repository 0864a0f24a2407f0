#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Database.h"

#include <QString>

#include <array>
#include <optional>

// The laboratory's identity: the one row of PODATNIK in the dictionaries.
// Errors of the engine go to the caller.
class LaboratoryIdentity
{
public:
    struct Laboratory {
        std::array<QString, 5> letterhead; // TX2 .. TX6
        QString town;                      // Miejsc
        QString accreditation;             // KodPCA
        QString parentCode;                // KodLok
        QString stationCode;               // KodLok2

        bool operator==(const Laboratory &) const = default;
    };

    // The row, Null read as ""; nothing when the table does not hold exactly
    // one row.
    static std::optional<Laboratory> Read(dao::Database db);

    // The row as the window shows it: its values as Read gives them, and the
    // row they were read from.
    struct Shown {
        Laboratory laboratory;
        LoadedRow row;
    };
    static std::optional<Shown> Load(dao::Database db);

    // Writes the row, the letterhead lines and the codes without surrounding
    // blanks, provided it still holds what the window was filled from
    // (`loaded`, as Load gave it; EditAsLoaded): 3167 when the row is gone,
    // 3197 when it changed or another row joined it meanwhile, and nothing is
    // written. False, with nothing written, when nothing was loaded (the table
    // did not hold exactly one row). The check and the write are one BEGIN
    // IMMEDIATE step.
    static bool Write(dao::Database db, const std::optional<LoadedRow> &loaded,
                      const Laboratory &laboratory);

    // The two codes of the first row, however many rows there are. Without any
    // row the read fails (3021): the installation lacks the laboratory.
    static std::array<QString, 2> FirstCodes(dao::Database db);
};
