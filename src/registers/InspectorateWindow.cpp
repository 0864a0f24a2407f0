#include "registers/InspectorateWindow.h"

#include "foundation/Globals.h"
#include "foundation/UiProcedures.h"
#include "platform/RuntimeError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/TypingLimit.h"
#include "registers/DictionaryStore.h"

#include <QFont>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <iterator>

InspectorateWindow::InspectorateWindow(const InspectorateKind &kind, QWidget *parent)
    : RegisterWindowBase(parent), kind_(kind)
{
    setWindowTitle(QStringLiteral("PIW"));
    Label9 = ui::Named(new QLabel(QStringLiteral("OPERACJE NA ") + kind.table, this), "Label9");
    Label9->setAlignment(Qt::AlignCenter);
    QFont font = Label9->font();
    font.setBold(true);
    Label9->setFont(font);
    DataZlew = ui::Named(new ui::DataControl(this), "DataZlew");
    DBGridZlew = ui::Named(new ui::DBGrid(this), "DBGridZlew");
    QList<ui::RecordsetModel::Column> columns{
        {QStringLiteral("Nr ") + kind.table, kind.key},
        {QStringLiteral("Nazwa"), QStringLiteral("NAZWA")},
        {QStringLiteral("Kod"), QStringLiteral("KodPocztowy")}};
    for (const char *field : {"Miasto", "Ulica", "Telefon", "Email"})
        columns.append({QLatin1String(field), QLatin1String(field)});
    if (kind.signedMail)
        columns.append(
            {QStringLiteral("Email (podpis elektroniczny)"), QStringLiteral("EmailSzyfr")});
    else
        columns.append({QStringLiteral("Uwagi"), QStringLiteral("Uwagi")});
    DBGridZlew->Bind(DataZlew, columns);
    OptionK = ui::Named(new QRadioButton(QStringLiteral("Wg kodów"), this), "OptionK");
    OptionN = ui::Named(new QRadioButton(QStringLiteral("Wg nazwy"), this), "OptionN");
    OptionK->setChecked(true);
    TextSzuk = MakeTextBox(this, "TextSzuk");
    ComSzukAkc = MakeButton("ComSzukAkc", QStringLiteral("OK"));
    TextSzuk->hide();
    ComSzukAkc->hide();
    ComZlewSzuk = MakeButton("ComZlewSzuk", QStringLiteral("&Szukaj"));
    ComZlewKas = MakeButton("ComZlewKas", QStringLiteral("&Usuń"));
    ComZlewKor = MakeButton("ComZlewKor", QStringLiteral("&Popraw"));
    ComZlewDod = MakeButton("ComZlewDod", QStringLiteral("&Dodaj"));
    ComZlewZamk = MakeButton("ComZlewZamk", QStringLiteral("&Zamknij"));

    FramZlewnia = ui::Named(new QGroupBox(this), "FramZlewnia");
    MEBKod = MakeTextBox(FramZlewnia, "MEBKod", 8);
    TextNazwa = MakeTextBox(FramZlewnia, "TextNazwa");
    MEBKodPoczt = ui::Named(new ui::MaskEdBox(FramZlewnia), "MEBKodPoczt");
    MEBKodPoczt->setMask(PostalCodeMask);
    TextMiejsc = MakeTextBox(FramZlewnia, "TextMiejsc");
    TextAdres = MakeTextBox(FramZlewnia, "TextAdres");
    TextTelefon = MakeTextBox(FramZlewnia, "TextTelefon");
    TextMail = MakeTextBox(FramZlewnia, "TextMail", 200);
    TextMailSzyfr = kind.signedMail ? MakeTextBox(FramZlewnia, "TextMailSzyfr", 100) : nullptr;
    // Typing stops at the column's width; a longer stored text is shown whole
    // and refused by the save with the field named, never cut without a word.
    ui::LimitTyping(TextNazwa, DictionaryStore::ColumnWidth(kind.table, QStringLiteral("NAZWA")));
    ui::LimitTyping(TextTelefon,
                    DictionaryStore::ColumnWidth(kind.table, QStringLiteral("Telefon")));
    TextUwagi = ui::Named(new QPlainTextEdit(FramZlewnia), "TextUwagi");
    TextUwagi->setTabChangesFocus(true);
    TextUwagi->setFixedHeight(TextUwagi->fontMetrics().lineSpacing() * 4);
    ComZlewZap = MakeFrameButton(FramZlewnia, "ComZlewZap", QStringLiteral("Z&apisz"));
    ComZlewRez = MakeFrameButton(FramZlewnia, "ComZlewRez", QStringLiteral("&Anuluj"));
    auto *form = new QFormLayout(FramZlewnia);
    form->addRow(QStringLiteral("Kod"), MEBKod);
    form->addRow(QStringLiteral("Nazwa"), TextNazwa);
    form->addRow(QStringLiteral("Poczta"), MEBKodPoczt);
    form->addRow(QStringLiteral("Miejscowość"), TextMiejsc);
    form->addRow(QStringLiteral("Adres"), TextAdres);
    AddContactRow(form, TextTelefon, TextMail);
    if (TextMailSzyfr)
        form->addRow(QStringLiteral("E-mail (podpis)"), TextMailSzyfr);
    form->addRow(QStringLiteral("Uwagi"), TextUwagi);
    AddFrameButtons(form, ComZlewZap, ComZlewRez);
    FramZlewnia->setMinimumWidth(520);
    // The regional register's code box comes last, after the frame's buttons.
    QList<QWidget *> order{TextNazwa, MEBKodPoczt, TextMiejsc, TextAdres, TextTelefon, TextMail};
    if (TextMailSzyfr)
        order.append(TextMailSzyfr);
    order.append({TextUwagi, ComZlewZap, ComZlewRez});
    if (kind.signedMail)
        order.prepend(MEBKod);
    else
        order.append(MEBKod);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    AttachList(DataZlew, DBGridZlew, FramZlewnia);
    Label9->adjustSize();
    Label9->move(0, ToPixels(120));
    for (QPushButton *button : {ComZlewSzuk, ComZlewKas, ComZlewKor, ComZlewDod, ComZlewZamk})
        button->resize(ToPixels(1215), ToPixels(375));
    DataZlew->resize(ToPixels(3600), ToPixels(375));
    TextSzuk->resize(ToPixels(3000), ToPixels(375));
    ComSzukAkc->resize(ToPixels(600), ToPixels(375));
    for (QRadioButton *option : {OptionK, OptionN})
        option->adjustSize();
    OptionK->move(ToPixels(4440), 0);
    OptionN->move(ToPixels(4440) + OptionK->width() + ToPixels(240), 0);
    DBGridZlew->move(ToPixels(240), ToPixels(600));
    FramZlewnia->adjustSize();
    FramZlewnia->move(0, ToPixels(900));
    FramZlewnia->setAutoFillBackground(true);
    FramZlewnia->hide();
    FramZlewnia->raise();
    SetCloseButton(ComZlewZamk);
    resize(980, 560);

    connect(OptionK, &QRadioButton::clicked, this, &InspectorateWindow::OptionK_Click);
    connect(OptionN, &QRadioButton::clicked, this, &InspectorateWindow::OptionN_Click);
    connect(TextSzuk, &QLineEdit::textChanged, this, &InspectorateWindow::TextSzuk_Change);
    connect(TextSzuk, &QLineEdit::returnPressed, this, &InspectorateWindow::ComSzukAkc_Click);
    connect(ComSzukAkc, &QPushButton::clicked, this, &InspectorateWindow::ComSzukAkc_Click);
    connect(ComZlewSzuk, &QPushButton::clicked, this, &InspectorateWindow::ComZlewSzuk_Click);
    connect(ComZlewKas, &QPushButton::clicked, this, &InspectorateWindow::ComZlewKas_Click);
    connect(ComZlewKor, &QPushButton::clicked, this, &InspectorateWindow::ComZlewKor_Click);
    connect(ComZlewDod, &QPushButton::clicked, this, &InspectorateWindow::ComZlewDod_Click);
    connect(ComZlewZap, &QPushButton::clicked, this, &InspectorateWindow::ComZlewZap_Click);
    connect(ComZlewRez, &QPushButton::clicked, this, &InspectorateWindow::ComZlewRez_Click);
    connect(ComZlewZamk, &QPushButton::clicked, this, &InspectorateWindow::ComZlewZamk_Click);
    connect(DBGridZlew, &ui::DBGrid::RowColChange, this,
            &InspectorateWindow::DBGridZlew_RowColChange);
}

