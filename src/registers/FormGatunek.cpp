#include "registers/FormGatunek.h"

#include "platform/ui/DataControl.h"

#include <QVBoxLayout>

FormGatunek::FormGatunek(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormGatunek"));
    setWindowTitle(QStringLiteral("Gatunek"));
    auto *layout = new QVBoxLayout(this);
    DataGatunek = new ui::DataControl(this);
    DataGatunek->setObjectName(QStringLiteral("DataGatunek"));
    layout->addWidget(DataGatunek);
}
