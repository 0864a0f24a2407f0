#pragma once

#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QDate>
#include <QString>
#include <array>

// The register's program-wide values. Each is an inline variable at namespace
// scope: one object for the whole program, alive until it ends, read and
// written by plain name as the rest of the code expects.

// Data and folders set at start-up (InitApplication).
inline dao::Database StaleDb;     // the dictionaries, StaleFolder & "Stale.mdb"
inline dao::Database RobotDb;     // the report staging tables, RobotFolder & "Robot.mdb"
inline dao::Database MonthDb;     // the month database of the working date
inline dao::Recordset PodatnikRs; // the laboratory-identity table, opened and closed by its readers
inline QString MonthDbName;       // "DANE\" at start; the backup keeps its own value here
inline QString DateMask;          // "##.##.####", the input mask of the date boxes
inline QString DateFormat;        // "dd.mm.yyyy", how the working date is shown
inline QString StaleFolder;       // INI key STALE, a folder prefix ending in "\"
inline QString ReportFolder;      // INI key RAPORTY, prefixed to every report file name
inline QString RobotFolder;       // INI key ROBOT

// The letterhead: PODATNIK.TX2 .. TX6 of the laboratory row (index 0 holds TX2).
inline std::array<QString, 5> LabHeaderLines;

// Rows 1..18: a Polish letter, its code-page code and the code of its plain
// Latin letter (columns 0, 1, 2), as decimal texts; row 0 stays empty.
using PolishLetterTableType = std::array<std::array<QString, 3>, 19>;
inline PolishLetterTableType PolishLetterTable;

// The working date of the main window; the month database follows it.
inline QDate WorkingDate;

// Left by a successful sign-in.
inline bool LoginOk = false;
inline QString OperatorSurname;
inline QString ProgramFolder; // "C:\MervaskLab"

// Requests between windows.
inline QString FormRequest;         // "find" & a carcass number, or "Uzyj" for the client picker
inline bool InitOnActivate = false; // set by an opener: the window reloads at its next activation
inline QString ImportFilePath;      // the batch-order file last read by the header import
inline bool ContinueImport =
    false; // the sample import goes on unless its number dialog is cancelled
