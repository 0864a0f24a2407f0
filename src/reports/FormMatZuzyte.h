#pragma once

#include "reports/PeriodWindow.h"

// The report of materials used in a period.
class FormMatZuzyte : public PeriodWindow
{
    Q_OBJECT

public:
    explicit FormMatZuzyte(QWidget *parent = nullptr);

    // Both bounds of the period set to the working date, shown modally.
    static void Open(const QString &workingDate);
};
