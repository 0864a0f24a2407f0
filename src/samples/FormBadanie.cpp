#include "samples/FormBadanie.h"

#include "foundation/ComboFillers.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/ResultWords.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/EnterAsTab.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/PickList.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/TypingLimit.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/BoxText.h"
#include "samples/SampleNumbering.h"
#include "samples/SamplePickLists.h"
#include "samples/SampleStore.h"
#include "samples/SampleValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace
{

// The window's own unit: 15 twips are one pixel.
int px(double twips)
{
    return int(std::lround(twips / 15.0));
}

double twips(int pixels)
{
    return pixels * 15.0;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption = QString())
{
    return ui::Named(new QLabel(caption, parent), name);
}

QLineEdit *textBox(QWidget *parent, const char *name, const QString &toolTip = QString())
{
    auto *box = ui::Named(new QLineEdit(parent), name);
    box->setToolTip(toolTip);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = ui::Named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

const QList<ui::RecordsetModel::Column> &gridColumns()
{
    static const QList<ui::RecordsetModel::Column> columns{
        {QStringLiteral("Nr tuszy"), QStringLiteral("NrProbki")},
        {QString(), QStringLiteral("IDProbkiWNI")},
        {QStringLiteral("Kod próbki"), QStringLiteral("IDProbkiNr")},
        {QString(), QStringLiteral("IDProbkiData")},
        {QStringLiteral("NrTacy"), QStringLiteral("NrTacy")},
        {QStringLiteral("Gatunek"), QStringLiteral("Gatunek")},
        {QStringLiteral("Wiek (m-c)"), QStringLiteral("Wiek")},
        {QStringLiteral("Płeć"), QStringLiteral("Plec")},
        {QStringLiteral("Rodzaj materiału"), QStringLiteral("NazTkanka")},
        {QStringLiteral("Jakość"), QStringLiteral("Jakosc")},
        {QStringLiteral("Wynik"), QStringLiteral("Wynik")},
        {QStringLiteral("Opis i stan próbki w chwili przyjęcia"), QStringLiteral("Opis")},
        {QStringLiteral("Uwagi"), QStringLiteral("Uwagi")},
    };
    return columns;
}

// Clears the list and adds what `read` gives, keeping the text shown in its
// box. A list that cannot be read keeps what it got.
void fillList(QComboBox *combo, void (*read)(dao::Database, QStringList &))
{
    const QString shown = combo->currentText();
    combo->clear();
    QStringList items;
    try {
        read(StaleDb, items);
    } catch (const RuntimeError &) {
    }
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    combo->setEditText(shown);
}

} // namespace

FormBadanie::FormBadanie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormBadanie"));
    setWindowTitle(QStringLiteral("PRÓBKI"));
    resize(px(12900), px(8400));
    buildList();
    buildFrame();
    buildDuplication();
    connectControls();
    connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, this,
            [this](const QString &table) {
                if (table == DictionaryEvents::Tissues)
                    FillTissues();
                else if (table == DictionaryEvents::SampleDescriptions)
                    FillDescriptions();
                else if (table == DictionaryEvents::SampleRemarks)
                    FillRemarkHints();
            });
    Form_Load();
}

