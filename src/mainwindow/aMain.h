#pragma once

#include "mainwindow/MainLayout.h"

#include <QDate>
#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class RuntimeError;

namespace shell
{
class SingleInstanceGuard;
}

// The main window "Menu główne": the program's start object and its only
// modeless window. Its load runs the whole start-up; it keeps the working date,
// whose month database it opens, and every other window is opened from it.
//
// The constructor builds the controls and lays them out (the window's
// initialisation); Form_Load then runs the start-up.
class aMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit aMain(QWidget *parent = nullptr);
    ~aMain() override;

    // The version caption, fixed at design.
    static const QString VersionCaption;
    // The month's name in capitals, "STYCZEŃ" .. "GRUDZIEŃ"; "" outside 1..12.
    static QString MonthName(int month);

    // Visible buttons, in their order on screen.
    QPushButton *Command1;        // "Ewidencja próbek"
    QPushButton *ComPlytki;       // "Użytkownik"
    QPushButton *ComArchiwizacja; // "Archiwizacja"
    QPushButton *ComWysDoWIW;     // "Wyślij dane do WIW"
    QPushButton *ComUzytkownik;   // "Zakłady"
    QPushButton *ComCLab;         // "Export do CLab"
    QPushButton *ComEnd;          // "Koniec"

    // Hidden buttons.
    QPushButton *ComMatZuzyte;
    QPushButton *ComOpcje;
    QPushButton *ComTworzBazy;
    QPushButton *Command5; // "AutoResize"
    QPushButton *Command2; // "Lista zakładów"
    QPushButton *Command3; // "Lista PIW"
    QPushButton *ComDodKol;
    QPushButton *Command6;
    QPushButton *Command4; // "Roboczy"
    QPushButton *ComAdmin;
    QPushButton *ComKodKresk;

    QLabel *LabelData;    // the working date "dd.mm.yyyy": the date in force everywhere
    QLabel *LabMonth;     // its month's name
    QLabel *LabelKodLok;  // hidden: the parent laboratory code
    QLabel *LabelKodLok2; // hidden: the remote-station code
    QLabel *LabelVer;     // hidden: the version caption
    QGroupBox *Frame1;    // hidden: "Użytkownik:" with the letterhead lines
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QLabel *Label6;
    QGroupBox *Frame2; // hidden: the two list reports
    QGroupBox *FrameCzekaj;
    QFrame *FrameDoWIW; // hidden: the send's progress, which nothing fills
    QProgressBar *ProgressBar1;
    QLabel *LabTab;
    QLabel *LabIl;
    QFrame *Line1;
    QLabel *Image1;

    // The status bar's four panels (1-based as the window numbers them).
    QString StatusPanelText(int panel) const;

    // The menu items by their names.
    QAction *MenuItem(const QString &name) const;

    // The program's start-up, run once before the window is first shown.
    void Start() { Form_Load(); }
    void ActivatePrevInstance();
    // Sets the working date: the date's month database is opened (made first
    // when missing). When it cannot be opened, the previous working date and
    // month database stay in force. True when the date took effect.
    bool SetWorkingDate(const QDate &date);
    // The start-up repairs of StaleDb.
    void SprawdzDodajKolumny();
    // What the load's error trap does with an error that reached it.
    void ReportLoadError(const RuntimeError &error);

    // The layout's current positions, in twips.
    const MainLayout::Controls &LayoutTwips() const { return layout_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Set by the menu item "Materiały zużyte" before the materials gate runs.
    QString CommandOrigin;

    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void LabelData_DblClick();
    void LabMonth_DblClick();
    bool LabelData_Change();
    // The month-database procedure for the date in LabelData; true when a
    // month database was opened.
    bool ComTworzBazy_Click();

    // Visible commands.
    void Command1_Click();
    void Men2Red_Click();
    void ComPlytki_Click();
    void Men2Uzytkownik_Click();
    void ComUzytkownik_Click();
    void zlewnie_Click();
    void ComArchiwizacja_Click();
    void ComWysDoWIW_Click();
    void ComCLab_Click();
    void ComEnd_Click();
    void Men1Exit_Click();

    // "Definicje".
    void menLekarz_Click();
    void mentTSM_Click();
    void Operatorzy_Click();
    void StanPr_Click();
    void menAutoryzowal_Click();
    void menWykonujacy_Click();
    void menOdpowiedzialny_Click();
    void piwety_Click();
    void menRodzMat_Click();
    void MenUwagiB_Click();
    void wiw_Click();
    void menHCL_Click();
    void menMieszadlo_Click();
    void menPepsyna_Click();
    void menSito_Click();
    void menTermometr_Click();
    void menTrychinoskop_Click();
    void menWaga_Click();

    // Hidden commands.
    void menGatunek_Click();
    void menPlec_Click();
    void MenUwagiP_Click();
    void men3Zaklad_Click();
    void MatZuzyte_Click();
    void ComMatZuzyte_Click();
    void Archiwizacja_Click();
    void WMatZuzyte_Click();
    void WRodzUb_Click();
    void Ilprob_Click();
    void Opcje_Click();
    void ComOpcje_Click();
    void CzyscBaze_Click();
    void Men1KZV_Click();
    void Command5_Click();
    void Command2_Click();
    void Command3_Click();
    void ComDodKol_Click();
    void Command6_Click();
    void Command4_Click();

    void buildButtons(QWidget *area);
    void buildLabels(QWidget *area);
    void buildFrames(QWidget *area);
    void buildMenus();
    void buildStatusBar();
    QMenu *addTopMenu(const QString &name, const QString &caption);
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                     void (aMain::*handler)(), bool visible = true, bool enabled = true);
    QPushButton *addButton(QWidget *area, const QString &name, const QString &caption,
                           void (aMain::*handler)(), bool visible = true);
    void initialLayout();
    void applyLayout();

    void runStartup();
    bool programEnded() const;
    void showLetterhead();
    void loadLaboratoryCodes();
    // The letterhead and codes read anew after the identity was saved.
    void showLaboratory();
    void fillStatusBar();
    void bringToFront();

    // Runs a command; a run-time error is reported and the command ends.
    void trapped(const std::function<void()> &command);

    void openEquipmentList(const QString &table, const QString &heading, int maxLength);
    void openPersonList(const QString &table, const QString &gridCaption);
    void openRemarkHints(const QString &caption, const QString &table);
    void openClientRegister();
    void openLaboratoryIdentity();
    void showListReport(const QString &reportFile);

    // Commands whose work comes with the backup, the database cleaning, the
    // materials-used entry and the data send to the regional inspectorate;
    // until then they change nothing.
    void RunBackup();
    void OpenDatabaseCleaning();
    void RunMaterialsUsedGate();
    void SendDataToRegionalInspectorate();

    QList<QLabel *> statusPanels_;
    QHash<QString, QAction *> menuItems_;
    MainLayout::Controls layout_;
    std::unique_ptr<shell::SingleInstanceGuard> guard_;
    int endsBeforeLoad_ = 0;
};
