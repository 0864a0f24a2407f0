#include "reports/FormCLab.h"

#include "foundation/Globals.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

FormCLab::FormCLab(QWidget *parent) : PeriodWindow("FormCLab", QStringLiteral("EXPORT"), parent) {}

void FormCLab::Open(const QString &workingDate)
{
    FormCLab &form = ui::WindowRegistry::Instance<FormCLab>();
    form.MebOd->setText(workingDate);
    form.MebDo->setText(workingDate);
    InitOnActivate = true;
    ui::ShowModal(form);
}
