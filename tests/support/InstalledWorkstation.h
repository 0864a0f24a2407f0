#pragma once

#include "TemporaryDrives.h"

#include <QDate>
#include <QString>

// The workstation as the start-up leaves it on 05.03.2024: an installation
// made by the installer in temporary drives (the file dialogs mapped to
// them), StaleDb and RobotDb open, an empty month database of March 2024 as
// MonthDb, and the program folder, report folder and working date set.
class InstalledWorkstation
{
public:
    InstalledWorkstation();

    bool IsValid() const { return valid_; }
    static QString Real(const QString &windowsPath) { return TemporaryDrives::Real(windowsPath); }

    static inline const QDate Day = QDate(2024, 3, 5);

private:
    TemporaryDrives drives_{TemporaryDrives::DialogsMapped};
    bool valid_ = false;
};
