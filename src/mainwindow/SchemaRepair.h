#pragma once

#include "platform/db/DaoTypes.h"
#include "platform/db/Database.h"

#include <QString>

// Databases made by earlier versions lack columns and tables that the present
// one uses. These procedures bring the month database and the dictionary
// database up to the present shape without losing data; each run probes
// again, so a database already in shape is left unchanged.

// Adds the column as the table's last column when the table lacks it. A
// missing table is left alone; other failures are reported under "SprBrakKol".
void SprBrakKol(dao::Database &db, const QString &table, const QString &column,
                dao::DataTypeEnum type, bool allowZeroLength, int size);

// The month database's column repairs, and its materials table zuzyte when
// missing.
void SprBrakKolAll(dao::Database &db);

// Builds the search indexes of the month tables that the database lacks, in
// one transaction. The indexes only make searches faster: when they cannot be
// made (a read-only file, a file kept busy by another workstation) nothing is
// reported and the database is used without them until a later opening.
void AddMonthIndexes(dao::Database &db);

// Widens a text column of the month database to `newSize`, keeping every
// value: the column is rebuilt through the temporary column TabelaTMP in one
// transaction, so the table is either untouched or completely widened. The
// widened column stands last in its table. Failures are reported under
// "ZmienDlugPola-" & the error.
void ZmienDlugPola(dao::Database &db, const QString &table, const QString &column,
                   dao::DataTypeEnum type, bool allowZeroLength, int newSize,
                   const QString &sqlType);

// The start-up repairs of StaleDb: the column KodLok2 of PODATNIK, the
// columns TypBad2 and OpisTypBad2 of CLab, and the tables Sito, Wykonujacy
// and Odpowiedzialny.
void SprawdzDodajKolumny();

// Builders of a value list (ID, Wartosc) and of a person list (Nr, Nazwa) in
// the database file at `path`; false after a reported failure.
bool CreateTablePodp(const QString &path, const QString &name);
bool CreateTableOsoba(const QString &path, const QString &name);

// Corrects the sexes dictionary: the first "Wałah" becomes "Wałach", the first
// `oldName` becomes `newName`. The species argument is not used. Errors go to
// the caller.
void PoprawPlec(const QString &newName, const QString &speciesId, const QString &oldName);
