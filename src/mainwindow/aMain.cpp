#include "mainwindow/aMain.h"

#include "foundation/DatePickers.h"
#include "foundation/Globals.h"
#include "foundation/InitApplication.h"
#include "foundation/LaboratoryIdentity.h"
#include "foundation/Messages.h"
#include "foundation/ProgramEnd.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/MonthDatabase.h"
#include "mainwindow/SchemaRepair.h"
#include "mainwindow/StartupPickLists.h"
#include "platform/db/SqlText.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/shell/SingleInstanceGuard.h"
#include "platform/ui/MenuBarKeys.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace
{

const QString InfoCaption = QStringLiteral("INFORMACJA");
const QString ReportCaption = QStringLiteral("Powiadom programistę!");
const QString DateCaptionFormat = QStringLiteral("dd.MM.yyyy");

// Design positions (twips) of the controls whose place the layout does not
// set: the date labels keep their Left, the rule its left end.
constexpr int DesignWidth = 12000;
constexpr int DesignHeight = 11400;
constexpr int DateLabelsLeft = 1200;
constexpr int RuleLeft = 240;
constexpr int RuleTop = 1560;
constexpr int PictureTop = 240;
constexpr int PictureWidth = 4800;
constexpr int PictureHeight = 1200;

} // namespace

const QString aMain::VersionCaption = QStringLiteral("Wersja 10.10.22");

QString aMain::MonthName(int month)
{
    static const char *const names[] = {"STYCZEŃ",  "LUTY",        "MARZEC",   "KWIECIEŃ",
                                        "MAJ",      "CZERWIEC",    "LIPIEC",   "SIERPIEŃ",
                                        "WRZESIEŃ", "PAŹDZIERNIK", "LISTOPAD", "GRUDZIEŃ"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf8(names[month - 1]);
}

aMain::aMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("aMain"));
    setWindowTitle(QStringLiteral("Menu główne"));
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(area);
    buildFrames(area);
    buildLabels(area);
    buildButtons(area);
    buildMenus();
    buildStatusBar();
    resize(MainLayout::TwipsToPixels(DesignWidth, logicalDpiX()),
           MainLayout::TwipsToPixels(DesignHeight, logicalDpiY()));
    Form_Initialize();
}

aMain::~aMain() = default;

// ---------------------------------------------------------------- controls

QPushButton *aMain::addButton(QWidget *area, const QString &name, const QString &caption,
                              void (aMain::*handler)(), bool visible)
{
    auto *button = new QPushButton(caption, area);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setVisible(visible);
    button->resize(MainLayout::TwipsToPixels(MainLayout::ButtonWidth, logicalDpiX()),
                   MainLayout::TwipsToPixels(MainLayout::ButtonHeight, logicalDpiY()));
    if (handler)
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
    return button;
}

