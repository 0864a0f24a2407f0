#include "registers/FormAutoryzowal.h"

#include "platform/ui/DBGrid.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

FormAutoryzowal::FormAutoryzowal(QWidget *parent)
    : DictionaryListWindow({"FormAutoryzowal",
                            "DataDane",
                            "TextNr",
                            QStringLiteral("Numer"),
                            "TextNazwa",
                            QStringLiteral("Imię i nazwisko"),
                            30,
                            false,
                            QStringLiteral("Nowa pozycja"),
                            QStringLiteral("Imię i nazwisko"),
                            {QStringLiteral("Nr"), QStringLiteral("Nazwa"),
                             QStringLiteral("TextNr"), DictionaryStore::EmptyNumberText}},
                           parent),
      DataDane(Data), TextNr(NumberBox), TextNazwa(LineBox)
{
    setWindowTitle(QStringLiteral("Osoby"));
}

void FormAutoryzowal::Open(const QString &table, const QString &gridCaption)
{
    FormAutoryzowal &form = ui::WindowRegistry::Instance<FormAutoryzowal>();
    form.BindTable(table, QStringLiteral("Nr"));
    form.DBGridPodp->setCaption(gridCaption);
    ui::ShowModal(form);
}