void InspectorateWindow::resizeEvent(QResizeEvent *event)
{
    RegisterWindowBase::resizeEvent(event);
    Form_Resize();
}

void InspectorateWindow::Form_Resize()
{
    const QSizeF outer = OuterTwips();
    CentreHorizontally(Label9, outer.width());
    // The frame takes the room its rows need in the font and style it is
    // shown in (polished first), including rows that wrap to a second line.
    FramZlewnia->ensurePolished();
    QSize frame = FramZlewnia->sizeHint()
                      .expandedTo(FramZlewnia->minimumSizeHint())
                      .expandedTo(FramZlewnia->minimumSize());
    if (FramZlewnia->hasHeightForWidth())
        frame.setHeight(std::max(frame.height(), FramZlewnia->heightForWidth(frame.width())));
    FramZlewnia->resize(frame);
    CentreHorizontally(FramZlewnia, outer.width());
    const int gap =
        PlaceButtonRow(ComZlewZamk, {ComZlewDod, ComZlewKor, ComZlewKas, ComZlewSzuk}, outer);
    const QRectF close = Twips(ComZlewZamk);
    const QRectF list = Twips(DBGridZlew);
    const double barTop = close.y() - close.height() - gap;
    const QRectF bar = Twips(DataZlew);
    PlaceTwips(DataZlew, list.x(), barTop, bar.width(), bar.height());
    const QRectF search = Twips(TextSzuk);
    PlaceTwips(TextSzuk, list.x(), barTop, search.width(), search.height());
    const QRectF ok = Twips(ComSzukAkc);
    PlaceTwips(ComSzukAkc, list.x() + search.width(), barTop, ok.width(), ok.height());
    for (QRadioButton *option : {OptionK, OptionN}) {
        const QRectF own = Twips(option);
        PlaceTwips(option, own.x(), barTop, own.width(), own.height());
    }
    PlaceTwips(DBGridZlew, list.x(), list.y(), outer.width() - 600, barTop - 2.5 * close.height());
    FramZlewnia->raise();
}