void aMain::buildButtons(QWidget *area)
{
    Command1 = addButton(area, QStringLiteral("Command1"), QStringLiteral("Ewidencja próbek"),
                         &aMain::Command1_Click);
    ComPlytki = addButton(area, QStringLiteral("ComPlytki"), QStringLiteral("Użytkownik"),
                          &aMain::ComPlytki_Click);
    ComArchiwizacja = addButton(area, QStringLiteral("ComArchiwizacja"),
                                QStringLiteral("Archiwizacja"), &aMain::ComArchiwizacja_Click);
    ComWysDoWIW = addButton(area, QStringLiteral("ComWysDoWIW"),
                            QStringLiteral("Wyślij dane do WIW"), &aMain::ComWysDoWIW_Click);
    ComUzytkownik = addButton(area, QStringLiteral("ComUzytkownik"), QStringLiteral("Zakłady"),
                              &aMain::ComUzytkownik_Click);
    ComCLab = addButton(area, QStringLiteral("ComCLab"), QStringLiteral("Export do CLab"),
                        &aMain::ComCLab_Click);
    ComEnd =
        addButton(area, QStringLiteral("ComEnd"), QStringLiteral("Koniec"), &aMain::ComEnd_Click);

    ComMatZuzyte = addButton(area, QStringLiteral("ComMatZuzyte"), QStringLiteral("MatZuzyte"),
                             &aMain::ComMatZuzyte_Click, false);
    ComOpcje = addButton(area, QStringLiteral("ComOpcje"), QStringLiteral("Opcje programu"),
                         &aMain::ComOpcje_Click, false);
    ComTworzBazy = addButton(area, QStringLiteral("ComTworzBazy"), QStringLiteral("Tworz bazy"),
                             nullptr, false);
    connect(ComTworzBazy, &QPushButton::clicked, this, [this] { ComTworzBazy_Click(); });
    Command5 = addButton(area, QStringLiteral("Command5"), QStringLiteral("AutoResize"),
                         &aMain::Command5_Click, false);
    Command2 = addButton(Frame2, QStringLiteral("Command2"), QStringLiteral("Lista zakładów"),
                         &aMain::Command2_Click, false);
    Command3 = addButton(Frame2, QStringLiteral("Command3"), QStringLiteral("Lista PIW"),
                         &aMain::Command3_Click, false);
    ComDodKol = addButton(area, QStringLiteral("ComDodKol"), QStringLiteral("Dodaj pole w robot"),
                          &aMain::ComDodKol_Click, false);
    Command6 = addButton(area, QStringLiteral("Command6"), QStringLiteral("Command6"),
                         &aMain::Command6_Click, false);
    Command4 = addButton(area, QStringLiteral("Command4"), QStringLiteral("Roboczy"),
                         &aMain::Command4_Click, false);
    // These two carry no command.
    ComAdmin = addButton(area, QStringLiteral("ComAdmin"), QStringLiteral("Administrator"), nullptr,
                         false);
    ComKodKresk = addButton(area, QStringLiteral("ComKodKresk"), QStringLiteral("Kod Kreskowy"),
                            nullptr, false);
}

void aMain::buildLabels(QWidget *area)
{
    const auto label = [this](QWidget *parent, const QString &name, bool visible) {
        auto *control = new QLabel(parent);
        control->setObjectName(name);
        control->setVisible(visible);
        return control;
    };
    LabelData = label(area, QStringLiteral("LabelData"), true);
    LabelData->setToolTip(
        QStringLiteral("Kliknij dwukrotnie aby zmienić datę obowiązującą w programie!"));
    LabMonth = label(area, QStringLiteral("LabMonth"), true);
    for (QLabel *date : {LabelData, LabMonth}) {
        date->setAlignment(Qt::AlignCenter);
        QFont font = date->font();
        font.setBold(true);
        date->setFont(font);
        date->installEventFilter(this);
    }
    LabelData->resize(MainLayout::TwipsToPixels(MainLayout::LabelDataWidth, logicalDpiX()),
                      MainLayout::TwipsToPixels(MainLayout::LabelDataHeight, logicalDpiY()));
    LabMonth->resize(MainLayout::TwipsToPixels(MainLayout::LabMonthWidth, logicalDpiX()),
                     MainLayout::TwipsToPixels(MainLayout::LabMonthHeight, logicalDpiY()));
    LabelKodLok = label(area, QStringLiteral("LabelKodLok"), false);
    LabelKodLok2 = label(area, QStringLiteral("LabelKodLok2"), false);
    LabelVer = label(area, QStringLiteral("LabelVer"), false);
    LabelVer->setText(VersionCaption);
    LabelVer->adjustSize();
    Image1 = label(area, QStringLiteral("Image1"), true);
    Image1->resize(MainLayout::TwipsToPixels(PictureWidth, logicalDpiX()),
                   MainLayout::TwipsToPixels(PictureHeight, logicalDpiY()));
    QLabel **lines[] = {&Label2, &Label3, &Label4, &Label5, &Label6};
    auto *letterhead = new QVBoxLayout(Frame1);
    for (int i = 0; i < 5; ++i) {
        *lines[i] = label(Frame1, QStringLiteral("Label%1").arg(i + 2), true);
        letterhead->addWidget(*lines[i]);
    }
}

