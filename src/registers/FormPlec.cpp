#include "registers/FormPlec.h"

#include "platform/ui/DataControl.h"

#include <QVBoxLayout>

FormPlec::FormPlec(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPlec"));
    setWindowTitle(QStringLiteral("Płeć"));
    auto *layout = new QVBoxLayout(this);
    DataGatunek = new ui::DataControl(this);
    DataGatunek->setObjectName(QStringLiteral("DataGatunek"));
    layout->addWidget(DataGatunek);
}
