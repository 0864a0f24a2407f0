#pragma once

#include <QString>

namespace ui
{
class DBGrid;
}

// Marks the grid's current row as its only selected row (run on every row
// change and double-click of a grid). Errors go to the caller.
void SelectCurrentGridRow(ui::DBGrid *grid);

// Opens the client register FormZaklad modally as a picker: kind "W" for the
// establishment of origin, "Z" for the ordering party. The register writes
// the chosen client into the batch window itself.
void OpenEstablishmentPicker(const QString &kind);