void aMain::buildFrames(QWidget *area)
{
    Frame1 = new QGroupBox(QStringLiteral("Użytkownik:"), area);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setVisible(false);
    Frame2 = new QGroupBox(area);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setVisible(false);
    FrameCzekaj = new QGroupBox(area);
    FrameCzekaj->setObjectName(QStringLiteral("FrameCzekaj"));
    auto *wait = new QLabel(QStringLiteral("Przetwarzanie danych. Proszę czekać ..."), FrameCzekaj);
    wait->setObjectName(QStringLiteral("LabCzekaj"));
    (new QVBoxLayout(FrameCzekaj))->addWidget(wait);
    FrameCzekaj->adjustSize();
    FrameCzekaj->setVisible(false);
    FrameDoWIW = new QFrame(area);
    FrameDoWIW->setObjectName(QStringLiteral("FrameDoWIW"));
    ProgressBar1 = new QProgressBar(FrameDoWIW);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    LabTab = new QLabel(FrameDoWIW);
    LabTab->setObjectName(QStringLiteral("LabTab"));
    LabIl = new QLabel(FrameDoWIW);
    LabIl->setObjectName(QStringLiteral("LabIl"));
    auto *progress = new QGridLayout(FrameDoWIW);
    progress->addWidget(ProgressBar1, 0, 0, 1, 2);
    progress->addWidget(new QLabel(QStringLiteral("Tabela:"), FrameDoWIW), 1, 0);
    progress->addWidget(LabTab, 1, 1);
    progress->addWidget(new QLabel(QStringLiteral("Ilość rekordów:"), FrameDoWIW), 2, 0);
    progress->addWidget(LabIl, 2, 1);
    FrameDoWIW->adjustSize();
    FrameDoWIW->setVisible(false);
    Line1 = new QFrame(area);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
}

QMenu *aMain::addTopMenu(const QString &name, const QString &caption)
{
    QMenu *menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menuItems_.insert(name, menu->menuAction());
    return menu;
}

QAction *aMain::addItem(QMenu *menu, const QString &name, const QString &caption,
                        void (aMain::*handler)(), bool visible, bool enabled)
{
    QAction *item = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    item->setObjectName(name);
    item->setVisible(visible);
    item->setEnabled(enabled);
    if (handler)
        connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    menuItems_.insert(name, item);
    return item;
}

