#include "registers/FormPodp.h"

#include "platform/ui/DataControl.h"

#include <QLabel>
#include <QVBoxLayout>

FormPodp::FormPodp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPodp"));
    auto *layout = new QVBoxLayout(this);
    LabelCaption = new QLabel(this);
    LabelCaption->setObjectName(QStringLiteral("LabelCaption"));
    layout->addWidget(LabelCaption);
    DataPodp = new ui::DataControl(this);
    DataPodp->setObjectName(QStringLiteral("DataPodp"));
    layout->addWidget(DataPodp);
}
