#include "registers/FormOpisProbki.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

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

void FormOpisProbki::Open()
{
    dao::Recordset rows =
        StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM OpisProbki ORDER BY IdPodp"));
    FormOpisProbki &form = ui::WindowRegistry::Instance<FormOpisProbki>();
    form.DataPodp->setRecordset(rows);
    ui::ShowModal(form);
}