void aMain::buildMenus()
{
    // Alt, and F10 as well, take the keyboard to the menu bar.
    ui::MenuBarOnF10(menuBar());
    QMenu *daily = addTopMenu(QStringLiteral("MenOperacjeDnia"), QStringLiteral("Operacje dnia"));
    addItem(daily, QStringLiteral("Men2Red"), QStringLiteral("Ewidencja próbek"),
            &aMain::Men2Red_Click);
    addItem(daily, QStringLiteral("men3Zaklad"), QStringLiteral("Płytki ELISA"),
            &aMain::men3Zaklad_Click, false, false);
    addItem(daily, QStringLiteral("MatZuzyte"), QStringLiteral("Materiały zużyte"),
            &aMain::MatZuzyte_Click, false, false);

    QMenu *defs = addTopMenu(QStringLiteral("MenDefinicje"), QStringLiteral("Definicje"));
    addItem(defs, QStringLiteral("menGatunek"), QStringLiteral("Gatunek"), &aMain::menGatunek_Click,
            false, false);
    addItem(defs, QStringLiteral("menPlec"), QStringLiteral("Płeć"), &aMain::menPlec_Click, false,
            false);
    addItem(defs, QStringLiteral("menLekarz"), QStringLiteral("Lekarz pobierający"),
            &aMain::menLekarz_Click);
    addItem(defs, QStringLiteral("mentTSM"), QStringLiteral("Metoda"), &aMain::mentTSM_Click);
    addItem(defs, QStringLiteral("Operatorzy"), QStringLiteral("Operatorzy"),
            &aMain::Operatorzy_Click);
    addItem(defs, QStringLiteral("StanPr"), QStringLiteral("Opis i stan próbki"),
            &aMain::StanPr_Click);
    addItem(defs, QStringLiteral("menAutoryzowal"), QStringLiteral("Osoba autoryzująca badanie"),
            &aMain::menAutoryzowal_Click);
    addItem(defs, QStringLiteral("menWykonujacy"), QStringLiteral("Osoba wykonująca badanie"),
            &aMain::menWykonujacy_Click);
    addItem(defs, QStringLiteral("menOdpowiedzialny"),
            QStringLiteral("Osoba odpowiedzialna za badanie"), &aMain::menOdpowiedzialny_Click);
    addItem(defs, QStringLiteral("piwety"), QStringLiteral("PIW"), &aMain::piwety_Click);
    addItem(defs, QStringLiteral("menRodzMat"), QStringLiteral("Rodzaj materiału"),
            &aMain::menRodzMat_Click);
    addItem(defs, QStringLiteral("MenUwagiP"), QStringLiteral("Uwagi do partii"),
            &aMain::MenUwagiP_Click, false, false);
    addItem(defs, QStringLiteral("MenUwagiB"), QStringLiteral("Uwagi do próbek"),
            &aMain::MenUwagiB_Click);
    addItem(defs, QStringLiteral("Men2Uzytkownik"), QStringLiteral("Użytkownik"),
            &aMain::Men2Uzytkownik_Click);
    addItem(defs, QStringLiteral("wiw"), QStringLiteral("WIW"), &aMain::wiw_Click);
    addItem(defs, QStringLiteral("zlewnie"), QStringLiteral("Zakłady"), &aMain::zlewnie_Click);
    addItem(defs, QStringLiteral("menDefKr1"), QStringLiteral("-"), nullptr);
    addItem(defs, QStringLiteral("menHCL"), QStringLiteral("HCl"), &aMain::menHCL_Click);
    addItem(defs, QStringLiteral("menMieszadlo"), QStringLiteral("Mieszadło"),
            &aMain::menMieszadlo_Click);
    addItem(defs, QStringLiteral("menPepsyna"), QStringLiteral("Pepsyna"),
            &aMain::menPepsyna_Click);
    addItem(defs, QStringLiteral("menSito"), QStringLiteral("Sito"), &aMain::menSito_Click);
    addItem(defs, QStringLiteral("menTermometr"), QStringLiteral("Termometr"),
            &aMain::menTermometr_Click);
    addItem(defs, QStringLiteral("menTrychinoskop"), QStringLiteral("Trychinoskop"),
            &aMain::menTrychinoskop_Click);
    addItem(defs, QStringLiteral("menWaga"), QStringLiteral("Waga"), &aMain::menWaga_Click);

    QMenu *archive = addTopMenu(QStringLiteral("MenArchiwum"), QStringLiteral("Archiwum"));
    archive->menuAction()->setVisible(false);
    archive->menuAction()->setEnabled(false);
    addItem(archive, QStringLiteral("Archiwizacja"), QStringLiteral("Archiwizacja"),
            &aMain::Archiwizacja_Click);
    addItem(archive, QStringLiteral("PrzArchiwum"), QStringLiteral("Dane archiwalne"), nullptr);
    addItem(archive, QStringLiteral("ArchZew"), QStringLiteral("Archiwizacja plików"), nullptr);

    QMenu *prints = addTopMenu(QStringLiteral("MenWydruki"), QStringLiteral("Wydruki"));
    prints->menuAction()->setVisible(false);
    addItem(prints, QStringLiteral("Ilprob"), QStringLiteral("Zestawienia"), &aMain::Ilprob_Click);
    addItem(prints, QStringLiteral("WMatZuzyte"), QStringLiteral("Materiały zużyte"),
            &aMain::WMatZuzyte_Click, false, false);
    addItem(prints, QStringLiteral("WRodzUb"), QStringLiteral("Rodzaj uboju"),
            &aMain::WRodzUb_Click, false, false);

    QMenu *tools = addTopMenu(QStringLiteral("MenNarzedzia"), QStringLiteral("Narzędzia"));
    tools->menuAction()->setVisible(false);
    addItem(tools, QStringLiteral("Opcje"), QStringLiteral("Opcje programu"), &aMain::Opcje_Click);
    addItem(tools, QStringLiteral("Men1Tech"), QStringLiteral("Funkcje techniczne"), nullptr, false,
            false);
    addItem(tools, QStringLiteral("CzyscBaze"), QStringLiteral("Czyszczenie bazy"),
            &aMain::CzyscBaze_Click, false, false);

    QMenu *end = addTopMenu(QStringLiteral("MenKoniec"), QStringLiteral("Koniec"));
    addItem(end, QStringLiteral("Men1Exit"), QStringLiteral("Zakończenie pracy"),
            &aMain::Men1Exit_Click);
    addItem(end, QStringLiteral("A"), QStringLiteral("-"), nullptr, false);
    addItem(end, QStringLiteral("Men1KZV"), QStringLiteral("O autorze"), &aMain::Men1KZV_Click,
            false, false);
}

void aMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (int panel = 1; panel <= 4; ++panel) {
        auto *text = new QLabel(bar);
        text->setObjectName(QStringLiteral("Panel%1").arg(panel));
        text->setFrameShape(QFrame::Panel);
        text->setFrameShadow(QFrame::Sunken);
        bar->addWidget(text, panel == 4 ? 1 : 0);
        statusPanels_.append(text);
    }
}

QString aMain::StatusPanelText(int panel) const
{
    if (panel < 1 || panel > statusPanels_.size())
        return {};
    return statusPanels_.at(panel - 1)->text();
}

QAction *aMain::MenuItem(const QString &name) const
{
    return menuItems_.value(name);
}

// ------------------------------------------------------------------ layout

void aMain::initialLayout()
{
    const auto sized = [](int width, int height) {
        TwipsRect rect;
        rect.Width = width;
        rect.Height = height;
        return rect;
    };
    const TwipsRect button = sized(MainLayout::ButtonWidth, MainLayout::ButtonHeight);
    layout_.Command1 = layout_.ComPlytki = layout_.ComArchiwizacja = layout_.ComWysDoWIW = button;
    layout_.ComUzytkownik = layout_.ComCLab = layout_.ComEnd = button;
    layout_.LabelData = sized(MainLayout::LabelDataWidth, MainLayout::LabelDataHeight);
    layout_.LabMonth = sized(MainLayout::LabMonthWidth, MainLayout::LabMonthHeight);
    layout_.LabelData.Left = layout_.LabMonth.Left = DateLabelsLeft;
    const auto twipsOf = [this](const QWidget *widget) {
        TwipsRect rect;
        rect.Width = MainLayout::PixelsToTwips(widget->width(), logicalDpiX());
        rect.Height = MainLayout::PixelsToTwips(widget->height(), logicalDpiY());
        return rect;
    };
    layout_.LabelVer = twipsOf(LabelVer);
    layout_.Frame1 = twipsOf(Frame1);
    layout_.Frame1.Left = DateLabelsLeft;
    layout_.FrameCzekaj = twipsOf(FrameCzekaj);
    layout_.FrameDoWIW = twipsOf(FrameDoWIW);
    layout_.Image1 = sized(PictureWidth, PictureHeight);
    layout_.Image1.Top = PictureTop;
    layout_.Line1X1 = RuleLeft;
}

void aMain::applyLayout()
{
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const auto place = [dpiX, dpiY](QWidget *widget, const TwipsRect &rect) {
        widget->move(MainLayout::TwipsToPixels(rect.Left, dpiX),
                     MainLayout::TwipsToPixels(rect.Top, dpiY));
    };
    place(Command1, layout_.Command1);
    place(ComPlytki, layout_.ComPlytki);
    place(ComArchiwizacja, layout_.ComArchiwizacja);
    place(ComWysDoWIW, layout_.ComWysDoWIW);
    place(ComUzytkownik, layout_.ComUzytkownik);
    place(ComCLab, layout_.ComCLab);
    place(ComEnd, layout_.ComEnd);
    place(LabelData, layout_.LabelData);
    place(LabMonth, layout_.LabMonth);
    place(LabelVer, layout_.LabelVer);
    place(Frame1, layout_.Frame1);
    place(FrameCzekaj, layout_.FrameCzekaj);
    place(FrameDoWIW, layout_.FrameDoWIW);
    place(Image1, layout_.Image1);
    const int x1 = MainLayout::TwipsToPixels(layout_.Line1X1, dpiX);
    const int x2 = MainLayout::TwipsToPixels(layout_.Line1X2, dpiX);
    Line1->setGeometry(x1, MainLayout::TwipsToPixels(RuleTop, dpiY), qMax(0, x2 - x1), 2);
}

