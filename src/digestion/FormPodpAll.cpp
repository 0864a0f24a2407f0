#include "digestion/FormPodpAll.h"

#include "digestion/EquipmentListStore.h"
#include "digestion/RunValidator.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

// The list's own name for a table the opener may write in capitals ("WAGA").
QString listName(const QString &table)
{
    static const QStringList lists = DictionaryEvents::Equipment();
    for (const QString &name : lists) {
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return name;
    }
    return table;
}

} // namespace

FormPodpAll::FormPodpAll(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPodpAll"));
    setWindowTitle(QStringLiteral("Definicje"));
    resize(560, 460);
    LabelOpis = ui::Named(new QLabel(this), "LabelOpis");
    QFont bold = LabelOpis->font();
    bold.setBold(true);
    LabelOpis->setFont(bold);
    LabelTyp = ui::Named(new QLabel(this), "LabelTyp");
    LabelTyp->setVisible(false);
    DataPodp = ui::Named(new ui::DataControl(this), "DataPodp");
    DBGridPodp = ui::Named(new ui::DBGrid(this), "DBGridPodp");
    DBGridPodp->Bind(DataPodp, {{QStringLiteral("Nr"), QStringLiteral("ID"), 60},
                                {QStringLiteral("Wartość"), QStringLiteral("Wartosc"), 380}});
    ComDodaj = ui::CommandButton(this, "ComDodaj", QStringLiteral("&Dodaj"));
    ComPopraw = ui::CommandButton(this, "ComPopraw", QStringLiteral("&Popraw"));
    ComUsun = ui::CommandButton(this, "ComUsun", QStringLiteral("&Usuń"));
    ComZamk = ui::CommandButton(this, "ComZamk", QStringLiteral("&Zamknij"));
    ComZamk->setToolTip(QStringLiteral("Zamknij okno"));

    FrmEdycja = ui::Named(new QGroupBox(this), "FrmEdycja");
    TxtNr = ui::TextBox(FrmEdycja, "TxtNr", 5);
    TextWartosc = ui::TextBox(FrmEdycja, "TextWartosc", 30);
    ComZapisz = ui::CommandButton(FrmEdycja, "ComZapisz", QStringLiteral("&Zapisz"));
    ComZapisz->setToolTip(QStringLiteral("Zapisz zmiany"));
    ComAnuluj = ui::CommandButton(FrmEdycja, "ComAnuluj", QStringLiteral("&Anuluj"));
    ComAnuluj->setToolTip(QStringLiteral("Anuluj zmiany"));
    auto *frame = new QGridLayout(FrmEdycja);
    frame->addWidget(new QLabel(QStringLiteral("Numer:"), FrmEdycja), 0, 0);
    frame->addWidget(TxtNr, 0, 1);
    frame->addWidget(new QLabel(QStringLiteral("Wartość:"), FrmEdycja), 1, 0);
    frame->addWidget(TextWartosc, 1, 1, 1, 3);
    frame->addWidget(ComZapisz, 2, 2);
    frame->addWidget(ComAnuluj, 2, 3);
    frame->setColumnStretch(1, 1);
    FrmEdycja->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelOpis);
    layout->addWidget(DBGridPodp, 1);
    layout->addWidget(FrmEdycja);
    auto *buttons = ui::ButtonRow({ComDodaj, ComPopraw, ComUsun, ComZamk});
    buttons->insertWidget(0, DataPodp);
    layout->addLayout(buttons);

    connect(ComDodaj, &QPushButton::clicked, this, &FormPodpAll::ComDodaj_Click);
    connect(ComPopraw, &QPushButton::clicked, this, &FormPodpAll::ComPopraw_Click);
    connect(ComUsun, &QPushButton::clicked, this, &FormPodpAll::ComUsun_Click);
    connect(ComZamk, &QPushButton::clicked, this, &FormPodpAll::ComZamk_Click);
    connect(ComZapisz, &QPushButton::clicked, this, &FormPodpAll::ComZapisz_Click);
    connect(ComAnuluj, &QPushButton::clicked, this, &FormPodpAll::ComAnuluj_Click);
    connect(DBGridPodp, &ui::DBGrid::RowColChange, this, &FormPodpAll::DBGridPodp_RowColChange);
    TextWartosc->installEventFilter(this);
}

