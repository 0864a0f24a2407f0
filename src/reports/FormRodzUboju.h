#pragma once

#include "reports/PeriodWindow.h"

// The report of the kinds of slaughter in a period.
class FormRodzUboju : public PeriodWindow
{
    Q_OBJECT

public:
    explicit FormRodzUboju(QWidget *parent = nullptr);

    // Both bounds of the period set to the working date, shown modally.
    static void Open(const QString &workingDate);
};
