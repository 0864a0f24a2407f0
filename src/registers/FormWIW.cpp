#include "registers/FormWIW.h"

#include "platform/ui/WindowRegistry.h"

FormWIW::FormWIW(QWidget *parent) : InspectorateWindow(InspectorateKind::Regional(), parent)
{
    setObjectName(QStringLiteral("FormWIW"));
}

void FormWIW::Open()
{
    ui::WindowRegistry::Instance<FormWIW>().OpenOn(
        QStringLiteral("SELECT * FROM WIW ORDER BY Idwiw"));
}
