// The run window: its lists, header, keys, the tray list's loading, the jump
// to a sample and the opening and closing. The run frame, the tray frame and
// the run cards have files of their own.
#include "digestion/FormNastawienie.h"

#include "digestion/RunStore.h"
#include "digestion/TrayRanges.h"
#include "foundation/ComboFillers.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/EnterAsTab.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/NamedControls.h"
#include "platform/ui/PickList.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

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
#include <QTextBlock>
#include <QVBoxLayout>

namespace
{

const QString TrayCaption = QStringLiteral("POZYCJE NASTAWIENIA");

QList<ui::RecordsetModel::Column>
columns(std::initializer_list<std::pair<const char *, const char *>> list)
{
    QList<ui::RecordsetModel::Column> result;
    for (const auto &[header, field] : list)
        result.append({QString::fromUtf8(header), QLatin1String(field)});
    return result;
}

QList<ui::RecordsetModel::Column> runColumns()
{
    return columns({
        {"Partia", "Partia"},
        {"Nr nastawienia", "Nastawienie"},
        {"Kod tacy", "NrTac"},
        {"Liczba próbek jednostkowych", "IlProbek"},
        {"Naważka w [g] próbek jednostk.", "Nawazka"},
        {"Naważka pepsyny", "Pepsyna"},
        {"Ilość kwasu HCI", "Kwas"},
        {"Waga (nr ewid.)", "Waga"},
        {"Termometr", "Termometr"},
        {"Mieszadlo", "Mieszadlo"},
        {"Temperatura min", "Temperatura"},
        {"Temperatura max", "TemperaturaMax"},
        {"Trychinoskop", "Trychinoskop"},
        {"HCI seria/data ważności", "OdczynnikHCL"},
        {"Pepsyna seria/data ważności", "OdczynnikPepsyna"},
        {"Wynik", "Wynik"},
        {"Czas wytrawiania", "Czas"},
        {"Czas sedymentacji I", "CzasSedymentacji1"},
        {"Czas sedymentacji II", "CzasSedymentacji2"},
        {"Sito", "Sito"},
        {"Osoba wykonujaca badanie", "Wykonujacy"},
        {"Osoba odpowiedzialna za badanie", "Odpowiedzialny"},
        {"Uwagi", "Uwagi"},
    });
}

QList<ui::RecordsetModel::Column> trayColumns()
{
    return columns({
        {"Partia", "Partia"},
        {"Nr nastawienie", "Nastawienie"},
        {"Nr Tacy", "NrTacy"},
        {"Nr tuszy", "NrTusz"},
        {"Tucznika (T) Nr tusz", "NrTuszTucznik"},
        {"Maciory (M) Nr tusz", "NrTuszMaciora"},
        {"Knura (K) Nr tusz", "NrTuszKnur"},
        {"Dzika (D) Nr tusz", "NrTuszDzik"},
        {"Inne ...  Nr tusz", "NrTuszInne"},
        {"Liczba probek jednostkowych", "IlProbek"},
        {"Uwagi", "Uwagi"},
    });
}

QLabel *caption(QWidget *parent, const char *text)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace

FormNastawienie::FormNastawienie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormNastawienie"));
    setWindowTitle(QStringLiteral("NASTAWIENIE"));
    resize(1100, 760);
    buildLists();
    buildRunFrame();
    buildTrayFrame();
    buildPrintChoice();
    layoutWindow();
    connectControls();
    watchKeys();
    Form_Load();
}