void FormPodpAll::Open(const QString &table, const QString &heading, int maxLength)
{
    FormPodpAll &window = ui::WindowRegistry::Instance<FormPodpAll>();
    dao::Recordset list = EquipmentListStore::Open(StaleDb, table);
    window.LabelOpis->setText(heading);
    window.LabelTyp->setText(QStringLiteral("string"));
    window.TextWartosc->setMaxLength(maxLength);
    window.DataPodp->Replace(list);
    ui::ShowModal(window);
}

dao::Recordset FormPodpAll::List() const
{
    return DataPodp->Recordset();
}

bool FormPodpAll::HasRow() const
{
    const dao::Recordset list = List();
    return list.IsOpen() && list.RecordCount() > 0 && list.AbsolutePosition() >= 0;
}

void FormPodpAll::EnableList(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{ComDodaj, ComPopraw, ComUsun, ComZamk,
                                                             DBGridPodp, DataPodp})
        control->setEnabled(enabled);
}

void FormPodpAll::ShowFrame(const QString &caption)
{
    FrmEdycja->setTitle(caption);
    FrmEdycja->setVisible(true);
    EnableList(false);
}

void FormPodpAll::ComDodaj_Click()
{
    try {
        const int proposed = EquipmentListStore::ProposedNumber(List());
        edit_.StartAdding();
        TxtNr->setText(QString::number(proposed));
        TextWartosc->clear();
        ShowFrame(QStringLiteral("Nowa pozycja"));
        TextWartosc->setFocus();
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
    }
}

void FormPodpAll::ComPopraw_Click()
{
    if (!HasRow())
        return;
    try {
        const dao::Recordset list = List();
        TxtNr->setText(FieldText(list, QStringLiteral("ID")));
        TextWartosc->setText(FieldText(list, QStringLiteral("Wartosc")));
        edit_.StartCorrecting(RememberRow(list));
        ShowFrame(QStringLiteral("Edycja"));
        TxtNr->setFocus();
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
    }
}

void FormPodpAll::ComUsun_Click()
{
    if (!HasRow())
        return;
    if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("PYTANIE")) != ui::vbYes)
        return;
    try {
        dao::Recordset list = List();
        EquipmentListStore::Delete(list, list.Bookmark());
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
        // A row gone meanwhile leaves the list as one's own delete does.
        try {
            if (!LockedElsewhere(error))
                DataPodp->Refresh();
        } catch (const RuntimeError &) {
            // The failure reported already says that the list is not right.
        }
    }
}

void FormPodpAll::ComZapisz_Click()
{
    if (const std::optional<Refusal> refusal = RunValidator::CheckListNumber(TxtNr->text())) {
        ShowRefusal(*this, *refusal);
        return;
    }
    try {
        dao::Recordset list = List();
        const dao::Bookmark written =
            EquipmentListStore::Save(list, edit_.Target(), TxtNr->text(), TextWartosc->text());
        FrmEdycja->setVisible(false);
        edit_.Close();
        list.setBookmark(written);
        EnableList(true);
    } catch (const RuntimeError &error) {
        // Nothing was written; the frame stays open with what was typed.
        ShowError(ErrorCaption, error);
        // An entry changed or gone meanwhile shows in the list as it is now.
        try {
            if (edit_.IsOpen() && !edit_.IsAdding() && !LockedElsewhere(error))
                DataPodp->Refresh();
        } catch (const RuntimeError &) {
            // The failure reported already says that the list is not right.
        }
    }
}

void FormPodpAll::ComAnuluj_Click()
{
    FrmEdycja->setVisible(false);
    edit_.Close();
    EnableList(true);
}

void FormPodpAll::ComZamk_Click()
{
    // The list shown names the table, however the window was opened.
    const dao::Recordset list = List();
    DictionaryEvents::Instance().Announce(listName(list.IsOpen() ? list.TableName() : QString()));
    hide();
}

void FormPodpAll::DBGridPodp_RowColChange()
{
    SelectCurrentGridRow(DBGridPodp);
}

void FormPodpAll::reject()
{
    if (!FrmEdycja->isHidden())
        return;
    ComZamk_Click();
}

void FormPodpAll::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FormPodpAll::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TextWartosc && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            TextWartosc->end(false);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