void aMain::Form_Initialize()
{
    initialLayout();
    Form_Resize();
}

void aMain::Form_Resize()
{
    Command5_Click();
}

void aMain::Command5_Click()
{
    MainLayout::WindowSize size;
    const QWidget *area = centralWidget();
    size.ScaleWidth = MainLayout::PixelsToTwips(area->width(), logicalDpiX());
    size.ScaleHeight = MainLayout::PixelsToTwips(area->height(), logicalDpiY());
    size.FormWidth = MainLayout::PixelsToTwips(frameGeometry().width(), logicalDpiX());
    size.FormHeight = MainLayout::PixelsToTwips(frameGeometry().height(), logicalDpiY());
    MainLayout::Arrange(layout_, size);
    applyLayout();
}

void aMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

// ---------------------------------------------------------------- start-up

bool aMain::programEnded() const
{
    const ProgramEndRecorder *recorder = ProgramEndRecorder::Active();
    return recorder && recorder->Count() > endsBeforeLoad_;
}

void aMain::Form_Load()
{
    const ProgramEndRecorder *recorder = ProgramEndRecorder::Active();
    endsBeforeLoad_ = recorder ? recorder->Count() : 0;
    try {
        runStartup();
    } catch (const RuntimeError &error) {
        ReportLoadError(error);
    }
}

void aMain::ReportLoadError(const RuntimeError &error)
{
    // A date in the wrong regional format gives an invalid property value.
    if (error.Number() == rterr::InvalidPropertyValue) {
        ShowAlarm(QStringLiteral("Ustaw poprawny format daty w ustawieniach regionalnych WINDOWS!"),
                  QStringLiteral("dd.mm.rrrr"), 15, true);
        Form_Unload();
        return;
    }
    ShowError(QStringLiteral("ŁADOWANIE PROGRAMU"), error);
}

void aMain::runStartup()
{
    ActivatePrevInstance();
    if (programEnded())
        return;
    if (InitApplication() && !programEnded())
        FillStartupPickLists();
    if (programEnded())
        return;
    frmLoginLab::Open(QStringLiteral("aMain"));
    if (programEnded())
        return;
    if (!LoginOk) {
        ShowAlarm(QStringLiteral("Nie masz uprawnień do pracy z tym programem!!!"),
                  QStringLiteral("ALARM!!!"), 1, false);
        Form_Unload();
        return;
    }
    // The program works in its own folder, wherever it was started from: an
    // open dialog without a folder of its own starts among the laboratory's
    // files.
    if (!ProgramFolder.isEmpty())
        QDir::setCurrent(fs::DriveMap::ToReal(ProgramFolder));
    showLetterhead();
    // The repairs and the result-width probe run at every start. An existing
    // month database gets them as it is opened, so it is opened once and what
    // they report is shown once; one made just now is opened once more for
    // them. A month database that could not be opened has been reported once
    // already.
    const QDate today = QDate::currentDate();
    const bool monthExisted = fs::FileSystemObject::FileExists(MonthDbPath(today));
    if (SetWorkingDate(today) && !monthExisted)
        ComTworzBazy_Click();
    SprawdzDodajKolumny();
    loadLaboratoryCodes();
    fillStatusBar();
    PoprawPlec(QStringLiteral("Maciora"), QString(), QStringLiteral("Locha"));
}

void aMain::ActivatePrevInstance()
{
    guard_ = std::make_unique<shell::SingleInstanceGuard>();
    if (guard_->TryToRun()) {
        connect(guard_.get(), &shell::SingleInstanceGuard::activationRequested, this,
                &aMain::bringToFront);
        return;
    }
    // The running copy has been brought to the front; this one ends.
    guard_.reset();
    EndProgram();
}

