#pragma once

#include "batches/BatchFrameValues.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <optional>

// The batch rows of a month database and their children: the samples
// (Badanie), digestion runs (Nastawienie) and trays (PozycjaN), which carry the
// batch number and no other link. Errors go to the caller, who holds the
// transaction that must cover a multi-step change.
class BatchStore
{
public:
    // The number a new batch is offered: the highest Partia + 1, or 1 for an
    // empty table.
    static int NextBatchNumber(dao::Database db);

    // True when a batch other than the one at `except` carries the number.
    static bool NumberTaken(dao::Database db, int number, std::optional<dao::Bookmark> except);

    // Moves the samples, runs and trays of one batch number to another.
    static void RenumberChildren(dao::Database db, int oldNumber, int newNumber);

    // Deletes the samples, runs and trays of a batch number.
    static void DeleteChildren(dao::Database db, int number);

    // Sets the fields of the row being added or edited in `rs`, in the order of
    // the frame's mapping; fields the frame has no box for are not touched.
    static void SetFields(dao::Recordset &rs, int number, const BatchFrameValues &values);
};
