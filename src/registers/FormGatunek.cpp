#include "registers/FormGatunek.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/RegisterRecords.h"

#include <QVBoxLayout>

FormGatunek::FormGatunek(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormGatunek"));
    setWindowTitle(QStringLiteral("Gatunek"));
    auto *layout = new QVBoxLayout(this);
    DataGatunek = new ui::DataControl(this);
    DataGatunek->setObjectName(QStringLiteral("DataGatunek"));
    layout->addWidget(DataGatunek);
}

void FormGatunek::Open()
{
    dao::Recordset species = SpeciesRecords::OpenSpecies(StaleDb);
    FormGatunek &form = ui::WindowRegistry::Instance<FormGatunek>();
    form.DataGatunek->setRecordset(species);
    ui::ShowModal(form);
}
