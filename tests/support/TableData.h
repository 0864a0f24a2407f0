#pragma once

#include "platform/db/Database.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// Rows put into and read back from a database, for set-ups and checks.
// `source` is a table name or a SELECT statement.
class TableData
{
public:
    // Adds a row; absent fields stay Null.
    static void AddRow(dao::Database db, const QString &table, const QVariantMap &values);
    static int RowCount(dao::Database db, const QString &source);
    // The values of one field over the rows, in their order.
    static QList<QVariant> Column(dao::Database db, const QString &source, const QString &field);
    // Every row with every field, Null fields as invalid variants.
    static QList<QVariantMap> Rows(dao::Database db, const QString &source);
};
