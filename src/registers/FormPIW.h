#pragma once

#include "registers/InspectorateWindow.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QRadioButton>

// The register of the county veterinary inspectorates.
class FormPIW : public InspectorateWindow
{
    Q_OBJECT

public:
    explicit FormPIW(QWidget *parent = nullptr) : InspectorateWindow("FormPIW", parent) {}

    // Binds the list in code order and shows the window modally. Errors go to
    // the caller.
    static void Open()
    {
        dao::Recordset rows =
            StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM PIW ORDER BY IdPiw"));
        FormPIW &form = ui::WindowRegistry::Instance<FormPIW>();
        form.OptionK->setChecked(true);
        form.DataZlew->setRecordset(rows);
        ui::ShowModal(form);
    }
};