void FormBadanie::buildList()
{
    LabPartiaOp = label(this, "LabPartiaOp", QStringLiteral("Nr Partii:"));
    LabPartia = label(this, "LabPartia");
    LabDataOp = label(this, "LabDataOp", QStringLiteral("Data:"));
    LabData = label(this, "LabData");
    LabZaklOp = label(this, "LabZaklOp", QStringLiteral("Zakład:"));
    LabZaklad = label(this, "LabZaklad");
    LabelKod = label(this, "LabelKod");
    LabelWczytajPlik = label(this, "LabelWczytajPlik");
    LabelWczytajPlik->setVisible(false);
    struct Place {
        QLabel *label;
        QPoint at;
        int width; // 0: as wide as its caption
    };
    const Place heading[] = {{LabPartiaOp, {120, 120}, 0},  {LabPartia, {1300, 120}, 1400},
                             {LabDataOp, {2800, 120}, 0},   {LabData, {3500, 120}, 1400},
                             {LabZaklOp, {120, 420}, 0},    {LabelKod, {1300, 420}, 1400},
                             {LabZaklad, {2800, 420}, 9000}};
    // Each text starts at its designed place or, when the text before it on
    // its line is wider than designed, just after that text.
    int right = 0;
    for (const auto &[caption, at, width] : heading) {
        if (at.x() == 120)
            right = 0;
        caption->resize(width > 0 ? px(width) : caption->sizeHint().width(),
                        std::max(px(285), caption->sizeHint().height()));
        caption->move(std::max(px(at.x()), right), px(at.y()));
        right = caption->geometry().right() + px(60);
    }
    DataBad = ui::Named(new ui::DataControl(this), "DataBad");
    DataBad->setCaption(QStringLiteral("PRÓBKI"));
    DataBad->resize(px(3500), px(375));
    DBGridBad = ui::Named(new ui::DBGrid(this), "DBGridBad");
    DBGridBad->Bind(DataBad, gridColumns());
    DBGridBad->move(px(120), px(840));
    ComDodajPr = button(this, "ComDodajPr", QStringLiteral("&Dodaj"));
    ComPopraw = button(this, "ComPopraw", QStringLiteral("&Popraw"));
    ComUsun = button(this, "ComUsun", QStringLiteral("&Usuń"));
    ComDuplikuj = button(this, "ComDuplikuj", QStringLiteral("Dupli&kuj"));
    ComZamk = button(this, "ComZamk", QStringLiteral("&Zamknij"));
    for (QPushButton *b : {ComDodajPr, ComPopraw, ComUsun, ComDuplikuj, ComZamk})
        b->resize(px(1425), px(375));

    FrameCzekaj = ui::Named(new QGroupBox(this), "FrameCzekaj");
    LabelPrCz =
        label(FrameCzekaj, "LabelPrCz", QStringLiteral("Wczytywanie danych. Proszę czekać ..."));
    (new QVBoxLayout(FrameCzekaj))->addWidget(LabelPrCz);
    FrameCzekaj->resize(px(5000), px(1000));
    FrameCzekaj->setAutoFillBackground(true);
    FrameCzekaj->setVisible(false);
}

