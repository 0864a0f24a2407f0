#include "reports/FormRodzUboju.h"

#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

FormRodzUboju::FormRodzUboju(QWidget *parent)
    : PeriodWindow("FormRodzUboju", QStringLiteral("Rodzaj uboju"), parent)
{
}

void FormRodzUboju::Open(const QString &workingDate)
{
    FormRodzUboju &form = ui::WindowRegistry::Instance<FormRodzUboju>();
    form.MebOd->setText(workingDate);
    form.MebDo->setText(workingDate);
    ui::ShowModal(form);
}
