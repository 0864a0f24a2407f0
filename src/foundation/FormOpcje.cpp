#include "foundation/FormOpcje.h"

#include <QVBoxLayout>

FormOpcje::FormOpcje(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOpcje"));
    setWindowTitle(QStringLiteral("Opcje"));
}