void FormBadanie::buildFrame()
{
    FrameProbka = ui::Named(new QGroupBox(QStringLiteral("NOWA PRÓBKA"), this), "FrameProbka");
    QGroupBox *f = FrameProbka;
    f->setAutoFillBackground(true);
    TextNrProbki = textBox(f, "TextNrProbki");
    TextNrTacy = textBox(f, "TextNrTacy");
    TextIDProbkiWNI = textBox(f, "TextIDProbkiWNI",
                              QStringLiteral("Weterynaryjny Numer "
                                             "Identyfikacyjny"));
    TextIDProbkiNr = textBox(f, "TextIDProbkiNr", QStringLiteral("Nr tuszy"));
    TextIDProbkiData =
        textBox(f, "TextIDProbkiData", QStringLiteral("Specjalny format daty pobrania"));
    TextNrDzien = textBox(f, "TextNrDzien",
                          QStringLiteral("Nr dzienny dotyczy numeracji "
                                         "laboratorium w obrębie jednego dnia"));
    TextNrOgolny =
        textBox(f, "TextNrOgolny", QStringLiteral("Nr kolejny próbki w skali m-ca lub roku"));
    ComboGatunek = ui::PickList(f, "ComboGatunek");
    LabIDGatunek = label(f, "LabIDGatunek");
    LabIDGatunek->setVisible(false);
    ComboPlec = ui::PickList(f, "ComboPlec");
    ComboPlec->addItems({QStringLiteral("żeńska"), QStringLiteral("męska")});
    ComboTkanka = ui::PickList(f, "ComboTkanka");
    ComboTkanka->addItems({QStringLiteral("filary przepony"),
                           QStringLiteral("część żebrowa przepony"),
                           QStringLiteral("część mostkowa przepony"),
                           QStringLiteral("mięśnie żuchwowe"), QStringLiteral("mięśnie języka"),
                           QStringLiteral("mięśnie brzuszne"), QStringLiteral("inne")});
    ComboOpis = ui::PickList(f, "ComboOpis");
    ComboOpis->setEditText(QStringLiteral("Próbka bez zmian"));
    ComboWynik = ui::PickList(f, "ComboWynik");
    ComboWynik->addItems(ResultWords::Choices());
    // Nothing is chosen before the operator chooses it.
    for (QComboBox *list : {ComboPlec, ComboTkanka, ComboWynik})
        list->setCurrentIndex(-1);
    // What the user types fits the sample's columns.
    ui::LimitTyping(TextIDProbkiWNI, 14);
    ui::LimitTyping(TextIDProbkiNr, 5);
    ui::LimitTyping(TextIDProbkiData, 8);
    ui::LimitTyping(ComboTkanka->lineEdit(), 30);
    ui::LimitTyping(ComboGatunek->lineEdit(), 20);
    ui::LimitTyping(ComboPlec->lineEdit(), 10);
    ui::LimitTyping(ComboWynik->lineEdit(), 15);
    ComboUwagi = ui::PickList(f, "ComboUwagi");
    TextUwagi = ui::Named(new QPlainTextEdit(f), "TextUwagi");
    TextUwagi->setTabChangesFocus(true);
    TextUwagi->setFixedHeight(TextUwagi->fontMetrics().lineSpacing() * 4);
    CheckNast = ui::Named(new QCheckBox(QStringLiteral(" Następna próbka"), f), "CheckNast");
    CheckNast->setToolTip(QStringLiteral("Jeśli zaznaczone, automatycznie wprowadza próbkę z "
                                         "kolejnymi numerami"));
    ComOpisPr = button(f, "ComOpisPr", QStringLiteral("&Duplikuj Stan próbki"));
    ComOpisPr->setToolTip(
        QStringLiteral("Automatycznie wstawia Opis i stan próbki dla całej partii"));
    ComWstUjemny = button(f, "ComWstUjemny", QStringLiteral("&Duplikuj Wynik ujemny"));
    ComWstUjemny->setToolTip(QStringLiteral("Automatycznie wstawia wynik ujemny dla całej partii"));
    ComZapiszFr = button(f, "ComZapiszFr", QStringLiteral("&Zapisz"));
    ComAnulujFr = button(f, "ComAnulujFr", QStringLiteral("&Anuluj"));

    auto *grid = new QGridLayout(f);
    const auto caption = [f](const char *text) { return new QLabel(QString::fromUtf8(text), f); };
    grid->addWidget(caption("Nr tuszy"), 0, 0);
    grid->addWidget(TextNrProbki, 0, 1);
    grid->addWidget(caption("Nr tacy"), 0, 2);
    grid->addWidget(TextNrTacy, 0, 3);
    grid->addWidget(caption("Kod próbki"), 1, 0);
    auto *code = new QHBoxLayout;
    code->addWidget(TextIDProbkiWNI, 3);
    code->addWidget(TextIDProbkiNr, 1);
    code->addWidget(TextIDProbkiData, 2);
    grid->addLayout(code, 1, 1, 1, 3);
    grid->addWidget(caption("Nr dzienny"), 2, 0);
    grid->addWidget(TextNrDzien, 2, 1);
    grid->addWidget(caption("Nr ogólny"), 2, 2);
    grid->addWidget(TextNrOgolny, 2, 3);
    grid->addWidget(caption("Gatunek"), 3, 0);
    grid->addWidget(ComboGatunek, 3, 1);
    grid->addWidget(caption("Płeć"), 3, 2);
    grid->addWidget(ComboPlec, 3, 3);
    grid->addWidget(caption("Rodzaj materiału"), 4, 0);
    grid->addWidget(ComboTkanka, 4, 1, 1, 3);
    grid->addWidget(caption("Opis i stan próbki w chwili przyjęcia:"), 5, 0, 1, 2);
    grid->addWidget(ComboOpis, 5, 2, 1, 2);
    grid->addWidget(caption("Wynik"), 6, 0);
    grid->addWidget(ComboWynik, 6, 1, 1, 3);
    grid->addWidget(caption("Uwagi"), 7, 0);
    grid->addWidget(ComboUwagi, 7, 1, 1, 3);
    grid->addWidget(TextUwagi, 8, 0, 1, 4);
    grid->addWidget(CheckNast, 9, 0, 1, 2);
    grid->addWidget(ComOpisPr, 10, 0, 1, 2);
    grid->addWidget(ComWstUjemny, 10, 2, 1, 2);
    grid->addWidget(ComZapiszFr, 11, 2);
    grid->addWidget(ComAnulujFr, 11, 3);
    f->resize(std::max(f->sizeHint().width(), px(7500)), f->sizeHint().height());
    // Below the heading: the user keeps seeing which batch the sample is of.
    f->move(0, LabZaklad->geometry().bottom() + px(60));
    f->setVisible(false);
}

