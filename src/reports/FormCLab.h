#pragma once

#include "reports/PeriodWindow.h"

// The export of finished batches to the central laboratory.
class FormCLab : public PeriodWindow
{
    Q_OBJECT

public:
    explicit FormCLab(QWidget *parent = nullptr);
};
