#pragma once

#include "platform/RuntimeError.h"
#include "platform/db/Recordset.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>

namespace dao
{
class AttachedDatabase;
}

// The staging of month rows for the printed sheets. The staged reports read
// copies of the month tables in the staging database RobotDb (Partia,
// Badanie, Nastawienie, PozycjaN), the tissue list NazwaTMP and the one-row
// tables WynikTMP and SeriaTest; every print empties and refills them before
// it opens its report. The copies are the database's scratch tables
// (dao::Database::SetScratchTables): emptied at once, keeping no rowid marks.

// One copy of month rows into the staging table of the same name.
struct StagingCopy {
    QString table;
    // The WHERE condition over the month table, written by the program from
    // numbers ("Partia = 12", "Partia = 12 And Nastawienie = 2"); never a
    // typed text.
    QString condition;
    QString orderBy;             // empty: the table's order
    bool collectTissues = false; // each new tissue name of the rows joins NazwaTMP
    // Only the fields the staging table has too are copied; otherwise a month
    // field that the staging table lacks fails the copy.
    bool sharedFieldsOnly = false;
    // Called for each staged row after its fields are copied and before it is
    // stored, for fields that only the staging table has.
    std::function<void(const dao::Recordset &source, dao::Recordset &target)> beforeStore;
    // Fields that only the staging table has, written by the program as the
    // SET list of one UPDATE over the rows this copy staged, from their own
    // fields ("NrTuszRazem = ..."); so the copy needs no step for each row.
    QString setStaged;
};

// Copies the month rows of MonthDb into RobotDb, field by field by name; a
// Null source field leaves the target field at its default. The copy is one
// transaction: a failure is reported under "Drukowanie" & table, nothing of
// that copy stays, and false is returned.
bool StageRows(const StagingCopy &copy);

// A failed step of a print's staging, with the caption it is reported under:
// "Drukowanie", followed by the table for a failed copy.
class StagingFailure : public RuntimeError
{
public:
    StagingFailure(QString caption, const RuntimeError &error)
        : RuntimeError(error), caption_(std::move(caption))
    {
    }
    const QString &Caption() const noexcept { return caption_; }

private:
    QString caption_;
};

// The copy of StageRows as a step of StagePrint: it belongs to the print's
// transaction, and its failure is thrown as a StagingFailure naming the table.
void CopyStaged(const StagingCopy &copy);

// Stages one print: `steps` (emptying the print's tables, its copies, its
// one-row tables) run in one transaction of RobotDb, committed together, with
// the month file attached once for every copy. No box is shown while it is
// open: a step that fails throws, the whole staging is rolled back, so the
// staging tables keep what the last print left, and only then is the failure
// reported (a StagingFailure under its caption, any other error under
// "Drukowanie"). False after a reported failure.
bool StagePrint(const std::function<void()> &steps);

// While it lives, the copies of StageRows read MonthDb through one attachment
// to RobotDb instead of attaching it for each copy, so that a print staging
// several tables opens the month file and reads its schema once. Create it
// outside RobotDb's transactions (inside one it attaches nothing). When
// another workstation holds the month file, the copies fail at once with
// that error instead of waiting for the lock again.
class StagingMonth
{
public:
    StagingMonth();
    ~StagingMonth();
    StagingMonth(const StagingMonth &) = delete;
    StagingMonth &operator=(const StagingMonth &) = delete;

private:
    std::unique_ptr<dao::AttachedDatabase> month_;
    bool locked_ = false;
};

// Empties one staging table of RobotDb. Errors go to the caller.
void CzyscPrzedDr(const QString &table);

// Empties the staging tables of a print in one commit; when one cannot be
// emptied, the error goes to the caller and every table keeps its rows.
void CzyscPrzedDr(std::initializer_list<const char *> tables);

// The copy of the rows of the month table whose key field equals the key
// value (a number) into the staging table of the same name. With the tissue
// flag the rows are taken in NrDzien order and their tissue names collected
// into NazwaTMP.
StagingCopy PrzedDrCopy(const QString &table, const QString &keyField, const QString &keyValue,
                        bool tissueFlag);

// Makes the copy of PrzedDrCopy on its own. False after a reported failure.
bool PrzedDr(const QString &table, const QString &keyField, const QString &keyValue,
             bool tissueFlag);
