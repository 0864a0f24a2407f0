#include "registers/FormWIW.h"

#include "platform/ui/WindowRegistry.h"
#include "registers/RegisterRecords.h"

FormWIW::FormWIW(QWidget *parent) : InspectorateWindow(InspectorateKind::Regional(), parent)
{
    setObjectName(QStringLiteral("FormWIW"));
}

void FormWIW::Open()
{
    ui::WindowRegistry::Instance<FormWIW>().OpenOn(
        InspectorateRules::ListStatement(InspectorateKind::Regional(), false));
}
