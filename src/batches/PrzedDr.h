#pragma once

#include "foundation/ReportStaging.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QString>

#include <optional>

// The staging of a batch for its result sheet, over the general staging of
// ReportStaging (StageRows, CzyscPrzedDr, PrzedDr).

// Makes the table of a one-row staging table (WynikTMP, SeriaTest) hold
// exactly one row: a missing row is added, several are replaced by one empty
// row. Errors go to the caller.
void EnsureOneRow(dao::Database db, const QString &table);

// Fills the one WynikTMP row from the batch at the current row of `batch`:
// the sheet number, the county inspectorate, the four dates and the ordering
// party, owner and payer texts. Returns the inspectorate text written. Errors
// go to the caller.
QString FillWynikTMP(const dao::Recordset &batch);

// Stages the batch at the current row of `batch` for its result sheet in one
// transaction (StagePrint): the staging tables emptied, the batch and its
// samples copied, the tissues collected and WynikTMP filled. Returns the
// inspectorate text written, or nothing after a reported failure, when the
// staging tables keep what they held.
std::optional<QString> StageBatchResult(const dao::Recordset &batch);

// The whole print of a batch's result sheet ("D&rukuj" of the batch window):
// `batches` is the batch list, its current row the batch to print. Stages the
// batch, asks for the print settings and opens wyniki.rpt in the preview
// window. A failed step is reported and ends the print; no sheet is shown.
void PrintBatchResult(const dao::Recordset &batches);
