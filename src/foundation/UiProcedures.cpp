#include "foundation/UiProcedures.h"

#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormZaklad.h"

#include <QLabel>
#include <QPushButton>

void SelectCurrentGridRow(ui::DBGrid *grid)
{
    if (grid->Row() < 0)
        return;
    ui::SelBookmarks &marks = grid->SelBookmarks();
    if (marks.Count() > 0)
        marks.Remove(0);
    marks.Add(grid->Bookmark());
}

void OpenEstablishmentPicker(const QString &kind)
{
    InitOnActivate = true;
    FormZaklad &clients = ui::WindowRegistry::Instance<FormZaklad>();
    clients.ComUzyj->setVisible(true);
    // The register's hidden label tells its pick which fields to fill.
    if (auto *pickKind = clients.findChild<QLabel *>(QStringLiteral("LabelWPZ")))
        pickKind->setText(kind);
    FormRequest = QStringLiteral("Uzyj");
    ui::ShowModal(clients);
}
