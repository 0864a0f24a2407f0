#include "registers/FormAutoryzowal.h"

#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"

#include <QVBoxLayout>

FormAutoryzowal::FormAutoryzowal(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAutoryzowal"));
    setWindowTitle(QStringLiteral("Osoby"));
    auto *layout = new QVBoxLayout(this);
    DataDane = new ui::DataControl(this);
    DataDane->setObjectName(QStringLiteral("DataDane"));
    DBGridPodp = new ui::DBGrid(this);
    DBGridPodp->setObjectName(QStringLiteral("DBGridPodp"));
    layout->addWidget(DBGridPodp);
    layout->addWidget(DataDane);
}
