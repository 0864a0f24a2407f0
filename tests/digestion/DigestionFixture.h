#pragma once

#include "InstalledWorkstation.h"
#include "TableData.h"
#include "foundation/BatchHeading.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

// The installed workstation of 05.03.2024 with batches, runs and trays in its
// month database.
class DigestionFixture : public InstalledWorkstation, public TableData
{
public:
    // The values of one field over the statement's rows, as texts (dates
    // "dd.mm.yyyy", Null as "").
    static QStringList Column(dao::Database db, const QString &sql, const QString &field);

    // A batch delivered on Day whose test ran from Day to the day after.
    static void AddBatch(int batch, const QVariantMap &extra = {});
    static void AddRun(int batch, int run, const QVariantMap &extra = {});
    static void AddTray(int batch, int run, int tray, const QVariantMap &extra = {});
    static void AddSample(int batch, int carcass, const QVariantMap &extra = {});
    // The heading the batch register hands to the run window.
    static BatchHeading Heading(int batch);
    // The trays of a run as "tray:carcass list" texts in tray order.
    static QStringList Trays(int batch, int run);
};
