#include "RegistersFixture.h"

#include "TableData.h"
#include "foundation/Globals.h"

RegistersFixture::RegistersFixture()
    : problem_(drives_.Install(QStringLiteral("admin"), QStringLiteral("haslo1")))
{
    if (!problem_.isEmpty())
        return;
    StaleDb = TemporaryDrives::Open(QStringLiteral("T:\\Dane\\Stale.mdb"));
    valid_ = StaleDb.IsOpen();
}

void RegistersFixture::AddRow(const QString &table, const QVariantMap &values)
{
    TableData::AddRow(StaleDb, table, values);
}

QList<QVariantMap> RegistersFixture::Rows(const QString &table)
{
    return TableData::Rows(StaleDb, table);
}
