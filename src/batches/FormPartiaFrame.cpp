// The batch edit frame of FormPartia: its controls, new batch, correction,
// cancel, the name lookups, the pickers and the keys of its fields.
#include "batches/BatchStore.h"
#include "batches/BatchValidator.h"
#include "batches/ClientLookup.h"
#include "batches/FormPartia.h"
#include "foundation/DatePickers.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/EnterAsTab.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/PickList.h"
#include "platform/ui/TypingLimit.h"
#include "platform/ui/WindowFit.h"
#include "registers/FormZaklad.h"
#include "samples/BoxText.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTime>

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

// The date boxes take any text of up to 10 characters, so that a date read
// from a file that is not in the box's form reaches the save's checks.
ui::MaskEdBox *dateBox(QWidget *parent, const char *name)
{
    auto *box = ui::Named(new ui::MaskEdBox(parent), name);
    box->setMaxLength(10);
    return box;
}

QPushButton *frameButton(QWidget *parent, const char *name, const QString &caption,
                         const QString &toolTip = QString())
{
    auto *button = ui::Named(new QPushButton(caption, parent), name);
    button->setToolTip(toolTip);
    return button;
}

QPushButton *pickerButton(QWidget *parent, const char *name)
{
    auto *button = frameButton(parent, name, QString(), QStringLiteral("Wstaw"));
    button->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    return button;
}

// A pick list whose text is free: typing stops at its column's length; an
// entry picked or completed from the first letters typed stays whole, also
// when it is longer, so that the save refuses it instead of storing it cut.
QComboBox *pickList(QWidget *parent, const char *name, int maxLength)
{
    QComboBox *combo = ui::PickList(parent, name);
    ui::LimitTyping(combo->lineEdit(), maxLength);
    return combo;
}

QLabel *caption(QWidget *parent, const char *text)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

QString now()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm"));
}

} // namespace

