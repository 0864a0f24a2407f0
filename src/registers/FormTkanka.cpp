#include "registers/FormTkanka.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

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

void FormTkanka::Open()
{
    dao::Recordset rows =
        StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM TKANKA ORDER BY IDTkanka"));
    FormTkanka &form = ui::WindowRegistry::Instance<FormTkanka>();
    form.DataTkanka->setRecordset(rows);
    ui::ShowModal(form);
}
