#include "reports/FormCLab.h"

FormCLab::FormCLab(QWidget *parent) : PeriodWindow("FormCLab", QStringLiteral("EXPORT"), parent) {}