void FormPartia::buildFrame()
{
    FramePartia = ui::Named(new QGroupBox(this), "FramePartia");
    // The frame lies over the list, whose rows must not show through it.
    FramePartia->setAutoFillBackground(true);
    QGroupBox *f = FramePartia;
    TextNrPartii = ui::TextBox(f, "TextNrPartii", 5);
    TextZaklad = ui::TextBox(f, "TextZaklad", 14);
    ComWNI = pickerButton(f, "ComWNI");
    LabelNazZak = ui::Named(new QLabel(f), "LabelNazZak");
    LabTypWNI = ui::Named(new QLabel(f), "LabTypWNI");
    TextZleceniodawcaWNI = ui::TextBox(f, "TextZleceniodawcaWNI", 14);
    ComZleceniodawca = pickerButton(f, "ComZleceniodawca");
    LabelNazZleceniodawca = ui::Named(new QLabel(f), "LabelNazZleceniodawca");
    CheckZleceniodawcaPIW = ui::Named(new QCheckBox(QStringLiteral("zleceniodawcą jest PIW"), f),
                                      "CheckZleceniodawcaPIW");
    CheckZleceniodawcaPIW->setToolTip(
        QStringLiteral("Jeśli zaznaczone, w polu Zleceniodawca wpisz 4-cyfrowy kod powiatu"));
    FramePlatnik = ui::Named(new QGroupBox(QStringLiteral("Płatnik"), f), "FramePlatnik");
    OptionW = ui::Named(new QRadioButton(QStringLiteral("Właściciel"), FramePlatnik), "OptionW");
    OptionZ = ui::Named(new QRadioButton(QStringLiteral("Zleceniodawca"), FramePlatnik), "OptionZ");
    TextKodPIW = ui::TextBox(f, "TextKodPIW", 4);
    TextMiejscowoscPobr = ui::TextBox(f, "TextMiejscowoscPobr", 30);
    ComboLekarz = pickList(f, "ComboLekarz", 50);
    DTPDataUboju = dateBox(f, "DTPDataUboju");
    ComDataUboju = frameButton(f, "ComDataUboju", QStringLiteral("..."));
    TextDataPobr = dateBox(f, "TextDataPobr");
    ComDataPobr = frameButton(f, "ComDataPobr", QStringLiteral("..."),
                              QStringLiteral("Wybierz datę pobrania"));
    TextGodzPobr = ui::TextBox(f, "TextGodzPobr", 5);
    ComGodzPobr = frameButton(f, "ComGodzPobr", QStringLiteral("gg:mm"),
                              QStringLiteral("Kliknij w celu wybrania godziny i minuty"));
    TextNrTac = ui::TextBox(f, "TextNrTac", 20);
    TextNrTac->setToolTip(QStringLiteral("Wpisz zakres numerów tac np. 1-5"));
    TextIlProbek = ui::TextBox(f, "TextIlProbek", 7);
    DTPDataDoLab = dateBox(f, "DTPDataDoLab");
    ComDataDoLab = frameButton(f, "ComDataDoLab", QStringLiteral("..."));
    TextGodzDoLab = ui::TextBox(f, "TextGodzDoLab", 5);
    ComGodzDoLab = frameButton(f, "ComGodzDoLab", QStringLiteral("gg:mm"));
    DTPDataRozpBad = dateBox(f, "DTPDataRozpBad");
    ComDataRozpBad = frameButton(f, "ComDataRozpBad", QStringLiteral("..."));
    TextGodzRozpBad = ui::TextBox(f, "TextGodzRozpBad", 5);
    ComGodzRozpBad = frameButton(f, "ComGodzRozpBad", QStringLiteral("gg:mm"));
    DTPDataZakBad = dateBox(f, "DTPDataZakBad");
    ComDatZakBad = frameButton(f, "ComDatZakBad", QStringLiteral("..."));
    TextGodzZakBad = ui::TextBox(f, "TextGodzZakBad", 5);
    ComGodzZakBad = frameButton(f, "ComGodzZakBad", QStringLiteral("gg:mm"));
    TextMetoda = ui::TextBox(f, "TextMetoda", 255);
    ComPobierzMetoda = frameButton(f, "ComPobierzMetoda", QStringLiteral("Pobierz"));
    ComboPrzyjal = pickList(f, "ComboPrzyjal", 30);
    ComboAutoryzowal = pickList(f, "ComboAutoryzowal", 30);
    ComboPrzekazanieWyniku = pickList(f, "ComboPrzekazanieWyniku", 20);
    ComboPrzekazanieWyniku->addItems(
        {QStringLiteral("mail"), QStringLiteral("faks"), QStringLiteral("mail/faks")});
    TextDostarczyl = ui::TextBox(f, "TextDostarczyl", 30);
    TextUwagi = ui::Named(new QPlainTextEdit(f), "TextUwagi");
    TextUwagi->setTabChangesFocus(true);
    TextUwagi->setFixedHeight(TextUwagi->fontMetrics().lineSpacing() * 4);
    FrameTN = ui::Named(new QGroupBox(QStringLiteral("Czystopis"), f), "FrameTN");
    OptionNie = ui::Named(new QRadioButton(QStringLiteral("Nie"), FrameTN), "OptionNie");
    OptionTak = ui::Named(new QRadioButton(QStringLiteral("Tak"), FrameTN), "OptionTak");
    CheckNast =
        ui::Named(new QCheckBox(QStringLiteral("Automatyczna edycja próbek"), f), "CheckNast");
    CheckNast->setToolTip(QStringLiteral(
        "Jeśli zaznaczone, automatycznie przechodzi do okna edycji próbek danej partii!"));
    ComZapiszFr = frameButton(f, "ComZapiszFr", QStringLiteral("&Zapisz"));
    ComAnulujFr = frameButton(f, "ComAnulujFr", QStringLiteral("&Anuluj"));
    OptionZ->setChecked(true);
    OptionNie->setChecked(true);

    layoutFrame();
    connectFrame();
    setFrameTabOrder();
    // Sized with a caption, which it always has when shown.
    FramePartia->setTitle(QStringLiteral("POPRAWA"));
    FramePartia->ensurePolished();
    FramePartia->resize(FramePartia->sizeHint());
    FramePartia->setTitle(QString());
    FramePartia->setVisible(false);
    ui::FitFrameOnShow(FramePartia);
}

