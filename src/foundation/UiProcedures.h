#pragma once

#include <QString>

namespace ui
{
class DBGrid;
}

// Marks the grid's current row as its only selected row (run on every row
// change and double-click of a grid). Errors go to the caller.
void SelectCurrentGridRow(ui::DBGrid *grid);
