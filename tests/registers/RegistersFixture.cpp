#include "RegistersFixture.h"

#include "Installer.h"
#include "foundation/Globals.h"
#include "platform/db/DBEngine.h"
#include "platform/db/Recordset.h"
#include "platform/db/Workspace.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/WindowRegistry.h"

RegistersFixture::RegistersFixture()
{
    ResetProgramState();
    if (!dir_.isValid()) {
        problem_ = QStringLiteral("no temporary folder");
        return;
    }
    fs::DriveMap::SetDrivesFolder(dir_.path());
    Installer installer({dir_.path(), QStringLiteral("admin"), QStringLiteral("haslo1")});
    if (installer.Run() != Installer::Installed) {
        problem_ = installer.Message();
        return;
    }
    StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(
        fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb")));
    valid_ = StaleDb.IsOpen();
}

RegistersFixture::~RegistersFixture()
{
    ResetProgramState();
    fs::DriveMap::SetDrivesFolder(QString());
}

void RegistersFixture::AddRow(const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = StaleDb.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
    rs.Close();
}

QList<QVariantMap> RegistersFixture::Rows(const QString &table)
{
    QList<QVariantMap> rows;
    dao::Recordset rs = StaleDb.OpenRecordset(table);
    const dao::Fields fields = rs.Fields();
    for (; !rs.EOF(); rs.MoveNext()) {
        QVariantMap row;
        for (int i = 0; i < fields.Count(); ++i)
            row.insert(rs.Fields(i).Name(), rs.Fields(i).Value());
        rows.append(row);
    }
    rs.Close();
    return rows;
}

void RegistersFixture::ResetProgramState()
{
    ui::WindowRegistry::Reset();
    if (StaleDb.IsOpen())
        StaleDb.Close();
    StaleDb = dao::Database();
    FormRequest.clear();
    InitOnActivate = false;
}