void FormNastawienie::buildLists()
{
    LabZaklad = ui::Named(new QLabel(this), "LabZaklad");
    LabPartia = ui::Named(new QLabel(this), "LabPartia");
    LabelKod = ui::Named(new QLabel(this), "LabelKod");
    LabData = ui::Named(new QLabel(this), "LabData");

    DataPartia = ui::Named(new ui::DataControl(this), "DataPartia");
    DataPartia->setCaption(QStringLiteral("NASTAWIENIE"));
    DBGridPartia = ui::Named(new ui::DBGrid(this), "DBGridPartia");
    DBGridPartia->Bind(DataPartia, runColumns());
    ComDodajPr = ui::CommandButton(this, "ComDodajPr", QStringLiteral("&Dodaj"));
    ComDodajPr->setToolTip(QStringLiteral("Nowa partia"));
    ComPopraw = ui::CommandButton(this, "ComPopraw", QStringLiteral("&Popraw"));
    ComUsun = ui::CommandButton(this, "ComUsun", QStringLiteral("&Usuń"));
    ComDuplikuj = ui::CommandButton(this, "ComDuplikuj", QStringLiteral("&Duplikuj"));
    ComDrukuj = ui::CommandButton(this, "ComDrukuj", QStringLiteral("D&rukuj"));
    ComZamk = ui::CommandButton(this, "ComZamk", QStringLiteral("&Zamknij"));

    DataPartiaG = ui::Named(new ui::DataControl(this), "DataPartiaG");
    DataPartiaG->setCaption(TrayCaption);
    DBGridPartiaG = ui::Named(new ui::DBGrid(this), "DBGridPartiaG");
    DBGridPartiaG->Bind(DataPartiaG, trayColumns());
    DBGridPartiaG->setCaption(TrayCaption);
    ComDodajG = ui::CommandButton(this, "ComDodajG", QStringLiteral("&Dodaj"));
    ComDodajG->setToolTip(QStringLiteral("Nowa próbka"));
    ComPoprawG = ui::CommandButton(this, "ComPoprawG", QStringLiteral("&Popraw"));
    ComUsunG = ui::CommandButton(this, "ComUsunG", QStringLiteral("&Usuń"));
    ComPrzejdzDo = ui::CommandButton(this, "ComPrzejdzDo", QStringLiteral("P&rzejdź do"));
    ComPrzejdzDo->setToolTip(QStringLiteral("Przy jednym nr tuszy, przechodzi do edycji próbek"));
}

void FormNastawienie::buildPrintChoice()
{
    FrameWynik = ui::Named(new QGroupBox(this), "FrameWynik");
    ComKartaS =
        ui::CommandButton(FrameWynik, "ComKartaS", QStringLiteral("Karta przebiegu badania"));
    ComKartaW =
        ui::CommandButton(FrameWynik, "ComKartaW", QStringLiteral("Karta przebiegu badania W"));
    ComKartaO =
        ui::CommandButton(FrameWynik, "ComKartaO", QStringLiteral("Karta przebiegu badania O"));
    auto *layout = new QVBoxLayout(FrameWynik);
    layout->addWidget(ComKartaS);
    layout->addWidget(ComKartaW);
    layout->addWidget(ComKartaO);
    FrameWynik->setVisible(false);
}

