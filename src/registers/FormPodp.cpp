#include "registers/FormPodp.h"

#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>

FormPodp::FormPodp(QWidget *parent)
    : DictionaryListWindow({"FormPodp",
                            "DataPodp",
                            "TxtNr",
                            QStringLiteral("Numer:"),
                            "TxtMet",
                            QStringLiteral("Treść:"),
                            150,
                            true,
                            QStringLiteral("Nowa podpowiedź"),
                            QStringLiteral("Podpowiedź"),
                            {QStringLiteral("IDPODP"), QStringLiteral("PODPOWIEDZ"),
                             QStringLiteral("TxtNr"), QStringLiteral("Wpisz kolejny nr uwagi!")}},
                           parent),
      LabelCaption(Heading), DataPodp(Data), TxtNr(NumberBox), TxtMet(MultiLineBox)
{
    LabelCaption->show();
}

void FormPodp::Open(const QString &caption, const QString &table)
{
    FormPodp &form = ui::WindowRegistry::Instance<FormPodp>();
    form.BindTable(table, QStringLiteral("IdPodp"));
    form.setWindowTitle(caption);
    form.LabelCaption->setText(QStringLiteral("PODPOWIEDZI DO UWAG"));
    ui::ShowModal(form);
}

QStringList FormPodp::ChangedTables() const
{
    return {DataPodp->Recordset().TableName()};
}
