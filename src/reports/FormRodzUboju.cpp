#include "reports/FormRodzUboju.h"

FormRodzUboju::FormRodzUboju(QWidget *parent)
    : PeriodWindow("FormRodzUboju", QStringLiteral("Rodzaj uboju"), parent)
{
}
