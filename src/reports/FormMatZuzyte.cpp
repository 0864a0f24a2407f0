#include "reports/FormMatZuzyte.h"

#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

FormMatZuzyte::FormMatZuzyte(QWidget *parent)
    : PeriodWindow("FormMatZuzyte", QStringLiteral("Materiały zużyte"), parent)
{
}

void FormMatZuzyte::Open(const QString &workingDate)
{
    FormMatZuzyte &form = ui::WindowRegistry::Instance<FormMatZuzyte>();
    form.MebOd->setText(workingDate);
    form.MebDo->setText(workingDate);
    ui::ShowModal(form);
}
