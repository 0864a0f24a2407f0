#pragma once

#include "InstalledWorkstation.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// The installed workstation, for one test, with helpers on its dictionaries
// (StaleDb).
class RegistersFixture : public InstalledWorkstation
{
public:
    // Adds a row to a table of StaleDb; absent fields stay Null.
    static void AddRow(const QString &table, const QVariantMap &values);
    // Every row of a table of StaleDb in table order, Null fields as invalid
    // variants.
    static QList<QVariantMap> Rows(const QString &table);
};
