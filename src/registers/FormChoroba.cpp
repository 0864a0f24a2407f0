#include "registers/FormChoroba.h"

#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

FormChoroba::FormChoroba(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormChoroba"));
    setWindowTitle(QStringLiteral("TEST-SERIA-METODA"));
    auto *layout = new QVBoxLayout(this);
    DataChoroba = new ui::DataControl(this);
    DataChoroba->setObjectName(QStringLiteral("DataChoroba"));
    layout->addWidget(DataChoroba);
    FrameChoroba = new QGroupBox(this);
    FrameChoroba->setObjectName(QStringLiteral("FrameChoroba"));
    TextMetoda = new QLineEdit(FrameChoroba);
    TextMetoda->setObjectName(QStringLiteral("TextMetoda"));
    TextMetoda->setMaxLength(255);
    (new QVBoxLayout(FrameChoroba))->addWidget(TextMetoda);
    layout->addWidget(FrameChoroba);
    FrameChoroba->setVisible(false);
}

void FormChoroba::Open()
{
    dao::Recordset method =
        StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM Kierunek Where Kod = 'MERVASK'"));
    method.MoveFirst();
    const QString text =
        NullToDefault(method(QStringLiteral("Metoda")).Value(), QString()).toString();
    FormChoroba &form = ui::WindowRegistry::Instance<FormChoroba>();
    InitOnActivate = true;
    form.DataChoroba->setRecordset(method);
    form.TextMetoda->setText(text);
    form.FrameChoroba->setVisible(true);
    ui::ShowModal(form);
}