void FormPartia::layoutFrame()
{
    QGroupBox *f = FramePartia;
    auto *payer = new QHBoxLayout(FramePlatnik);
    payer->addWidget(OptionW);
    payer->addWidget(OptionZ);
    auto *fairCopy = new QHBoxLayout(FrameTN);
    fairCopy->addWidget(OptionNie);
    fairCopy->addWidget(OptionTak);

    // A client's name and address wrap onto a second line rather than being
    // cut at the width of the code box.
    for (QLabel *name : {LabelNazZak, LabelNazZleceniodawca}) {
        name->setWordWrap(true);
        name->setMinimumHeight(2 * name->fontMetrics().lineSpacing());
        name->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    auto *grid = new QGridLayout(f);
    const auto row = [grid, f](int r, int column, const char *text, QWidget *field,
                               QWidget *button = nullptr) {
        grid->addWidget(caption(f, text), r, column);
        grid->addWidget(field, r, column + 1);
        if (button)
            grid->addWidget(button, r, column + 2);
    };
    // Left: the batch and its clients.
    row(0, 0, "Nr partii", TextNrPartii);
    row(1, 0, "Właściciel", TextZaklad, ComWNI);
    grid->addWidget(LabTypWNI, 2, 0);
    grid->addWidget(LabelNazZak, 2, 1, 1, 2);
    row(3, 0, "Zleceniodawca", TextZleceniodawcaWNI, ComZleceniodawca);
    grid->addWidget(CheckZleceniodawcaPIW, 4, 0);
    grid->addWidget(LabelNazZleceniodawca, 4, 1, 1, 2);
    grid->addWidget(FramePlatnik, 5, 0, 1, 3);
    row(6, 0, "Kod powiatu", TextKodPIW);
    row(7, 0, "Miejscowość pobrania", TextMiejscowoscPobr);
    row(8, 0, "Pobrał", ComboLekarz);
    row(9, 0, "Dostarczył", TextDostarczyl);
    row(10, 0, "Uwagi", TextUwagi);
    // Right: the dates and times.
    row(0, 3, "Data uboju", DTPDataUboju, ComDataUboju);
    row(1, 3, "Data pobrania", TextDataPobr, ComDataPobr);
    row(2, 3, "Godz pobrania", TextGodzPobr, ComGodzPobr);
    row(3, 3, "Numery tac", TextNrTac);
    row(4, 3, "Ilość próbek", TextIlProbek);
    row(5, 3, "Data przyjęcia do laboratorium", DTPDataDoLab, ComDataDoLab);
    row(6, 3, "Godz przyjęcia do laboratorium", TextGodzDoLab, ComGodzDoLab);
    row(7, 3, "Data rozpoczęcia badania", DTPDataRozpBad, ComDataRozpBad);
    row(8, 3, "Godz rozpoczęcia badania", TextGodzRozpBad, ComGodzRozpBad);
    row(9, 3, "Data zakończenia badania", DTPDataZakBad, ComDatZakBad);
    row(10, 3, "Godz zakończenia badania", TextGodzZakBad, ComGodzZakBad);
    // Below: method, persons, result and the frame's own buttons.
    grid->addWidget(caption(f, "Metoda:"), 11, 0);
    grid->addWidget(TextMetoda, 11, 1, 1, 4);
    grid->addWidget(ComPobierzMetoda, 11, 5);
    row(12, 0, "Przyjął", ComboPrzyjal);
    row(12, 3, "Autoryzował ", ComboAutoryzowal);
    row(13, 0, "Sposób przekazania wyniku badania ", ComboPrzekazanieWyniku);
    grid->addWidget(FrameTN, 13, 3, 1, 3);
    grid->addWidget(CheckNast, 14, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ComZapiszFr);
    buttons->addWidget(ComAnulujFr);
    grid->addLayout(buttons, 14, 3, 1, 3);
    // Rows close together, so that the frame fits the window on a small or
    // scaled screen.
    grid->setVerticalSpacing(std::min(grid->verticalSpacing(), 2));
    const QMargins margins = grid->contentsMargins();
    grid->setContentsMargins(margins.left(), std::min(margins.top(), 4), margins.right(),
                             std::min(margins.bottom(), 4));
}

void FormPartia::connectFrame()
{
    connect(ComZapiszFr, &QPushButton::clicked, this, &FormPartia::ComZapiszFr_Click);
    connect(ComAnulujFr, &QPushButton::clicked, this, &FormPartia::ComAnulujFr_Click);
    connect(ComWNI, &QPushButton::clicked, this, &FormPartia::ComWNI_Click);
    connect(ComZleceniodawca, &QPushButton::clicked, this, &FormPartia::ComZleceniodawca_Click);
    connect(ComDataUboju, &QPushButton::clicked, this, &FormPartia::ComDataUboju_Click);
    connect(ComDataPobr, &QPushButton::clicked, this, &FormPartia::ComDataPobr_Click);
    connect(ComDataDoLab, &QPushButton::clicked, this, &FormPartia::ComDataDoLab_Click);
    connect(ComDataRozpBad, &QPushButton::clicked, this, &FormPartia::ComDataRozpBad_Click);
    connect(ComDatZakBad, &QPushButton::clicked, this, &FormPartia::ComDatZakBad_Click);
    connect(ComGodzPobr, &QPushButton::clicked, this, &FormPartia::ComGodzPobr_Click);
    connect(ComGodzDoLab, &QPushButton::clicked, this, &FormPartia::ComGodzDoLab_Click);
    connect(ComGodzRozpBad, &QPushButton::clicked, this, &FormPartia::ComGodzRozpBad_Click);
    connect(ComGodzZakBad, &QPushButton::clicked, this, &FormPartia::ComGodzZakBad_Click);
    connect(ComPobierzMetoda, &QPushButton::clicked, this, &FormPartia::ComPobierzMetoda_Click);
    connect(CheckZleceniodawcaPIW, &QCheckBox::toggled, this,
            &FormPartia::CheckZleceniodawcaPIW_Click);
    // A pick in these lists moves on to the next field; leaving one is no pick.
    for (QComboBox *combo : {ComboAutoryzowal, ComboLekarz, ComboPrzekazanieWyniku, ComboPrzyjal})
        ui::PickMovesOn(combo);
}

void FormPartia::setFrameTabOrder()
{
    const QList<QWidget *> order{
        TextNrPartii, TextZaklad, ComWNI, TextZleceniodawcaWNI, ComZleceniodawca, DTPDataUboju,
        ComDataUboju, TextDataPobr, ComDataPobr, TextGodzPobr, ComGodzPobr, TextNrTac, TextIlProbek,
        TextMiejscowoscPobr, TextKodPIW, ComboLekarz, TextDostarczyl, TextUwagi,
        ComboPrzekazanieWyniku, ComPobierzMetoda, TextMetoda, DTPDataDoLab, ComDataDoLab,
        TextGodzDoLab, ComGodzDoLab, DTPDataRozpBad, ComDataRozpBad, TextGodzRozpBad,
        ComGodzRozpBad, DTPDataZakBad, ComDatZakBad, TextGodzZakBad, ComGodzZakBad, ComboPrzyjal,
        ComboAutoryzowal, CheckNast, ComZapiszFr, ComAnulujFr,
        // The list's own controls, then the options and the county tick.
        DTPData, CheckWczyt, ComDodajPr, ComPopraw, ComUsun, ComNastawienie, ComWczytPart,
        ComDrukuj, ComSzukaj, ComEdytuj, ComZamk, DBGridPartia, OptionTak, OptionNie, OptionZ,
        OptionW, CheckZleceniodawcaPIW};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void FormPartia::watchKeys()
{
    new ui::EnterAsTab(this, {TextIlProbek, TextKodPIW, TextMetoda, TextMiejscowoscPobr, TextNrTac,
                              TextZaklad, TextZleceniodawcaWNI, ComboLekarz, ComboPrzyjal});
    // The batch number's Enter goes to the plant at once (see eventFilter);
    // the plant and the client are checked when they are left.
    for (QWidget *control :
         std::initializer_list<QWidget *>{TextNrPartii, TextZaklad, TextZleceniodawcaWNI})
        control->installEventFilter(this);
}

bool FormPartia::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == TextNrPartii && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            TextZaklad->setFocus(Qt::TabFocusReason);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving the field, not a box or another window taking the focus.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == TextZaklad)
                TextZaklad_LostFocus();
            else if (watched == TextZleceniodawcaWNI)
                TextZleceniodawcaWNI_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormPartia::ShowFrame(const QString &frameCaption)
{
    FramePartia->setTitle(frameCaption);
    FramePartia->setVisible(true);
    FramePartia->raise();
}

void FormPartia::ComDodajPr_Click()
{
    TrapErrors(
        QStringLiteral("Powiadom programiste!"), [&] { StartNewBatch(); },
        [&] { RestoreListState(); });
}

void FormPartia::StartNewBatch()
{
    const QScopedValueRollback<bool> hold(lookupsHeld_, true);
    TextNrPartii->setEnabled(true);
    TextZaklad->setEnabled(true);
    // An import pending from an earlier header belongs to no new batch.
    AutoImportMarker.clear();
    Klawisze(false);
    ShowFrame(QStringLiteral("NOWA PARTIA"));
    edit_.StartAdding();
    listStaysAfterSave_ = false;
    ClearFrame();
    TextGodzDoLab->setText(now());
    DTPDataDoLab->setText(DTPData->Text());
    DTPDataRozpBad->setText(DTPData->Text());
    ComboPrzyjal->setEditText(TrimBlanks(OperatorSurname));
    TextNrPartii->setText(QString::number(BatchStore::NextBatchNumber(MonthDb)));
    TextZaklad->setFocus();
}

void FormPartia::ClearFrame()
{
    for (QLabel *label : {LabTypWNI, LabelNazZak, LabelNazZleceniodawca})
        label->clear();
    for (QLineEdit *box :
         {TextZaklad, TextZleceniodawcaWNI, static_cast<QLineEdit *>(TextDataPobr), TextGodzPobr,
          static_cast<QLineEdit *>(DTPDataUboju), static_cast<QLineEdit *>(DTPDataZakBad),
          TextGodzRozpBad, TextGodzZakBad, TextNrTac, TextIlProbek, TextMiejscowoscPobr, TextKodPIW,
          TextMetoda, TextDostarczyl})
        box->clear();
    for (QComboBox *combo : {ComboLekarz, ComboAutoryzowal, ComboPrzekazanieWyniku})
        combo->setEditText(QString());
    CheckZleceniodawcaPIW->setChecked(false);
    OptionZ->setChecked(true);
    OptionNie->setChecked(true);
    TextUwagi->clear();
}

void FormPartia::ComPopraw_Click()
{
    TrapErrors(
        ErrorCaption,
        [&] {
            if (!HasCurrentBatch())
                return;
            LoadBatch();
        },
        [&] {
            // A half-loaded frame would show another batch's values in the boxes
            // not reached yet, and saving it would write them into this batch.
            FramePartia->setVisible(false);
            edit_.Close();
            Klawisze(true);
        });
}

void FormPartia::LoadBatch()
{
    const QScopedValueRollback<bool> hold(lookupsHeld_, true);
    listStaysAfterSave_ = true;
    AutoImportMarker.clear();
    Klawisze(false);
    ShowFrame(QStringLiteral("EDYCJA PARTII"));
    const dao::Recordset rs = Batches();
    edit_.StartCorrecting(RememberRow(rs));
    const BatchFrameValues values = BatchStore::Values(rs);
    ShowValues(values);
    ComZapiszFr->setFocus();
}

void FormPartia::ComAnulujFr_Click()
{
    FramePartia->setVisible(false);
    CheckNast->setChecked(false);
    AutoImportMarker.clear();
    Klawisze(true);
}

BatchFrameValues FormPartia::FrameValues() const
{
    BatchFrameValues v;
    v.batchNumber = TextNrPartii->text();
    v.trays = TextNrTac->text();
    v.sampleCount = TextIlProbek->text();
    v.establishment = TextZaklad->text();
    v.establishmentKind = LabTypWNI->text();
    v.countyCode = TextKodPIW->text();
    v.samplingPlace = TextMiejscowoscPobr->text();
    v.vet = ComboLekarz->currentText();
    v.orderingParty = TextZleceniodawcaWNI->text();
    v.countyOrders = CheckZleceniodawcaPIW->isChecked();
    v.orderingPartyPays = OptionZ->isChecked();
    v.slaughterDate = DTPDataUboju->Text();
    v.samplingDate = TextDataPobr->Text();
    v.samplingTime = TextGodzPobr->text();
    v.deliveryDate = DTPDataDoLab->Text();
    v.deliveryTime = TextGodzDoLab->text();
    v.startDate = DTPDataRozpBad->Text();
    v.startTime = TextGodzRozpBad->text();
    v.endDate = DTPDataZakBad->Text();
    v.endTime = TextGodzZakBad->text();
    v.method = TextMetoda->text();
    v.receivedBy = ComboPrzyjal->currentText();
    v.authorisedBy = ComboAutoryzowal->currentText();
    v.resultDelivery = ComboPrzekazanieWyniku->currentText();
    v.fairCopy = OptionTak->isChecked();
    v.remarks = MemoText(TextUwagi);
    v.deliveredBy = TextDostarczyl->text();
    return v;
}

void FormPartia::ShowValues(const BatchFrameValues &v)
{
    TextNrPartii->setText(v.batchNumber);
    TextZaklad->setText(v.establishment);
    EstablishmentNameLookup();
    CheckZleceniodawcaPIW->setChecked(v.countyOrders);
    TextZleceniodawcaWNI->setText(v.orderingParty);
    if (v.countyOrders)
        CountyNameLookup();
    else
        OrderingPartyNameLookup();
    (v.orderingPartyPays ? OptionZ : OptionW)->setChecked(true);
    TextNrTac->setText(v.trays);
    TextIlProbek->setText(v.sampleCount);
    TextKodPIW->setText(v.countyCode);
    TextMiejscowoscPobr->setText(v.samplingPlace);
    DTPDataUboju->setText(v.slaughterDate);
    TextDataPobr->setText(v.samplingDate);
    TextGodzPobr->setText(v.samplingTime);
    DTPDataDoLab->setText(v.deliveryDate);
    TextGodzDoLab->setText(v.deliveryTime);
    DTPDataRozpBad->setText(v.startDate);
    TextGodzRozpBad->setText(v.startTime);
    DTPDataZakBad->setText(v.endDate);
    TextGodzZakBad->setText(v.endTime);
    TextMetoda->setText(v.method);
    TextDostarczyl->setText(v.deliveredBy);
    LabTypWNI->setText(v.establishmentKind);
    ComboLekarz->setEditText(v.vet);
    ComboPrzyjal->setEditText(v.receivedBy);
    ComboAutoryzowal->setEditText(v.authorisedBy);
    ComboPrzekazanieWyniku->setEditText(v.resultDelivery);
    SetMemoText(TextUwagi, v.remarks);
    (v.fairCopy ? OptionTak : OptionNie)->setChecked(true);
}

// ------------------------------------------------------------ name lookups

void FormPartia::LookupNameInto(QLabel *label, const QString &identifier, QWidget *nextFocus)
{
    const ClientLookup client = ClientLookup::Client(TrimBlanks(identifier));
    if (client.outcome == ClientLookup::Outcome::TableEmpty)
        return;
    if (!client.Found()) {
        label->clear();
        return;
    }
    label->setText(client.Field(QStringLiteral("Nazwa")) + QStringLiteral(", ") +
                   client.Field(QStringLiteral("Miasto")));
    nextFocus->setFocus();
}

void FormPartia::EstablishmentNameLookup()
{
    LookupNameInto(LabelNazZak, TextZaklad->text(), TextZleceniodawcaWNI);
}

void FormPartia::OrderingPartyNameLookup()
{
    LookupNameInto(LabelNazZleceniodawca, TextZleceniodawcaWNI->text(), ComDataUboju);
}

void FormPartia::CountyNameLookup()
{
    const ClientLookup county = ClientLookup::County(TrimBlanks(TextZleceniodawcaWNI->text()));
    if (county.outcome == ClientLookup::Outcome::TableEmpty)
        return;
    if (!county.Found()) {
        LabelNazZleceniodawca->clear();
        return;
    }
    // A bare "PIW" says little without its town.
    const QString name = county.Field(QStringLiteral("Nazwa"));
    LabelNazZleceniodawca->setText(TrimBlanks(name).size() > 3
                                       ? name
                                       : name + QLatin1Char(' ') +
                                             county.Field(QStringLiteral("Miasto")));
    ComDataUboju->setFocus();
}

void FormPartia::TextZaklad_LostFocus()
{
    if (lookupsHeld_ || FramePartia->isHidden())
        return;
    const QScopedValueRollback<bool> hold(lookupsHeld_, true);
    TrapErrors(ErrorCaption, [&] { EstablishmentNameLookup(); });
}

void FormPartia::TextZleceniodawcaWNI_LostFocus()
{
    if (lookupsHeld_ || FramePartia->isHidden())
        return;
    const QScopedValueRollback<bool> hold(lookupsHeld_, true);
    TrapErrors(ErrorCaption, [&] {
        if (CheckZleceniodawcaPIW->isChecked())
            CountyNameLookup();
        else
            OrderingPartyNameLookup();
    });
}

void FormPartia::CheckZleceniodawcaPIW_Click()
{
    QPalette palette = CheckZleceniodawcaPIW->palette();
    palette.setColor(QPalette::WindowText,
                     CheckZleceniodawcaPIW->isChecked() ? QColor(0, 0, 255) : QColor(0, 0, 0));
    CheckZleceniodawcaPIW->setPalette(palette);
}

// ----------------------------------------------------------------- pickers

void FormPartia::ComWNI_Click()
{
    TrapErrors(ErrorCaption, [&] {
        if (const std::optional<Client> client = FormZaklad::PickClient(QStringLiteral("W"))) {
            LabelNazZak->setText(client->AddressLine());
            LabTypWNI->setText(client->TypWNI);
            TextZaklad->setText(client->IdRzezni);
            TextKodPIW->setText(client->KodPIW);
            TextMiejscowoscPobr->setText(client->Miejscowosc);
        }
    });
    SendTab();
}

void FormPartia::ComZleceniodawca_Click()
{
    TrapErrors(ErrorCaption, [&] {
        if (const std::optional<Client> client = FormZaklad::PickClient(QStringLiteral("Z"))) {
            LabelNazZleceniodawca->setText(client->AddressLine());
            TextZleceniodawcaWNI->setText(client->IdRzezni);
        }
    });
    SendTab();
}

void FormPartia::PickDateInto(ui::MaskEdBox *box)
{
    const QDate picked = PickPastDate(box->Text(), QString());
    box->setText(picked.toString(QStringLiteral("dd.MM.yyyy")));
}

void FormPartia::ComDataUboju_Click()
{
    PickDateInto(DTPDataUboju);
    SendTab();
}

void FormPartia::ComDataPobr_Click()
{
    PickDateInto(TextDataPobr);
    const QString picked = TrimBlanks(TextDataPobr->Text());
    const std::optional<QDate> day = BatchValidator::DateOf(picked);
    if (day && day->year() != WorkingDate.year()) {
        ShowInfo(QStringLiteral("Wybrany rok: ") + picked +
                     QStringLiteral(" jest niezgodny z datą ustawioną w programie!\r"
                                    "Wybierz datę ponownie!"),
                 QStringLiteral("INFORMACJA"));
        TextDataPobr->setText(QString());
    }
    SendTab();
}

void FormPartia::ComDataDoLab_Click()
{
    PickDateInto(DTPDataDoLab);
    SendTab();
}

void FormPartia::ComDataRozpBad_Click()
{
    PickDateInto(DTPDataRozpBad);
    SendTab();
}

void FormPartia::ComDatZakBad_Click()
{
    PickDateInto(DTPDataZakBad);
    SendTab();
}

void FormPartia::PickTimeInto(QLineEdit *box, bool presetNow)
{
    if (presetNow)
        box->setText(now());
    QString preset = box->text();
    box->setText(PickTime(preset));
    SendTab();
}

void FormPartia::ComGodzPobr_Click()
{
    PickTimeInto(TextGodzPobr, false);
}

void FormPartia::ComGodzDoLab_Click()
{
    PickTimeInto(TextGodzDoLab, false);
}

void FormPartia::ComGodzRozpBad_Click()
{
    PickTimeInto(TextGodzRozpBad, true);
}

void FormPartia::ComGodzZakBad_Click()
{
    PickTimeInto(TextGodzZakBad, true);
}
