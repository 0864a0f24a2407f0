#pragma once

#include "registers/InspectorateWindow.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QRadioButton>

// The register of the regional veterinary inspectorates.
class FormWIW : public InspectorateWindow
{
    Q_OBJECT

public:
    explicit FormWIW(QWidget *parent = nullptr) : InspectorateWindow("FormWIW", parent) {}

    // Binds the list in code order and shows the window modally. Errors go to
    // the caller.
    static void Open()
    {
        dao::Recordset rows =
            StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM WIW ORDER BY Idwiw"));
        FormWIW &form = ui::WindowRegistry::Instance<FormWIW>();
        form.OptionK->setChecked(true);
        form.DataZlew->setRecordset(rows);
        ui::ShowModal(form);
    }
};
