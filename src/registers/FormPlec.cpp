#include "registers/FormPlec.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QVBoxLayout>

FormPlec::FormPlec(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPlec"));
    setWindowTitle(QStringLiteral("Płeć"));
    auto *layout = new QVBoxLayout(this);
    DataGatunek = new ui::DataControl(this);
    DataGatunek->setObjectName(QStringLiteral("DataGatunek"));
    layout->addWidget(DataGatunek);
}

void FormPlec::Open()
{
    dao::Recordset species =
        StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM GATUNEK ORDER BY IDGatunek"));
    FormPlec &form = ui::WindowRegistry::Instance<FormPlec>();
    form.DataGatunek->setRecordset(species);
    ui::ShowModal(form);
}
