#include "registers/FormPlec.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/RegisterRecords.h"

#include <QGridLayout>

FormPlec::FormPlec(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPlec"));
    setWindowTitle(QStringLiteral("Płeć"));
    DataGatunek = ui::Named(new ui::DataControl(this), "DataGatunek");
    DBGridGatunek = ui::Named(new ui::DBGrid(this), "DBGridGatunek");
    DBGridGatunek->Bind(DataGatunek, {{QStringLiteral("Nr"), QStringLiteral("IDGatunek")},
                                      {QStringLiteral("Gatunek"), QStringLiteral("NazGatunek")}});
    DataPlec = ui::Named(new ui::DataControl(this), "DataPlec");
    DBGridPlec = ui::Named(new ui::DBGrid(this), "DBGridPlec");
    DBGridPlec->Bind(DataPlec, {{QStringLiteral("Płeć"), QStringLiteral("NazPlec")}});
    auto *layout = new QGridLayout(this);
    layout->addWidget(DBGridGatunek, 0, 0);
    layout->addWidget(DBGridPlec, 0, 1);
    layout->addWidget(DataGatunek, 1, 0);
    layout->addWidget(DataPlec, 1, 1);
    resize(560, 360);

    connect(DataGatunek, &ui::DataControl::recordsetReplaced, this, &FormPlec::ShowSexes);
    connect(DataGatunek, &ui::DataControl::currentRowChanged, this, &FormPlec::ShowSexes);
}

void FormPlec::Open()
{
    dao::Recordset species = SpeciesRecords::OpenSpecies(StaleDb);
    FormPlec &form = ui::WindowRegistry::Instance<FormPlec>();
    form.DataGatunek->setRecordset(species);
    ui::ShowModal(form);
}

void FormPlec::ShowSexes()
{
    TrapErrors(QStringLiteral("Powiadom programistę!"), [this] {
        const dao::Recordset species = DataGatunek->Recordset();
        dao::Variant id;
        if (species.IsOpen() && species.RecordCount() > 0 && !species.EOF() && !species.BOF())
            id = species(QStringLiteral("IDGatunek")).Value();
        DataPlec->Replace(dao::IsNull(id) ? dao::Recordset()
                                          : SpeciesRecords::OpenSexes(StaleDb, id.toLongLong()));
    });
}
