#include "registers/FormPodp.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QVBoxLayout>

FormPodp::FormPodp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPodp"));
    auto *layout = new QVBoxLayout(this);
    LabelCaption = new QLabel(this);
    LabelCaption->setObjectName(QStringLiteral("LabelCaption"));
    layout->addWidget(LabelCaption);
    DataPodp = new ui::DataControl(this);
    DataPodp->setObjectName(QStringLiteral("DataPodp"));
    layout->addWidget(DataPodp);
}

void FormPodp::Open(const QString &caption, const QString &table)
{
    dao::Recordset hints = StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table +
                                                 QStringLiteral(" ORDER BY IdPodp"));
    FormPodp &form = ui::WindowRegistry::Instance<FormPodp>();
    form.setWindowTitle(caption);
    form.LabelCaption->setText(QStringLiteral("PODPOWIEDZI DO UWAG"));
    form.DataPodp->setRecordset(hints);
    ui::ShowModal(form);
}