void FormBadanie::buildDuplication()
{
    FrameDuplikuj =
        ui::Named(new QGroupBox(QStringLiteral("DUPLIKACJA WIELOKROTNA"), this), "FrameDuplikuj");
    FrameDuplikuj->setAutoFillBackground(true);
    TextNrProbkiOd = textBox(FrameDuplikuj, "TextNrProbkiOd");
    TextNrProbkiDo = textBox(FrameDuplikuj, "TextNrProbkiDo");
    ComDuplikujOK = button(FrameDuplikuj, "ComDuplikujOK", QStringLiteral("&OK"));
    ComAnulujFrD = button(FrameDuplikuj, "ComAnulujFrD", QStringLiteral("&Anuluj"));
    auto *grid = new QGridLayout(FrameDuplikuj);
    grid->addWidget(new QLabel(QStringLiteral("Nr tuszy  od"), FrameDuplikuj), 0, 0);
    grid->addWidget(TextNrProbkiOd, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("do"), FrameDuplikuj), 0, 2);
    grid->addWidget(TextNrProbkiDo, 0, 3);
    grid->addWidget(ComDuplikujOK, 1, 1);
    grid->addWidget(ComAnulujFrD, 1, 3);
    FrameDuplikuj->resize(FrameDuplikuj->sizeHint());
    FrameDuplikuj->setVisible(false);
}

void FormBadanie::connectControls()
{
    connect(DBGridBad, &ui::DBGrid::RowColChange, this, &FormBadanie::DBGridBad_RowColChange);
    connect(ComDodajPr, &QPushButton::clicked, this, &FormBadanie::ComDodajPr_Click);
    connect(ComPopraw, &QPushButton::clicked, this, &FormBadanie::ComPopraw_Click);
    connect(ComUsun, &QPushButton::clicked, this, &FormBadanie::ComUsun_Click);
    connect(ComDuplikuj, &QPushButton::clicked, this, &FormBadanie::ComDuplikuj_Click);
    connect(ComZamk, &QPushButton::clicked, this, &FormBadanie::ComZamk_Click);
    connect(ComZapiszFr, &QPushButton::clicked, this, &FormBadanie::ComZapiszFr_Click);
    connect(ComAnulujFr, &QPushButton::clicked, this, &FormBadanie::ComAnulujFr_Click);
    connect(ComOpisPr, &QPushButton::clicked, this, &FormBadanie::ComOpisPr_Click);
    connect(ComWstUjemny, &QPushButton::clicked, this, &FormBadanie::ComWstUjemny_Click);
    connect(ComDuplikujOK, &QPushButton::clicked, this, &FormBadanie::ComDuplikujOK_Click);
    connect(ComAnulujFrD, &QPushButton::clicked, this, &FormBadanie::ComAnulujFrD_Click);

    // The species pick runs on every change of the text; only a choice or a
    // keystroke of the user moves the focus on.
    connect(ComboGatunek, &QComboBox::currentTextChanged, this, &FormBadanie::ComboGatunek_Click);
    // Leaving a list whose text matches an entry is no pick: Tab moves on
    // one field, whatever the lists hold.
    ui::PickMovesOn(ComboGatunek);
    connect(ComboGatunek->lineEdit(), &QLineEdit::textEdited, this, [] { SendTab(); });
    ui::PickMovesOn(ComboPlec);
    ui::PickMovesOn(ComboTkanka);
    ui::OnPick(ComboUwagi, this, [this](int index) {
        TextUwagi->setPlainText(ComboUwagi->itemText(index));
        ComboUwagi->setCurrentIndex(-1);
        ComboUwagi->clearEditText();
    });
    // Enter moves on from these fields; the fields of both frames keep their
    // text as it is when they get the focus, so that a key typed into a
    // proposed number does not replace it.
    const QList<QWidget *> enterMovesOn{
        TextNrProbki,          TextNrTacy,  TextIDProbkiWNI,       TextIDProbkiNr,
        TextIDProbkiData,      TextNrDzien, TextNrOgolny,          ComboPlec,
        ComboPlec->lineEdit(), ComboWynik,  ComboWynik->lineEdit()};
    QList<QWidget *> boxes;
    ui::EnterAsTabOptions options;
    options.keepCaret = true;
    for (QWidget *frame : {FrameProbka, FrameDuplikuj}) {
        for (QLineEdit *box : frame->findChildren<QLineEdit *>())
            boxes << box;
        for (QComboBox *list : frame->findChildren<QComboBox *>())
            boxes << list;
    }
    for (QWidget *box : boxes)
        if (!enterMovesOn.contains(box))
            options.leaveEnter << box;
    new ui::EnterAsTab(this, boxes, options);
}

