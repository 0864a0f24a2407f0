#include "registers/FormAutoryzowal.h"

#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

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

void FormAutoryzowal::Open(const QString &table, const QString &gridCaption)
{
    dao::Recordset persons = StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table +
                                                   QStringLiteral(" ORDER BY Nr"));
    FormAutoryzowal &form = ui::WindowRegistry::Instance<FormAutoryzowal>();
    form.DBGridPodp->setCaption(gridCaption);
    form.DataDane->setRecordset(persons);
    ui::ShowModal(form);
}
