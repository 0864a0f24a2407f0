#pragma once

#include "foundation/Schema.h"
#include "platform/db/DaoTypes.h"
#include "platform/db/TableDef.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

// The month database T:\Dane\<yyyy>\Mervask<yyyymm>.mdb: its file name, its
// building and its opening. A month database is built completely or not at
// all: its tables are made in a work file beside it, which takes the final
// name only when every table exists and only when no file has that name yet.

// "T:\Dane\<yyyy>\Mervask<yyyymm>.mdb" of the date's year and month.
QString MonthDbYearFolder(const QDate &date);
QString MonthDbPath(const QDate &date);

// Opens the month database at the path, or builds it first after telling the
// user, and makes it MonthDb. An existing database is repaired and its result
// columns probed. `monthCaption` is the month name the messages quote. Returns
// false when no database could be opened; MonthDb then keeps what it held.
bool OtworzLubTworzBaze(const QString &path, const QString &monthCaption);

// True when a month database is open. Otherwise tells the user so (its
// opening or building has reported why) and returns false: the commands that
// work on the month's data ask this first.
bool MonthDbIsOpen();

// One step of the building: makes one table in the database file at the path.
using TableBuilder = std::function<bool(const QString &path, const QString &name)>;
struct TableStep {
    QString name;
    TableBuilder builder;
};

// The tables of a new month database, in the order they are made.
QList<TableStep> MonthTableSteps();

// Builds the month database at the path from the steps; true when it was
// built and put in place. Each failure is reported where it happens.
bool TworzBaze(const QString &path, const QString &monthCaption);
bool TworzBaze(const QString &path, const QString &monthCaption, const QList<TableStep> &steps);

// Creates the empty database file `workPath` for the month database `path`,
// unless a file named `path` exists already; false after a reported failure.
bool CreateDB(const QString &path, const QString &workPath);

// The table builders: each opens the database at the path, makes its table
// under the given name with all its fields, and closes it again.
bool CreateTablePartia(const QString &path, const QString &name);
bool CreateTableBadanie(const QString &path, const QString &name);
bool CreateTableNastawienie(const QString &path, const QString &name);
bool CreateTablePozycjaN(const QString &path, const QString &name);
bool CreateTableZuzyte(const QString &path, const QString &name);

// The builder they share: the table `name` with the given fields.
bool CreateTableWithFields(const QString &path, const QString &name,
                           const QList<FieldSpec> &fields);

// Makes one field (the size only when not 0) and appends it to the table
// definition; false after a reported failure.
bool CreateDBField(dao::TableDef &table, const QString &name, dao::DataTypeEnum type,
                   bool allowZeroLength, int size);
