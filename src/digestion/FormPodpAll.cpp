#include "digestion/FormPodpAll.h"

#include "foundation/Globals.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

FormPodpAll::FormPodpAll(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPodpAll"));
    setWindowTitle(QStringLiteral("Definicje"));
    auto *layout = new QVBoxLayout(this);
    LabelOpis = new QLabel(this);
    LabelOpis->setObjectName(QStringLiteral("LabelOpis"));
    layout->addWidget(LabelOpis);
    LabelTyp = new QLabel(this);
    LabelTyp->setObjectName(QStringLiteral("LabelTyp"));
    LabelTyp->setVisible(false);
    DataPodp = new ui::DataControl(this);
    DataPodp->setObjectName(QStringLiteral("DataPodp"));
    layout->addWidget(DataPodp);
    TextWartosc = new QLineEdit(this);
    TextWartosc->setObjectName(QStringLiteral("TextWartosc"));
    layout->addWidget(TextWartosc);
}

void FormPodpAll::Open(const QString &table, const QString &heading, int maxLength)
{
    dao::Recordset values = StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table +
                                                  QStringLiteral(" ORDER BY ID"));
    FormPodpAll &form = ui::WindowRegistry::Instance<FormPodpAll>();
    form.LabelOpis->setText(heading);
    form.LabelTyp->setText(QStringLiteral("string"));
    form.TextWartosc->setMaxLength(maxLength);
    form.DataPodp->setRecordset(values);
    ui::ShowModal(form);
}
