#pragma once

#include "platform/report/Document.h"
#include "platform/report/Report.h"

#include <QString>

#include <optional>

// The report last opened by the runner, with the formula and texts it was
// given; replaced by each call.
inline std::optional<report::Report> CurrentReport;

// Opens a report definition (a Windows path such as ReportFolder &
// "wyniki.rpt"), applies the selection formula (empty: every row), the
// period text ({?Okres} in a definition) and the third text ({?Tekst3}), and
// lays it out from the tables it names as they are now: the staging tables of
// RobotDb, or the dictionary tables of StaleDb for a report that reads only
// those. The letterhead is the laboratory's (PODATNIK TX2..TX6), with the
// town of the reports as {?Miejsc} and the accreditation code as {?KodPCA}.
// Errors go to the caller: a missing (53), unreadable (75) or broken
// definition, a bad formula, a table that cannot be read.
report::Document RenderCrystalReport(const QString &path, const QString &selectionFormula,
                                     const QString &periodText, const QString &thirdText);
