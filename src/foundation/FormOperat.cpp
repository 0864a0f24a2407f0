#include "foundation/FormOperat.h"

#include <QVBoxLayout>

FormOperat::FormOperat(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOperat"));
    setWindowTitle(QStringLiteral("OPERATORZY"));
}
