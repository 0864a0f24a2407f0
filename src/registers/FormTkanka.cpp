#include "registers/FormTkanka.h"

#include "platform/ui/DataControl.h"

#include <QVBoxLayout>

FormTkanka::FormTkanka(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormTkanka"));
    setWindowTitle(QStringLiteral("MATERIAŁ"));
    auto *layout = new QVBoxLayout(this);
    DataTkanka = new ui::DataControl(this);
    DataTkanka->setObjectName(QStringLiteral("DataTkanka"));
    layout->addWidget(DataTkanka);
}
