#pragma once

#include "platform/db/DaoTypes.h"
#include "platform/db/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// The tables and fields of the register's three kinds of database, kept as
// data in the program's resources (schema/*.json, seed rows in
// schema/seed.json). The month-database builder and its repairs, the
// installer and the tests all take the tables from here, so that they cannot
// drift apart.

// One column: its name, type and, for Text, its size in characters.
struct FieldSpec {
    QString name;
    dao::DataTypeEnum type = dao::dbText;
    int size = 0;

    // Text and Memo columns accept the empty text (kept apart from Null).
    bool AllowZeroLength() const { return type == dao::dbText || type == dao::dbMemo; }
};

// A search index: its name and its fields in key order. Never unique, as
// stored databases may hold a key more than once; it changes no result, only
// how fast a search finds its rows.
struct IndexSpec {
    QString name;
    QStringList fields;
};

// One table: its name, its fields in table order and its search indexes.
struct TableSpec {
    QString name;
    QList<FieldSpec> fields;
    QList<IndexSpec> indexes{};

    // The field of that name without regard to letter case, or nullptr.
    const FieldSpec *Field(const QString &fieldName) const;
};

class Schema
{
public:
    enum DatabaseKind { Month, Stale, Robot };

    // Every table of the database kind, in the order they are created. The
    // staging copies of Robot carry every field of their month namesake
    // first, then their own.
    static const QList<TableSpec> &Tables(DatabaseKind kind);
    // The table of that name without regard to letter case, or nullptr.
    static const TableSpec *Table(DatabaseKind kind, const QString &name);

    // The rows a new database of the kind starts with (none for a month
    // database), each field typed as its column expects; a Null value is an
    // invalid QVariant.
    static QList<QVariantMap> SeedRows(DatabaseKind kind, const QString &tableName);

    // Builds the table with all its fields. Errors of the database layer pass
    // to the caller (3010 when the table exists).
    static void CreateTable(dao::Database &db, const TableSpec &table);
    // Appends the fields that an existing table lacks, each as a new last
    // column with its values Null; the rows and the other columns stay as
    // they are. Returns the names of the fields added.
    static QStringList AddMissingFields(dao::Database &db, const TableSpec &table);
    // Builds the table when the database lacks it, else adds its missing
    // fields. Returns the fields added (all of them for a new table).
    static QStringList EnsureTable(dao::Database &db, const TableSpec &table);
    // Builds the indexes of the table that the database lacks. Errors of the
    // database layer pass to the caller.
    static void CreateIndexes(dao::Database &db, const TableSpec &table);

    // Builds every table of the kind (none may exist yet) with its indexes and
    // stores its seed rows, in one transaction.
    static void CreateAll(dao::Database &db, DatabaseKind kind);
};
