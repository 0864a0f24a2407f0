#include "RegistersFixture.h"

#include "TableData.h"
#include "foundation/Globals.h"

void RegistersFixture::AddRow(const QString &table, const QVariantMap &values)
{
    TableData::AddRow(StaleDb, table, values);
}

QList<QVariantMap> RegistersFixture::Rows(const QString &table)
{
    return TableData::Rows(StaleDb, table);
}
