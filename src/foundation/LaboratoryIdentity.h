#pragma once

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
    };

    // The row, Null read as ""; nothing when the table does not hold exactly
    // one row.
    static std::optional<Laboratory> Read(dao::Database db);

    // Writes the row, the letterhead lines and the codes without surrounding
    // blanks. False, with nothing written, when the table does not hold
    // exactly one row.
    static bool Write(dao::Database db, const Laboratory &laboratory);

    // The two codes of the first row, however many rows there are. Without any
    // row the read fails (3021): the installation lacks the laboratory.
    static std::array<QString, 2> FirstCodes(dao::Database db);
};
