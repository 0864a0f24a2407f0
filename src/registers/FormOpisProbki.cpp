#include "registers/FormOpisProbki.h"

#include "platform/ui/DBGrid.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

FormOpisProbki::FormOpisProbki(QWidget *parent)
    : DictionaryListWindow({"FormOpisProbki",
                            "DataPodp",
                            "TxtNr",
                            QStringLiteral("Numer:"),
                            "TxtMet",
                            QStringLiteral("Treść:"),
                            30,
                            false,
                            QStringLiteral("Nowa podpowiedź"),
                            QStringLiteral("Podpowiedz"),
                            {QStringLiteral("IDPODP"), QStringLiteral("PODPOWIEDZ"),
                             QStringLiteral("TxtNr"), DictionaryStore::EmptyNumberText}},
                           parent),
      DataPodp(Data), TxtNr(NumberBox), TxtMet(LineBox)
{
    setWindowTitle(QStringLiteral("OPIS"));
    DBGridPodp->setCaption(QStringLiteral("OPIS I STAN PRÓBKI W CHWILI PRZYJĘCIA"));
}

void FormOpisProbki::Open()
{
    FormOpisProbki &form = ui::WindowRegistry::Instance<FormOpisProbki>();
    form.BindTable(QStringLiteral("OpisProbki"), QStringLiteral("IdPodp"));
    ui::ShowModal(form);
}
