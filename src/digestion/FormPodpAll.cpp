#include "digestion/FormPodpAll.h"

#include "platform/ui/DataControl.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FormPodpAll::FormPodpAll(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPodpAll"));
    setWindowTitle(QStringLiteral("Definicje"));
    auto *layout = new QVBoxLayout(this);
    LabelOpis = new QLabel(this);
    LabelOpis->setObjectName(QStringLiteral("LabelOpis"));
    layout->addWidget(LabelOpis);
    LabelTyp = new QLabel(this);
    LabelTyp->setObjectName(QStringLiteral("LabelTyp"));
    LabelTyp->setVisible(false);
    DataPodp = new ui::DataControl(this);
    DataPodp->setObjectName(QStringLiteral("DataPodp"));
    layout->addWidget(DataPodp);
    TextWartosc = new QLineEdit(this);
    TextWartosc->setObjectName(QStringLiteral("TextWartosc"));
    layout->addWidget(TextWartosc);
}
