#include "foundation/UiProcedures.h"

#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"

void SelectCurrentGridRow(ui::DBGrid *grid)
{
    if (grid->Row() < 0)
        return;
    ui::SelBookmarks &marks = grid->SelBookmarks();
    if (marks.Count() > 0)
        marks.Remove(0);
    marks.Add(grid->Bookmark());
}
