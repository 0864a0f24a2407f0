#include "registers/FormWIW.h"

#include "platform/ui/DataControl.h"

#include <QRadioButton>
#include <QVBoxLayout>

FormWIW::FormWIW(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormWIW"));
    setWindowTitle(QStringLiteral("PIW"));
    auto *layout = new QVBoxLayout(this);
    DataZlew = new ui::DataControl(this);
    DataZlew->setObjectName(QStringLiteral("DataZlew"));
    layout->addWidget(DataZlew);
    OptionK = new QRadioButton(QStringLiteral("Wg kodów"), this);
    OptionK->setObjectName(QStringLiteral("OptionK"));
    layout->addWidget(OptionK);
    OptionN = new QRadioButton(QStringLiteral("Wg nazwy"), this);
    OptionN->setObjectName(QStringLiteral("OptionN"));
    layout->addWidget(OptionN);
}