// Run buttons in a row right of the middle ("&Usuń", "&Popraw", "&Dodaj",
// "&Duplikuj" under "&Dodaj"), tray buttons right-aligned under the trays,
// "D&rukuj" over "&Zamknij" at the bottom right; the frames lie centred over
// the lists.
void FormNastawienie::layoutWindow()
{
    auto *heading = new QLabel(QStringLiteral("NASTAWIENIE"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    heading->setFont(bold);

    auto *header = new QGridLayout;
    header->addWidget(caption(this, "Zakład:"), 0, 0);
    header->addWidget(LabZaklad, 0, 1, 1, 3);
    header->addWidget(caption(this, "Nr Partii:"), 1, 0);
    header->addWidget(LabPartia, 1, 1);
    header->addWidget(LabelKod, 1, 2);
    header->addWidget(caption(this, "Data:"), 2, 0);
    header->addWidget(LabData, 2, 1);
    header->setColumnStretch(3, 1);

    auto *runButtons = new QGridLayout;
    runButtons->addWidget(DataPartia, 0, 0);
    runButtons->setColumnStretch(1, 1);
    runButtons->addWidget(ComUsun, 0, 2);
    runButtons->addWidget(ComPopraw, 0, 3);
    runButtons->addWidget(ComDodajPr, 0, 4);
    runButtons->addWidget(ComDuplikuj, 1, 4);

    auto *trayButtons = new QHBoxLayout;
    trayButtons->addWidget(DataPartiaG);
    trayButtons->addStretch();
    for (QPushButton *button : {ComPrzejdzDo, ComUsunG, ComPoprawG, ComDodajG})
        trayButtons->addWidget(button);

    auto *closing = new QVBoxLayout;
    closing->addWidget(ComDrukuj);
    closing->addWidget(ComZamk);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addLayout(closing);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(header);
    layout->addWidget(DBGridPartia, 3);
    layout->addLayout(runButtons);
    layout->addWidget(DBGridPartiaG, 2);
    layout->addLayout(trayButtons);
    layout->addLayout(bottom);
}

void FormNastawienie::connectControls()
{
    const std::pair<QPushButton *, void (FormNastawienie::*)()> buttons[] = {
        {ComZamk, &FormNastawienie::ComZamk_Click},
        {ComDodajPr, &FormNastawienie::ComDodajPr_Click},
        {ComPopraw, &FormNastawienie::ComPopraw_Click},
        {ComUsun, &FormNastawienie::ComUsun_Click},
        {ComDuplikuj, &FormNastawienie::ComDuplikuj_Click},
        {ComDrukuj, &FormNastawienie::ComDrukuj_Click},
        {ComZapiszFr, &FormNastawienie::ComZapiszFr_Click},
        {ComAnulujFr, &FormNastawienie::ComAnulujFr_Click},
        {ComDataRozpBad, &FormNastawienie::ComDataRozpBad_Click},
        {ComDatZakBad, &FormNastawienie::ComDatZakBad_Click},
        {ComGodzRozpBad, &FormNastawienie::ComGodzRozpBad_Click},
        {ComGodzZakBad, &FormNastawienie::ComGodzZakBad_Click},
        {ComDodajG, &FormNastawienie::ComDodajG_Click},
        {ComPoprawG, &FormNastawienie::ComPoprawG_Click},
        {ComUsunG, &FormNastawienie::ComUsunG_Click},
        {ComPrzejdzDo, &FormNastawienie::ComPrzejdzDo_Click},
        {ComZapiszFrNaPIW, &FormNastawienie::ComZapiszFrNaPIW_Click},
        {ComAnulujFrNaPIW, &FormNastawienie::ComAnulujFrNaPIW_Click},
        {ComLiczbaProbek, &FormNastawienie::ComLiczbaProbek_Click},
        {ComKartaS, &FormNastawienie::ComKartaS_Click},
        {ComKartaW, &FormNastawienie::ComKartaW_Click},
        {ComKartaO, &FormNastawienie::ComKartaO_Click},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, handler);
    connect(DBGridPartia, &ui::DBGrid::RowColChange, this,
            &FormNastawienie::DBGridPartia_RowColChange);
    connect(DBGridPartiaG, &ui::DBGrid::RowColChange, this,
            &FormNastawienie::DBGridPartiaG_RowColChange);
    // A pick in an equipment list or the result moves on; in a person list
    // it does not.
    for (QComboBox *combo : {ComboWaga, ComboTermometr, ComboMieszadlo, ComboTrychinoskop,
                             ComboOdczynnikHCL, ComboOdczynnikPepsyna, ComboSito, ComboWynik})
        ui::PickMovesOn(combo);
    connect(&DictionaryEvents::Instance(), &DictionaryEvents::TableChanged, this,
            [this](const QString &table) {
                static const QStringList equipment = DictionaryEvents::Equipment();
                if (table == DictionaryEvents::Performers || table == DictionaryEvents::Responsible)
                    RefillPersonLists();
                else if (equipment.contains(table, Qt::CaseInsensitive))
                    RefillEquipmentLists();
            });
}

void FormNastawienie::watchKeys()
{
    // Enter moves on from every one-line box and pick list of both frames (a
    // pick list takes it in its text box or, when it has the key, itself): a
    // box that kept the focus would take what is typed next into the same
    // field, "30", Enter, "10" stored as "301". No text is selected when a box
    // gets the focus, so that the first key typed does not replace it.
    QList<QWidget *> boxes;
    for (QGroupBox *frame : {FramePartia, FramePartiaG}) {
        for (QLineEdit *box : frame->findChildren<QLineEdit *>())
            boxes << box;
        for (QComboBox *combo : frame->findChildren<QComboBox *>())
            boxes << combo;
    }
    new ui::EnterAsTab(this, boxes,
                       {.leaveEnter = {},
                        .keepCaret = true,
                        .passOver = {ComDataRozpBad, ComGodzRozpBad, ComDatZakBad, ComGodzZakBad}});
    TextUwagi->installEventFilter(this);
}

bool FormNastawienie::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TextUwagi && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // The remark keeps every character: the caret goes to the end of
            // its line and no new line is made.
            QTextCursor cursor = TextUwagi->textCursor();
            cursor.movePosition(QTextCursor::EndOfBlock);
            TextUwagi->setTextCursor(cursor);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormNastawienie::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FormNastawienie::OpenForBatch(const BatchHeading &batch)
{
    FormNastawienie &window = ui::WindowRegistry::Instance<FormNastawienie>();
    window.heading_ = batch;
    window.LabZaklad->setText(batch.Zaklad);
    window.LabPartia->setText(QString::number(batch.Partia));
    window.LabelKod->setText(batch.Wni);
    window.LabData->setText(batch.DataDoLab.toString(QStringLiteral("dd.MM.yyyy")));
    window.BindRuns(RunStore::OpenRuns(MonthDb, window.Batch()));
    InitOnActivate = true;
    ui::ShowModal(window);
}

void FormNastawienie::Form_Load()
{
    RefillPersonLists();
}

void FormNastawienie::RefillPersonLists()
{
    FillPerformedByCombo(ComboWykonujacy);
    FillResponsibleCombo(ComboOdpowiedzialny);
}

void FormNastawienie::RefillEquipmentLists()
{
    const std::pair<QComboBox *, const char *> lists[] = {
        {ComboWaga, "Waga"},
        {ComboTermometr, "Termometr"},
        {ComboMieszadlo, "Mieszadlo"},
        {ComboTrychinoskop, "Trychinoskop"},
        {ComboOdczynnikHCL, "HCLseria"},
        {ComboOdczynnikPepsyna, "PepsynaSeria"},
        {ComboSito, "Sito"},
    };
    for (const auto &[combo, table] : lists)
        FillComboFromTable(combo, StaleDb, QLatin1String(table), QStringLiteral("Wartosc"),
                           QString(), QString(), QString());
}

void FormNastawienie::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void FormNastawienie::Form_Activate()
{
    InitOnActivate = false;
}

void FormNastawienie::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeFrames();
}

void FormNastawienie::placeFrames()
{
    if (!FrameWynik)
        return; // still being built
    // Centred over the lists, never over the heading that names the batch.
    const int top = DBGridPartia->y();
    for (QGroupBox *frame : {FramePartia, FramePartiaG, FrameWynik}) {
        frame->adjustSize();
        frame->move(std::max(0, (width() - frame->width()) / 2),
                    top + std::max(0, (height() - top - frame->height()) / 2));
        frame->raise();
    }
}

void FormNastawienie::showFrame(QGroupBox *frame, const QString &frameCaption)
{
    // The frame lies over the lists and hides them.
    frame->setAutoFillBackground(true);
    frame->setTitle(frameCaption);
    frame->setVisible(true);
    placeFrames();
}

bool FormNastawienie::anyFrameOpen() const
{
    return !FramePartia->isHidden() || !FramePartiaG->isHidden() || !FrameWynik->isHidden();
}

void FormNastawienie::Klawisze(bool a, bool b)
{
    for (QWidget *control : std::initializer_list<QWidget *>{
             ComZamk, ComDodajPr, ComPopraw, ComUsun, ComDuplikuj, ComDrukuj, DataPartia,
             DBGridPartia, DataPartiaG, DBGridPartiaG, ComDodajG, ComPoprawG, ComUsunG,
             ComPrzejdzDo})
        control->setEnabled(a);
    LabData->setEnabled(b);
}

dao::Recordset FormNastawienie::Runs() const
{
    return DataPartia->Recordset();
}

dao::Recordset FormNastawienie::Trays() const
{
    return DataPartiaG->Recordset();
}

bool FormNastawienie::HasRun() const
{
    const dao::Recordset runs = Runs();
    return runs.IsOpen() && runs.RecordCount() > 0 && runs.AbsolutePosition() >= 0;
}

bool FormNastawienie::HasTray() const
{
    const dao::Recordset trays = Trays();
    return trays.IsOpen() && trays.RecordCount() > 0 && trays.AbsolutePosition() >= 0;
}

int FormNastawienie::CurrentRunNumber() const
{
    return Runs()(QStringLiteral("Nastawienie")).Value().toInt();
}

BatchNumber FormNastawienie::Batch() const
{
    return heading_.Partia;
}

void FormNastawienie::BindRuns(const dao::Recordset &runs)
{
    dao::Recordset previous = Runs();
    DataPartia->setRecordset(runs);
    if (previous.IsOpen() && !(previous == runs))
        previous.Close();
    LoadTrays();
}

void FormNastawienie::DBGridPartia_RowColChange()
{
    try {
        LoadTrays();
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Powiadom programistę!"), error);
    }
}

void FormNastawienie::LoadTrays()
{
    dao::Recordset previous = Trays();
    if (HasRun()) {
        SelectCurrentGridRow(DBGridPartia);
        const dao::Recordset runs = Runs();
        DataPartiaG->setRecordset(RunStore::OpenTrays(
            MonthDb, runs(QStringLiteral("Partia")).Value().toLongLong(), CurrentRunNumber()));
        SelectCurrentGridRow(DBGridPartiaG);
        PokazPozycje();
    } else {
        DataPartiaG->setRecordset(RunStore::OpenNoTrays(MonthDb));
        DBGridPartiaG->setCaption(TrayCaption);
    }
    if (previous.IsOpen())
        previous.Close();
}

void FormNastawienie::PokazPozycje()
{
    if (!HasRun())
        return;
    DBGridPartiaG->setCaption(
        QStringLiteral("POZYCJE NASTAWIENIA NR: ") + QString::number(CurrentRunNumber()) +
        QStringLiteral("               ILOŚĆ POZYCJI: ") + QString::number(Trays().RecordCount()));
}

void FormNastawienie::DBGridPartiaG_RowColChange()
{
    SelectCurrentGridRow(DBGridPartiaG);
}

void FormNastawienie::ShowFault(const Refusal &fault)
{
    ShowRefusal(*this, fault);
}

bool FormNastawienie::ChangedElsewhere(const RuntimeError &error)
{
    return error.Number() == dao::err::DataChanged || error.Number() == dao::err::RecordDeleted;
}

void FormNastawienie::OpenFailed(const QString &errorCaption, const RuntimeError &error)
{
    FramePartia->setVisible(false);
    FramePartiaG->setVisible(false);
    Klawisze(true, true);
    ShowError(errorCaption, error);
}

void FormNastawienie::ComPrzejdzDo_Click()
{
    try {
        if (!HasTray())
            return;
        const std::optional<int> carcass =
            TrayRanges::SingleCarcass(FieldText(Trays(), QStringLiteral("nrtusz")));
        if (!carcass) {
            ShowInfo(QStringLiteral("Przejście do edycji próbek jest możliwe tylko w przypadku, "
                                    "kiedy w polu 'Nr tuszy'\rzaznaczonej pozycji nastawienia "
                                    "wpisany jest numer pojedynczej próbki!"),
                     QStringLiteral("INFORMACJA"));
            return;
        }
        FormBadanie::OpenAtCarcass(heading_, QString::number(*carcass));
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Powiadom programistę!"), error);
    }
}

void FormNastawienie::ComZamk_Click()
{
    hide();
}

void FormNastawienie::reject()
{
    if (anyFrameOpen())
        return;
    ComZamk_Click();
}
