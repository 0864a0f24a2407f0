#include "registers/FormLekarz.h"

#include "platform/ui/DataControl.h"

#include <QVBoxLayout>

FormLekarz::FormLekarz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormLekarz"));
    setWindowTitle(QStringLiteral("Lekarz"));
    auto *layout = new QVBoxLayout(this);
    DataLekarz = new ui::DataControl(this);
    DataLekarz->setObjectName(QStringLiteral("DataLekarz"));
    layout->addWidget(DataLekarz);
}
