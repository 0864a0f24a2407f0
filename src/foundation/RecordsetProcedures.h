#pragma once

#include "platform/RuntimeError.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

#include <QString>

#include <initializer_list>

class QLabel;

// The field's value as the program joins it into a text: Null as "", a date
// "dd.mm.yyyy".
QString FieldText(const dao::Recordset &rs, const QString &field);

// The only row of the query, current; a closed record set when the query
// gives no row or more than one. Errors go to the caller.
dao::Recordset OnlyRow(dao::Database db, const QString &query);

// Walks every row of a table once, so that a report opened next finds it
// freshly read. Errors are reported under "Drukowanie-generu sztuczny ruch: ".
void TouchTable(dao::Database db, const QString &table);
// TouchTable for each table in turn, in one read of the file: the file is
// locked and checked once rather than once per statement.
void TouchTables(dao::Database db, std::initializer_list<const char *> tables);

// Runs `read`, several reads of `db`, as one read of the file: they see it as
// one state, and another workstation's lock is waited for once, 5 s in all
// (a read that a step swallows leaves the steps after it no wait of their
// own). Errors go to the caller.
template <typename Read> auto ReadAtOnce(dao::Database db, Read read) -> decltype(read())
{
    dao::Transaction reading(db);
    auto result = read();
    reading.Commit();
    return result;
}

// The Yes/No question (style 308) before a delete: false when the answer is No.
bool ConfirmDelete(const QString &question, const QString &caption);

// True when a write was refused because another workstation holds the file
// (3218) before it wrote anything. A list that still holds every row it
// showed is then as it was and is not read again, which would only wait for
// the same lock once more.
bool LockedElsewhere(const RuntimeError &error);

// Deletes the current row, after a Yes/No question (style 308) when `ask` is
// set; the next row, or the new last row, becomes current. An empty set
// returns true without asking; No returns false. Errors go to the caller.
bool DeleteCurrentRecord(dao::Recordset &rs, const QString &question, bool ask,
                         const QString &caption);

// Deletes every row of the record set. Errors go to the caller.
void DeleteAllRecords(dao::Recordset &rs);

// True when a row of the table has the value in the field (text compared
// without regard to case). The value is quoted, so any text may be asked for.
bool SprCzyIst(dao::Database db, const QString &table, const QString &field, const QString &value);

// True when MonthDb holds a sample of that day ("dd.mm.yyyy") with that daily
// number; false also when the check cannot be made.
bool DailyNumberExists(qint16 dailyNumber, const QString &date);

// True when MonthDb holds a sample with that general number; false also when
// the check cannot be made.
bool GeneralNumberExists(qint32 generalNumber);

// Sets the label's caption to the result field of the first row whose key
// field equals the key value; with no row, or an empty result, the caption
// stays as it was.
void LookupFieldValue(QLabel *label, dao::Database db, const QString &table,
                      const QString &keyValue, const QString &keyField, const QString &resultField);
