#include "mainwindow/StartupPickLists.h"

#include "batches/FormPartia.h"
#include "digestion/FormNastawienie.h"
#include "foundation/Messages.h"
#include "platform/RuntimeError.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

void FillStartupPickLists()
{
    try {
        ui::WindowRegistry::Instance<FormBadanie>().RefillPickLists();
        ui::WindowRegistry::Instance<FormPartia>().RefillPickLists();
        FormNastawienie &runs = ui::WindowRegistry::Instance<FormNastawienie>();
        runs.RefillPersonLists();
        runs.RefillEquipmentLists();
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Błąd wczytania parametrów instalacyjnych"), error);
    }
}
