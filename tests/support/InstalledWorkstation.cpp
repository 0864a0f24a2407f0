#include "InstalledWorkstation.h"

#include "foundation/Globals.h"

InstalledWorkstation::InstalledWorkstation()
{
    if (!drives_.Install(QStringLiteral("ADMIN"), QStringLiteral("tajne1")).isEmpty())
        return;
    StaleDb = TemporaryDrives::Open(QStringLiteral("T:\\Dane\\Stale.mdb"));
    RobotDb = TemporaryDrives::Open(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
    MonthDb =
        TemporaryDrives::Create(QStringLiteral("T:\\Dane\\2024\\Mervask202403.mdb"), Schema::Month);
    ProgramFolder = QStringLiteral("C:\\MervaskLab");
    ReportFolder = QStringLiteral("T:\\Raporty\\");
    WorkingDate = Day;
    valid_ = true;
}