void FormBadanie::keyPressEvent(QKeyEvent *event)
{
    // Esc is no command of this window; Enter presses no button by itself.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ------------------------------------------------------------------ doors

void FormBadanie::Bind(const BatchHeading &batch)
{
    LabZaklad->setText(batch.Zaklad);
    heading_ = batch;
    LabPartia->setText(QString::number(batch.Partia));
    LabelKod->setText(batch.Wni);
    LabData->setText(batch.DataDoLab.toString(QStringLiteral("dd.MM.yyyy")));
    DataBad->Replace(SampleStore::OpenBatch(MonthDb, batch.Partia));
}

void FormBadanie::OpenForBatch(const BatchHeading &batch, const QString &importFile)
{
    FormBadanie &window = ui::WindowRegistry::Instance<FormBadanie>();
    window.Bind(batch);
    window.LabelWczytajPlik->setText(importFile);
    InitOnActivate = true;
    ui::ShowModal(window);
}

void FormBadanie::OpenAtCarcass(const BatchHeading &batch, const QString &carcassNumber)
{
    FormBadanie &window = ui::WindowRegistry::Instance<FormBadanie>();
    window.Bind(batch);
    window.LabelWczytajPlik->clear();
    FormRequest = QStringLiteral("find") + carcassNumber;
    InitOnActivate = true;
    ui::ShowModal(window);
}

// -------------------------------------------------------------- pick lists

void FormBadanie::RefillPickLists()
{
    FillTissues();
    FillDescriptions();
    FillRemarkHints();
}

void FormBadanie::FillTissues()
{
    fillList(ComboTkanka, &SamplePickLists::Tissues);
}

void FormBadanie::FillDescriptions()
{
    fillList(ComboOpis, &SamplePickLists::Descriptions);
}

void FormBadanie::FillRemarkHints()
{
    fillList(ComboUwagi, &SamplePickLists::RemarkHints);
}

void FormBadanie::ComboGatunek_Click()
{
    try {
        const QString idText = SamplePickLists::SpeciesId(StaleDb, ComboGatunek->currentText());
        const std::optional<qint64> id = SampleValidator::LongInteger(idText);
        // A text that names no species leaves the sexes as they were.
        if (!id) {
            LabIDGatunek->clear();
            return;
        }
        LabIDGatunek->setText(QString::number(*id));
        const bool replaced = SamplePickLists::HasSexes(StaleDb, *id);
        FillComboFromTable(ComboPlec, StaleDb, SamplePickLists::SexesSource(*id),
                           QStringLiteral("NazPLEC"), QString(), QString(), QString());
        // A new list of sexes starts with none chosen.
        if (replaced)
            ComboPlec->setCurrentIndex(-1);
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Nie mogę pobrać danych z Combo: "), error);
    }
}

// -------------------------------------------------------------- activation

void FormBadanie::Form_Load()
{
    LabelWczytajPlik->clear();
}

void FormBadanie::setVisible(bool visible)
{
    const bool showing = visible && !isVisible();
    QDialog::setVisible(visible);
    // Activated once it is on the screen, so that what the activation opens
    // (the import's dialog and wait frame) stands over the window.
    if (showing)
        Form_Activate();
}

void FormBadanie::Form_Activate()
{
    if (!InitOnActivate)
        return;
    FillComboFromTable(ComboGatunek, StaleDb, QStringLiteral("Gatunek"),
                       QStringLiteral("NazGatunek"), QString(), QString(), QString());
    {
        // The pick runs once, whether or not the text changes.
        const QSignalBlocker quiet(ComboGatunek);
        ComboGatunek->setEditText(QStringLiteral("Świnie"));
    }
    ComboGatunek_Click();
    FillComboFromTable(ComboTkanka, StaleDb, QStringLiteral("TKANKA"), QStringLiteral("NazTkanka"),
                       QString(), QString(), QString());
    // The lists were replaced: no tissue is chosen yet.
    ComboTkanka->setCurrentIndex(-1);
    InitOnActivate = false;
    if (!LabelWczytajPlik->text().isEmpty()) {
        ComWczyt_Click();
        LabelWczytajPlik->clear();
    }
    if (FormRequest.startsWith(QLatin1String("find"))) {
        const std::optional<qint64> carcass = SampleValidator::Integer(FormRequest.mid(4));
        FormRequest.clear();
        try {
            dao::Recordset samples = Samples();
            if (carcass && samples.IsOpen() && samples.RecordCount() > 0)
                samples.FindFirst(QStringLiteral("NrProbki = ") + QString::number(*carcass));
        } catch (const RuntimeError &error) {
            ShowError(QStringLiteral("Powiadom programistę!"), error);
        }
    }
}

// ------------------------------------------------------------------ layout

void FormBadanie::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void FormBadanie::Form_Resize()
{
    const double width = twips(this->width());
    const double height = twips(this->height());
    FrameProbka->move(std::max(0, px(width / 2 - twips(FrameProbka->width()) / 2)),
                      FrameProbka->y());
    DBGridBad->resize(std::max(0, px(width - 600)), DBGridBad->height());
    const double buttonHeight = twips(ComZamk->height());
    const double buttonWidth = twips(ComZamk->width());
    const double top = std::max(0.0, height - 2.6 * buttonHeight);
    double left = twips(DBGridBad->x()) + twips(DBGridBad->width()) - buttonWidth;
    ComZamk->move(std::max(0, px(left)), px(top));
    const double gap = std::clamp(std::floor(buttonWidth / 25), 0.0, 255.0);
    for (QPushButton *b : {ComDuplikuj, ComUsun, ComPopraw, ComDodajPr}) {
        left -= twips(b->width()) + gap;
        b->move(std::max(0, px(left)), px(top));
    }
    DataBad->move(DBGridBad->x(), px(top));
    DBGridBad->resize(DBGridBad->width(), std::max(0, px(top - 3.8 * buttonHeight)));
    for (QWidget *frame :
         {static_cast<QWidget *>(FrameCzekaj), static_cast<QWidget *>(FrameDuplikuj)})
        frame->move(std::max(0, (this->width() - frame->width()) / 2),
                    std::max(0, (this->height() - frame->height()) / 2));
}

// ---------------------------------------------------------------- overlays

void FormBadanie::Klawisze(bool flag)
{
    for (QWidget *control : std::initializer_list<QWidget *>{
             ComZamk, ComDodajPr, ComPopraw, ComUsun, ComDuplikuj, DBGridBad, DataBad})
        control->setEnabled(flag);
}

void FormBadanie::ShowOverlay(QWidget *frame)
{
    frame->setVisible(true);
    // The frames stand over the list, never behind it.
    frame->raise();
}

void FormBadanie::ComAnulujFr_Click()
{
    FrameProbka->setVisible(false);
    CheckNast->setChecked(false);
    edit_.Close();
    Klawisze(true);
}

void FormBadanie::ComAnulujFrD_Click()
{
    FrameDuplikuj->setVisible(false);
    Klawisze(true);
}

void FormBadanie::DBGridBad_RowColChange()
{
    SelectCurrentGridRow(DBGridBad);
}

void FormBadanie::ComZamk_Click()
{
    dao::Recordset samples = Samples();
    if (samples.IsOpen())
        samples.Close();
    hide();
}

void FormBadanie::reject()
{
    if (importing_)
        return;
    if (!FrameProbka->isHidden())
        ComAnulujFr_Click();
    if (!FrameDuplikuj->isHidden())
        ComAnulujFrD_Click();
    ComZamk_Click();
}

dao::Recordset FormBadanie::Samples() const
{
    return DataBad->Recordset();
}

bool FormBadanie::HasCurrentSample() const
{
    const dao::Recordset samples = Samples();
    return samples.IsOpen() && samples.RecordCount() > 0 && samples.AbsolutePosition() >= 0;
}

std::optional<qint16> FormBadanie::ZnMaxNrDzien() const
{
    try {
        return SampleNumbering::NextDaily(MonthDb, heading_.DataDoLab.isValid()
                                                       ? std::optional(heading_.DataDoLab)
                                                       : std::nullopt);
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

std::optional<qint32> FormBadanie::ZnMaxNrOgolny() const
{
    try {
        return SampleNumbering::NextGeneral(MonthDb);
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}