void aMain::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void aMain::showLetterhead()
{
    QLabel *lines[] = {Label2, Label3, Label4, Label5, Label6};
    for (std::size_t i = 0; i < LabHeaderLines.size(); ++i)
        lines[i]->setText(LabHeaderLines[i]);
}

void aMain::loadLaboratoryCodes()
{
    // Only the first row counts. Without any row the read fails (3021) and the
    // start-up trap reports it: the installation lacks the laboratory's row.
    const std::array<QString, 2> codes = LaboratoryIdentity::FirstCodes(StaleDb);
    LabelKodLok->setText(codes[0]);
    LabelKodLok2->setText(codes[1]);
}

void aMain::showLaboratory()
{
    const std::optional<LaboratoryIdentity::Laboratory> laboratory =
        LaboratoryIdentity::Read(StaleDb);
    if (!laboratory)
        return;
    QLabel *const lines[] = {Label2, Label3, Label4, Label5, Label6};
    for (std::size_t i = 0; i < std::size(lines); ++i)
        lines[i]->setText(laboratory->letterhead[i]);
    LabelKodLok->setText(laboratory->parentCode);
    LabelKodLok2->setText(laboratory->stationCode);
}

void aMain::fillStatusBar()
{
    statusPanels_[1]->setText(frmLoginLab::SignedIn().surname);
    statusPanels_[0]->setText(LabelVer->text());
    statusPanels_[2]->setText(LabelData->text());
}

void aMain::SprawdzDodajKolumny()
{
    ::SprawdzDodajKolumny();
}

// ------------------------------------------------------------ working date

bool aMain::SetWorkingDate(const QDate &date)
{
    const QDate previousDate = WorkingDate;
    const QString previousCaption = LabelData->text();
    const QString previousMonth = LabMonth->text();
    WorkingDate = date;
    LabelData->setText(date.toString(DateCaptionFormat));
    if (LabelData_Change())
        return true;
    // The month database of the new date could not be opened: the date the
    // open month database belongs to stays in force.
    if (!previousCaption.isEmpty()) {
        WorkingDate = previousDate;
        LabelData->setText(previousCaption);
        LabMonth->setText(previousMonth);
    }
    return false;
}

bool aMain::LabelData_Change()
{
    const std::optional<QDate> date = dao::ParseDateText(LabelData->text());
    if (!date) {
        // No month database can be named after a caption that is no date.
        ShowInfo(QStringLiteral("Nieprawidłowa data! Zamknij system i uruchom ponownie!"),
                 InfoCaption);
        return false;
    }
    LabMonth->setText(MonthName(date->month()));
    return ComTworzBazy_Click();
}

void aMain::LabelData_DblClick()
{
    const QDate picked = PickDate(LabelData->text(), QStringLiteral("WYBIERZ DATĘ"));
    SetWorkingDate(picked);
}

void aMain::LabMonth_DblClick()
{
    LabelData_DblClick();
}

bool aMain::ComTworzBazy_Click()
{
    const std::optional<QDate> date = dao::ParseDateText(LabelData->text().trimmed());
    if (!date)
        return false;
    try {
        EnsureFolder(MonthDbYearFolder(*date));
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Tworzenie nowej bazy!"), error);
        return false;
    }
    return OtworzLubTworzBaze(MonthDbPath(*date), LabMonth->text());
}

bool aMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == LabelData) {
            LabelData_DblClick();
            return true;
        }
        if (watched == LabMonth) {
            LabMonth_DblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- shutdown

void aMain::Form_Unload()
{
    // Each database is closed on its own: one that fails to close does not
    // keep the others open.
    for (dao::Database *db : {&StaleDb, &MonthDb, &RobotDb}) {
        try {
            if (db->IsOpen())
                db->Close();
        } catch (const RuntimeError &) {
            // The program ends next; the file is released with it.
        }
    }
    EndProgram();
}

void aMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void aMain::trapped(const std::function<void()> &command)
{
    TrapErrors(ReportCaption, command);
}