void InspectorateWindow::Klawisze(bool flag)
{
    for (QWidget *control : std::initializer_list<QWidget *>{
             ComZlewZamk, ComZlewKor, ComZlewKas, ComZlewDod, ComZlewSzuk, DataZlew, DBGridZlew})
        control->setEnabled(flag);
    // The chosen order stays enabled: the order cannot switch while a row is
    // edited or searched.
    OptionK->setEnabled(flag || OptionK->isChecked());
    OptionN->setEnabled(flag || OptionN->isChecked());
}

void InspectorateWindow::Bind(const QString &sql)
{
    ShowRows(StaleDb, sql);
}

void InspectorateWindow::OpenOn(const QString &sql)
{
    OptionK->setChecked(true);
    Bind(sql);
    ui::ShowModal(*this);
}

void InspectorateWindow::OptionK_Click()
{
    Trapped([this] { Bind(InspectorateRules::ListStatement(kind_, false)); });
}

void InspectorateWindow::OptionN_Click()
{
    Trapped([this] { Bind(InspectorateRules::ListStatement(kind_, true)); });
}

void InspectorateWindow::DBGridZlew_RowColChange()
{
    Trapped([this] { SelectCurrentGridRow(DBGridZlew); });
}

// ------------------------------------------------------------- searching

void InspectorateWindow::ComZlewSzuk_Click()
{
    TextSzuk->clear();
    if (!OptionN->isChecked() && !ListIsEmpty())
        Trapped([this] { TextSzuk->setText(FieldText(ListRecordset(), kind_.key)); });
    TextSzuk->show();
    ComSzukAkc->show();
    TextSzuk->setFocus();
    Klawisze(false);
}

