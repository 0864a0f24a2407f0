#include "registers/FormLekarz.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QVBoxLayout>

FormLekarz::FormLekarz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormLekarz"));
    setWindowTitle(QStringLiteral("Lekarz"));
    auto *layout = new QVBoxLayout(this);
    DataLekarz = new ui::DataControl(this);
    DataLekarz->setObjectName(QStringLiteral("DataLekarz"));
    layout->addWidget(DataLekarz);
}

void FormLekarz::Open()
{
    dao::Recordset rows =
        StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM Lekarz ORDER BY Nazwisko, Imie"));
    FormLekarz &form = ui::WindowRegistry::Instance<FormLekarz>();
    form.DataLekarz->setRecordset(rows);
    ui::ShowModal(form);
}
