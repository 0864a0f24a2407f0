#include "registers/FormChoroba.h"

#include "platform/ui/DataControl.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

FormChoroba::FormChoroba(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormChoroba"));
    setWindowTitle(QStringLiteral("TEST-SERIA-METODA"));
    auto *layout = new QVBoxLayout(this);
    DataChoroba = new ui::DataControl(this);
    DataChoroba->setObjectName(QStringLiteral("DataChoroba"));
    layout->addWidget(DataChoroba);
    FrameChoroba = new QGroupBox(this);
    FrameChoroba->setObjectName(QStringLiteral("FrameChoroba"));
    TextMetoda = new QLineEdit(FrameChoroba);
    TextMetoda->setObjectName(QStringLiteral("TextMetoda"));
    TextMetoda->setMaxLength(255);
    (new QVBoxLayout(FrameChoroba))->addWidget(TextMetoda);
    layout->addWidget(FrameChoroba);
    FrameChoroba->setVisible(false);
}
