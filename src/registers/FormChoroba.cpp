#include "registers/FormChoroba.h"

#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/RegisterRecords.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FormChoroba::FormChoroba(QWidget *parent) : RegisterWindowBase(parent)
{
    setObjectName(QStringLiteral("FormChoroba"));
    setWindowTitle(QStringLiteral("TEST-SERIA-METODA"));
    DataChoroba = ui::Named(new ui::DataControl(this), "DataChoroba");
    DataChoroba->hide();
    AttachList(DataChoroba, nullptr, nullptr);
    FrameChoroba = ui::Named(new QGroupBox(this), "FrameChoroba");
    TextMetoda = ui::Named(new QLineEdit(FrameChoroba), "TextMetoda");
    TextMetoda->setMaxLength(255);
    ComZapisz = MakeFrameButton(FrameChoroba, "ComZapisz", QStringLiteral("Z&apisz"));
    ComAnuluj = MakeFrameButton(FrameChoroba, "ComAnuluj", QStringLiteral("&Anuluj"));
    auto *frame = new QVBoxLayout(FrameChoroba);
    frame->addWidget(new QLabel(QStringLiteral("Metoda"), FrameChoroba));
    frame->addWidget(TextMetoda);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ComZapisz);
    buttons->addWidget(ComAnuluj);
    frame->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FrameChoroba);
    FrameChoroba->setVisible(false);
    resize(640, 160);
    connect(ComZapisz, &QPushButton::clicked, this, &FormChoroba::ComZapisz_Click);
    connect(ComAnuluj, &QPushButton::clicked, this, &FormChoroba::ComAnuluj_Click);
}

void FormChoroba::Open()
{
    dao::Recordset method = MethodRules::Open(StaleDb);
    method.MoveFirst();
    const LoadedRow loaded = MethodRules::Remember(method);
    FormChoroba &form = ui::WindowRegistry::Instance<FormChoroba>();
    InitOnActivate = true;
    form.DataChoroba->Replace(method);
    form.loaded_ = loaded;
    form.TextMetoda->setText(
        ValueText(NullToDefault(loaded.Value(QStringLiteral("Metoda")), QString())));
    form.FrameChoroba->setVisible(true);
    ui::ShowModal(form);
}

void FormChoroba::ComZapisz_Click()
{
    const bool saved = TrappedWrite(true, [this] {
        if (!loaded_)
            throw dao::Error::Make(dao::err::NoCurrentRecord);
        MethodRules::Save(StaleDb, *loaded_, TextMetoda->text());
    });
    if (!saved)
        return;
    FrameChoroba->setVisible(false);
    HideAndAnnounce({DictionaryEvents::TestMethod});
}

void FormChoroba::ComAnuluj_Click()
{
    hide();
}
