#pragma once

#include "digestion/FormNastawienie.h"
#include "platform/ui/ScriptedUi.h"

#include <QStringList>

#include <functional>

namespace ui
{
class DataControl;
}

// Opens the run window of the batch as the batch register does, runs the
// story in it while it is shown, and returns when it is closed.
void InRunWindow(ui::ScriptedUi &scripted, int batch,
                 const std::function<void(FormNastawienie &)> &story);

// The values of one field over a list's rows, as the grid shows them.
QStringList Listed(ui::DataControl *list, const char *field);

// Makes the run (or tray) of that number current, as a click on its row does.
void SelectRun(FormNastawienie &window, int run);
void SelectTray(FormNastawienie &window, int tray);

// The number of the current run or tray.
int CurrentRun(FormNastawienie &window);
int CurrentTray(FormNastawienie &window);

// True when the lists and the browse buttons can be used.
bool ListsEnabled(FormNastawienie &window);
