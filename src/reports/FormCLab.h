#pragma once

#include "reports/PeriodWindow.h"

// The export of finished batches to the central laboratory.
class FormCLab : public PeriodWindow
{
    Q_OBJECT

public:
    explicit FormCLab(QWidget *parent = nullptr);

    // Both bounds of the period set to the working date, shown modally.
    static void Open(const QString &workingDate);
};
