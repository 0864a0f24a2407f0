#pragma once

#include "digestion/RunFrameValues.h"
#include "foundation/BatchHeading.h"
#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <variant>

// The box texts of a tray frame by the field they are written to
// ("NrTusz" -> "1-20"). A field that is absent is written as an empty box.
using FrameTexts = QMap<QString, QString>;

// The runs (Nastawienie) and trays (PozycjaN) of the month database. A run
// belongs to a batch by its number, a tray to a run by batch and run number;
// nothing else links them. Errors go to the caller; every multi-step change
// is one transaction, rolled back when a step fails.
class RunStore
{
public:
    // The fields of a tray as the tray frame edits them.
    static const QStringList &TrayFields();

    static dao::Recordset OpenRuns(dao::Database db, BatchNumber batch);
    static dao::Recordset OpenTrays(dao::Database db, BatchNumber batch, int run);
    // The tray list shown while no run is chosen: the tray columns, no rows.
    static dao::Recordset OpenNoTrays(dao::Database db);

    // The number offered to a new run: the batch's highest run number + 1,
    // or 1 for a batch without runs.
    static int NextRunNumber(dao::Database db, BatchNumber batch);
    // The test start and end of the batch ("dd.mm.yyyy", "" when unset).
    static std::pair<QString, QString> BatchTestDates(dao::Database db, BatchNumber batch);

    // The frame texts of a stored tray, Null as "", dates "dd.mm.yyyy",
    // numbers with the decimal comma ("7,5").
    static FrameTexts Texts(const dao::Recordset &rs, const QStringList &fields);
    // The run frame's values of the current run of `rs`, its texts as above.
    static RunFrameValues RunValues(const dao::Recordset &rs);

    // The run save after checks 1 and 2 passed: check 3 (when the run is new
    // or its number changed), checks 4 and 5, the renumbering of an edited
    // run's trays and the write of the row, in one transaction. Returns the
    // fault of a failed check, or the row written. A corrected run (all its
    // fields as the frame was filled from them, RememberRow) that another
    // workstation changed (3197) or deleted (3167) since it was loaded is an
    // error, found before any check, and nothing is written.
    static std::variant<Refusal, dao::Bookmark> SaveRun(dao::Database db, BatchNumber batch,
                                                        const RunFrameValues &values,
                                                        const std::optional<LoadedRow> &loadedRun);

    // The tray save after checks 1 to 4 passed: check 5 (when the tray is new
    // or its number changed) and the write, in one transaction; a corrected
    // tray changed or deleted meanwhile as for the run.
    static std::variant<Refusal, dao::Bookmark>
    SaveTray(dao::Database db, BatchNumber batch, int run, const FrameTexts &texts,
             const std::optional<LoadedRow> &loadedTray);

    // Deletes the trays named (bookmarks of `trays`) of the current run of
    // `runs` and, when none of that run's trays is left, the run itself, in
    // one transaction. Both go through the lists they were shown in, so that
    // a row another workstation changed (3197) or deleted (3167) since is
    // refused; a refusal leaves everything as it was, the trays of a run
    // whose delete was refused too. True when the run was deleted.
    static bool DeleteRun(dao::Database db, dao::Recordset &runs, dao::Recordset &trays,
                          const QList<dao::Bookmark> &chosen);
    // Deletes the current tray of `trays`, refused as above.
    static void DeleteTray(dao::Database db, dao::Recordset &trays);
};
