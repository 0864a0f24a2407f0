#include "registers/FormOpisProbki.h"

#include "platform/ui/DataControl.h"

#include <QVBoxLayout>

FormOpisProbki::FormOpisProbki(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormOpisProbki"));
    setWindowTitle(QStringLiteral("OPIS"));
    auto *layout = new QVBoxLayout(this);
    DataPodp = new ui::DataControl(this);
    DataPodp->setObjectName(QStringLiteral("DataPodp"));
    layout->addWidget(DataPodp);
}
