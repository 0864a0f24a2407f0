#include "BenchSupport.h"

#include "Installer.h"
#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "platform/db/SqlFunctions.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace bench
{

bool Install(const QString &drives)
{
    fs::DriveMap::SetDrivesFolder(drives);
    return Installer({drives, QStringLiteral("ADMIN"), QStringLiteral("tajne1")}).Run() ==
           Installer::Installed;
}

dao::Database Open(const QString &windowsPath)
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(fs::DriveMap::ToReal(windowsPath));
}

QString CreateMonth()
{
    const QString path = fs::DriveMap::ToReal(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    MonthDb = dao::DBEngine::Workspaces(0).CreateDatabase(path);
    Schema::CreateAll(MonthDb, Schema::Month);
    return path;
}

sqlite3 *OpenPlain(const QString &path)
{
    sqlite3 *db = nullptr;
    // Opened as the engine layer opens its own: one thread, so no mutex per call.
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(db, 5000);
    // The files' text columns compare with our collation; plain SQL needs it too.
    dao::detail::SqlFunctions::Register(db);
    return db;
}

void AddRow(dao::Recordset &rs, const QVariantMap &values)
{
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
}

int Main(int argc, char **argv, const std::function<bool()> &prepare)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // On every way out, while the application and the files still stand.
    const auto closeAll = qScopeGuard([] {
        ui::WindowRegistry::Reset();
        for (dao::Database *db : {&MonthDb, &StaleDb, &RobotDb})
            if (db->IsOpen())
                db->Close();
    });
    if (prepare && !prepare())
        return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