void InspectorateWindow::TextSzuk_Change()
{
    if (ListIsEmpty())
        return;
    // No match leaves the list where it stands.
    const QString field = OptionN->isChecked() ? QStringLiteral("NAZWA") : kind_.key;
    Trapped([&] {
        ListRecordset().FindFirst(DictionaryStore::PrefixCriterion(field, TextSzuk->text()));
    });
}

void InspectorateWindow::ComSzukAkc_Click()
{
    TextSzuk->hide();
    ComSzukAkc->hide();
    TextSzuk_Change();
    Klawisze(true);
    ComZlewZamk->setFocus();
}

// ------------------------------------------------------------- editing

void InspectorateWindow::ResetPostalCode()
{
    MEBKodPoczt->setMask(QString());
    MEBKodPoczt->setText(QString());
    MEBKodPoczt->setMask(PostalCodeMask);
}

void InspectorateWindow::ComZlewDod_Click()
{
    StartAdding();
    MEBKod->setEnabled(true);
    MEBKod->clear();
    for (QLineEdit *box : {TextNazwa, TextMiejsc, TextAdres, TextTelefon, TextMail})
        box->clear();
    if (TextMailSzyfr)
        TextMailSzyfr->clear();
    TextUwagi->clear();
    ResetPostalCode();
    OpenEditFrame(QStringLiteral("NOWY ") + kind_.table, MEBKod);
}

void InspectorateWindow::ComZlewKor_Click()
{
    if (ListIsEmpty()) {
        Beep();
        return;
    }
    Klawisze(false);
    const bool loaded = Trapped([this] {
        const dao::Recordset rs = ListRecordset();
        StartCorrecting();
        const auto text = [&rs](const QString &field) { return FieldText(rs, field); };
        MEBKod->setText(text(kind_.key));
        MEBKod->setEnabled(false);
        TextNazwa->setText(text(QStringLiteral("NAZWA")));
        TextMiejsc->setText(text(QStringLiteral("Miasto")));
        TextAdres->setText(text(QStringLiteral("Ulica")));
        TextTelefon->setText(text(QStringLiteral("Telefon")));
        TextMail->setText(text(QStringLiteral("Email")));
        TextUwagi->setPlainText(text(QStringLiteral("Uwagi")));
        if (TextMailSzyfr)
            TextMailSzyfr->setText(text(QStringLiteral("EmailSzyfr")));
        if (dao::IsNull(rs(QStringLiteral("KodPocztowy")).Value())) {
            ResetPostalCode();
        } else {
            // A stored postal code is shown without the mask and kept as typed.
            MEBKodPoczt->setMask(QString());
            MEBKodPoczt->setText(text(QStringLiteral("KodPocztowy")));
        }
    });
    if (!loaded) {
        MEBKod->setEnabled(true);
        CloseEditFrame();
        return;
    }
    OpenEditFrame(QStringLiteral("KOREKTA ") + kind_.table, TextNazwa);
}

void InspectorateWindow::ComZlewKas_Click()
{
    if (ListIsEmpty())
        return;
    if (ui::MsgBox(QStringLiteral("Czy na pewno usunąć ") + kind_.table + QStringLiteral("?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("USUWANIE!")) != ui::vbYes)
        return;
    Trapped([this] { DeleteListedRow(); });
}

void InspectorateWindow::ComZlewZap_Click()
{
    const InspectorateValues values{
        MEBKod->text(),          TextNazwa->text(),
        MaskedText(MEBKodPoczt), TextMiejsc->text(),
        TextAdres->text(),       TextTelefon->text(),
        TextMail->text(),        TextMailSzyfr ? TextMailSzyfr->text() : QString(),
        TextUwagi->toPlainText()};
    const SaveOutcome result = SaveRow(
        [&](dao::Recordset list, const std::optional<LoadedRow> &loaded) {
            return InspectorateRules::Save(StaleDb, list, kind_, loaded, values);
        },
        kind_.errorTitle);
    if (result == SaveOutcome::Saved)
        CloseEditFrame();
}

void InspectorateWindow::ComZlewRez_Click()
{
    CloseEditFrame();
}

void InspectorateWindow::ComZlewZamk_Click()
{
    HideAndAnnounce({kind_.table});
}
