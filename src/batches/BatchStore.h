#pragma once

#include "batches/BatchFrameValues.h"
#include "foundation/BatchHeading.h"
#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <optional>
#include <variant>

// The batch rows of a month database and their children: the samples
// (Badanie), digestion runs (Nastawienie) and trays (PozycjaN), which carry the
// batch number and no other link. Errors go to the caller, who holds the
// transaction that must cover a multi-step change.
class BatchStore
{
public:
    // The batch register's list: every batch, the highest number first.
    static dao::Recordset OpenList(dao::Database db);

    // The number a new batch is offered: the highest Partia + 1, or 1 for an
    // empty table.
    static BatchNumber NextBatchNumber(dao::Database db);

    // True when a batch other than the one at `except` carries the number.
    static bool NumberTaken(dao::Database db, BatchNumber number,
                            std::optional<dao::Bookmark> except);

    // Moves the samples, runs and trays of one batch number to another.
    static void RenumberChildren(dao::Database db, BatchNumber oldNumber, BatchNumber newNumber);

    // Deletes the samples, runs and trays of a batch number.
    static void DeleteChildren(dao::Database db, BatchNumber number);

    // Deletes the current row of `batches` with its samples, runs and trays,
    // one BEGIN IMMEDIATE transaction on `db`: all of it or nothing. The row
    // goes only while it still holds what was read of it (3197 when another
    // workstation changed it, 3167 when it deleted it); the error goes to the
    // caller. A batch without a number has no children to find.
    static void Delete(dao::Database db, dao::Recordset &batches);

    // The save of the batch frame into the list `batches`, one BEGIN IMMEDIATE
    // transaction on its database: the duplicate check (when the number is new
    // or changed), the optional dates, the pick lists' lengths (where the
    // write would fail), the batch row written (appended when `loaded` is
    // std::nullopt, else written over the loaded row while it holds what the
    // frame was filled from), and only after that write succeeded the
    // children moved from the loaded number to the frame's. A refusal is
    // returned and nothing is written; no box may stand open while the
    // database is locked.
    // An engine error (3197 when another user changed the row since it was
    // read, for one; 3421 for a number the frame's checks would refuse) rolls
    // everything back and goes to the caller. Gives the row written.
    static std::variant<Refusal, dao::Bookmark> Save(dao::Recordset &batches,
                                                     const BatchFrameValues &values,
                                                     const std::optional<LoadedRow> &loaded);

    // The current row of `rs` as the frame shows it.
    static BatchFrameValues Values(const dao::Recordset &rs);

    // Sets the fields of the row being added or edited in `rs`, in the order of
    // the frame's mapping; fields the frame has no box for are not touched.
    static void SetFields(dao::Recordset &rs, BatchNumber number, const BatchFrameValues &values);

    // One field of the Kierunek row (the test method) of the code in the
    // dictionaries `db`, as text; "" when the row or its value is missing.
    static QString MethodField(dao::Database db, const QString &code, const QString &field);
};
