#pragma once

#include "InstalledWorkstation.h"
#include "TableData.h"
#include "platform/db/Recordset.h"

#include <QVariantMap>

// The installed workstation of 05.03.2024, with the rows the printed
// documents read.
class PrintingFixture : public InstalledWorkstation, public TableData
{
public:
    // The values as texts.
    static QStringList Column(dao::Database db, const QString &table, const QString &field);
    static dao::Variant Value(dao::Database db, const QString &table, const QString &field);

    static void AddEstablishment(const QString &wni, const QString &name, const QString &town);
    static void AddInspectorate(const QString &code, const QString &name, const QString &town,
                                const QVariant &email, const QVariant &encryptedEmail = {});
    // A batch delivered on Day, ordered and paid by its establishment.
    static void AddBatch(int batch, const QString &wni, const QVariantMap &extra = {});
    static void AddSample(int batch, int dailyNumber, int carcass, const QString &tissue);
    // The month's batch list, its current row on the batch.
    static dao::Recordset BatchList(int batch);
};
