#include "registers/DictionaryListWindow.h"

#include "foundation/Globals.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/NamedControls.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget *parent)
    : QPlainTextEdit(parent), maxLength_(maxLength)
{
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedTextEdit::Limit);
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::Limit()
{
    const QString text = toPlainText();
    if (text.size() <= maxLength_)
        return;
    const int position = qMin(textCursor().position(), maxLength_);
    QSignalBlocker block(this);
    setPlainText(text.left(maxLength_));
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
}

DictionaryListWindow::DictionaryListWindow(const Shape &shape, QWidget *parent)
    : RegisterWindowBase(parent), shape_(shape)
{
    setObjectName(QLatin1String(shape.name));
    Data = ui::Named(new ui::DataControl(this), shape.dataControl);
    DBGridPodp = ui::Named(new ui::DBGrid(this), "DBGridPodp");
    DBGridPodp->Bind(Data, {{QStringLiteral("Nr"), shape.kind.numberField},
                            {shape.textColumn, shape.kind.textField}});
    ComDodaj = MakeButton("ComDodaj", QStringLiteral("&Dodaj"));
    ComPopraw = MakeButton("ComPopraw", QStringLiteral("&Popraw"));
    ComUsun = MakeButton("ComUsun", QStringLiteral("&Usuń"));
    ComZamk = MakeButton("ComZamk", QStringLiteral("&Zamknij"), QStringLiteral("Zamknij okno"));

    FrmEdycja = ui::Named(new QGroupBox(this), "FrmEdycja");
    NumberBox = ui::Named(new QLineEdit(FrmEdycja), shape.numberBox);
    LineBox = nullptr;
    MultiLineBox = nullptr;
    if (shape.multiLine) {
        MultiLineBox = ui::Named(new LimitedTextEdit(shape.maxLength, FrmEdycja), shape.textBox);
        MultiLineBox->setFixedHeight(MultiLineBox->fontMetrics().lineSpacing() * 5);
    } else {
        LineBox = ui::Named(new QLineEdit(FrmEdycja), shape.textBox);
        LineBox->setMaxLength(shape.maxLength);
    }
    ComZapisz = MakeFrameButton(FrmEdycja, "ComZapisz", QStringLiteral("&Zapisz"),
                                QStringLiteral("Zapisz zmiany"));
    ComAnuluj = MakeFrameButton(FrmEdycja, "ComAnuluj", QStringLiteral("&Anuluj"),
                                QStringLiteral("Anuluj zmiany"));
    auto *form = new QFormLayout(FrmEdycja);
    form->addRow(shape.numberLabel, NumberBox);
    form->addRow(shape.textLabel, TextBox());
    AddFrameButtons(form, ComZapisz, ComAnuluj);
    FrmEdycja->setMinimumWidth(420);
    setTabOrder(NumberBox, TextBox());
    setTabOrder(TextBox(), ComZapisz);
    setTabOrder(ComZapisz, ComAnuluj);

    AttachList(Data, DBGridPodp, FrmEdycja);
    Heading = ui::Named(new QLabel(this), "LabelCaption");
    Heading->setAlignment(Qt::AlignCenter);
    Heading->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Data, 1);
    for (QPushButton *button : {ComDodaj, ComPopraw, ComUsun, ComZamk})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Heading);
    layout->addWidget(MakeListArea(), 1);
    layout->addLayout(buttons);
    SetBrowseControls({ComDodaj, ComPopraw, ComUsun, ComZamk, Data, DBGridPodp});
    SetCloseButton(ComZamk);
    resize(560, 420);

    connect(ComDodaj, &QPushButton::clicked, this, &DictionaryListWindow::ComDodaj_Click);
    connect(ComPopraw, &QPushButton::clicked, this, &DictionaryListWindow::ComPopraw_Click);
    connect(ComUsun, &QPushButton::clicked, this, &DictionaryListWindow::ComUsun_Click);
    connect(ComZapisz, &QPushButton::clicked, this, &DictionaryListWindow::ComZapisz_Click);
    connect(ComAnuluj, &QPushButton::clicked, this, &DictionaryListWindow::ComAnuluj_Click);
    connect(ComZamk, &QPushButton::clicked, this, &DictionaryListWindow::ComZamk_Click);
    connect(DBGridPodp, &ui::DBGrid::RowColChange, this,
            &DictionaryListWindow::DBGridPodp_RowColChange);
}

QWidget *DictionaryListWindow::TextBox() const
{
    return MultiLineBox ? static_cast<QWidget *>(MultiLineBox) : LineBox;
}

QString DictionaryListWindow::Text() const
{
    return MultiLineBox ? MultiLineBox->toPlainText() : LineBox->text();
}

void DictionaryListWindow::SetText(const QString &text)
{
    if (MultiLineBox)
        MultiLineBox->setPlainText(text);
    else
        LineBox->setText(text);
}

void DictionaryListWindow::BindTable(const QString &table, const QString &orderField)
{
    ShowRows(StaleDb, DictionaryStore::ListStatement(table, orderField));
}

void DictionaryListWindow::DBGridPodp_RowColChange()
{
    Trapped([this] { SelectCurrentGridRow(DBGridPodp); });
}

void DictionaryListWindow::ComDodaj_Click()
{
    StartAdding();
    NumberBox->setText(QString::number(Data->RowCount() + 1));
    SetText(QString());
    OpenEditFrame(shape_.addCaption, TextBox());
}

void DictionaryListWindow::ComPopraw_Click()
{
    if (ListIsEmpty())
        return;
    Klawisze(false);
    const bool loaded = Trapped([this] {
        const dao::Recordset rs = ListRecordset();
        StartCorrecting();
        NumberBox->setText(FieldText(rs, shape_.kind.numberField));
        SetText(FieldText(rs, shape_.kind.textField));
    });
    if (!loaded) {
        CloseEditFrame();
        return;
    }
    OpenEditFrame(QStringLiteral("Edycja"), NumberBox);
}

void DictionaryListWindow::ComUsun_Click()
{
    if (ListIsEmpty())
        return;
    Trapped([this] { DeleteListedRow(); });
}

void DictionaryListWindow::ComZapisz_Click()
{
    const QString number = NumberBox->text();
    const QString text = Text();
    const SaveOutcome result =
        SaveRow([&](dao::Recordset list, const std::optional<LoadedRow> &loaded) {
            return ListEntryRules::Save(StaleDb, list, shape_.kind, loaded, number, text);
        });
    if (result == SaveOutcome::Saved)
        CloseEditFrame();
}

void DictionaryListWindow::ComAnuluj_Click()
{
    CloseEditFrame();
}

void DictionaryListWindow::ComZamk_Click()
{
    HideAndAnnounce(ChangedTables());
}
