#include "TemporaryDrives.h"

#include "Installer.h"
#include "ProgramState.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/FileDialog.h"

#include <QDir>
#include <QFileInfo>

TemporaryDrives::TemporaryDrives(FileDialogs dialogs) : dialogs_(dialogs)
{
    ProgramState::Reset();
    fs::DriveMap::SetDrivesFolder(dir_.path());
    if (dialogs_ == DialogsMapped)
        ui::FileDialog::SetPathMapping(fs::DriveMap::ToReal, fs::DriveMap::ToWindows);
}

TemporaryDrives::~TemporaryDrives()
{
    ProgramState::Reset();
    if (dialogs_ == DialogsMapped)
        ui::FileDialog::SetPathMapping({}, {});
    fs::DriveMap::SetDrivesFolder(QString());
}

QString TemporaryDrives::Install(const QString &login, const QString &password) const
{
    if (!IsValid())
        return QStringLiteral("no temporary folder");
    Installer installer({dir_.path(), login, password});
    if (installer.Run() != Installer::Installed)
        return installer.Message().isEmpty() ? QStringLiteral("not installed")
                                             : installer.Message();
    return {};
}

QString TemporaryDrives::Real(const QString &windowsPath)
{
    return fs::DriveMap::ToReal(windowsPath);
}

dao::Database TemporaryDrives::Open(const QString &windowsPath)
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(Real(windowsPath));
}

dao::Database TemporaryDrives::Create(const QString &windowsPath,
                                      std::optional<Schema::DatabaseKind> kind)
{
    QDir().mkpath(QFileInfo(Real(windowsPath)).absolutePath());
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(Real(windowsPath));
    if (kind)
        Schema::CreateAll(db, *kind);
    return db;
}
