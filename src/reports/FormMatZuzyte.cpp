#include "reports/FormMatZuzyte.h"

FormMatZuzyte::FormMatZuzyte(QWidget *parent)
    : PeriodWindow("FormMatZuzyte", QStringLiteral("Materiały zużyte"), parent)
{
}
