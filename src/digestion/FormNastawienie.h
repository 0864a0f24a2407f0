#pragma once

#include "digestion/RunStore.h"
#include "foundation/BatchHeading.h"
#include "foundation/Refusal.h"
#include "platform/RuntimeError.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Recordset.h"

#include <QDialog>
#include <QMap>
#include <QString>

#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui
{
class DBGrid;
class DataControl;
class MaskEdBox;
} // namespace ui

// The digestion runs of one batch with the trays of the selected run, the
// run and tray frames and the run-card choice. Loaded hidden at start-up,
// when its pick lists are filled, and kept for the whole run; the batch
// register opens it through OpenForBatch.
//
// While a frame is open both lists and the browse buttons stay disabled, and
// a correction is written into the run or tray that was loaded.
class FormNastawienie : public QDialog
{
    Q_OBJECT

public:
    explicit FormNastawienie(QWidget *parent = nullptr);

    // Shows the runs of the batch and returns when the window is closed.
    // Database errors go to the caller.
    static void OpenForBatch(const BatchHeading &batch);
    // The seven equipment and reagent lists, from their tables of StaleDb.
    void RefillEquipmentLists();
    // The lists of persons who perform and who are responsible for a test.
    void RefillPersonLists();

    // ---------------------------------------------------------------- header
    QLabel *LabZaklad; // the establishment line
    QLabel *LabPartia; // the batch number
    QLabel *LabelKod;  // the batch's WNI
    QLabel *LabData;   // the batch's delivery date

    // ------------------------------------------------------------- run list
    ui::DataControl *DataPartia; // the batch's runs
    ui::DBGrid *DBGridPartia;
    QPushButton *ComDodajPr;
    QPushButton *ComPopraw;
    QPushButton *ComUsun;
    QPushButton *ComDuplikuj;
    QPushButton *ComDrukuj;
    QPushButton *ComZamk;

    // ------------------------------------------------------------ tray list
    ui::DataControl *DataPartiaG; // the selected run's trays
    ui::DBGrid *DBGridPartiaG;
    QPushButton *ComDodajG;
    QPushButton *ComPoprawG;
    QPushButton *ComUsunG;
    QPushButton *ComPrzejdzDo;

    // ------------------------------------------------------------- run frame
    QGroupBox *FramePartia = nullptr;
    QLineEdit *TextNastawienie;
    QLineEdit *TextNrTac;
    QLineEdit *TextIlProbek;
    QLineEdit *TextNawazka;
    QLineEdit *TextPepsyna;
    QLineEdit *TextKwas;
    QLineEdit *TextTemperatura;
    QLineEdit *TextTemperaturaMax;
    QLineEdit *TextCzas;
    QLineEdit *TextCzasSedymentacji1;
    QLineEdit *TextCzasSedymentacji2;
    QComboBox *ComboWaga;
    QComboBox *ComboTermometr;
    QComboBox *ComboMieszadlo;
    QComboBox *ComboTrychinoskop;
    QComboBox *ComboSito;
    QComboBox *ComboOdczynnikHCL;
    QComboBox *ComboOdczynnikPepsyna;
    QComboBox *ComboWynik;
    ui::MaskEdBox *DTPDataRozpBad;
    QPushButton *ComDataRozpBad;
    QLineEdit *TextGodzRozpBad;
    QPushButton *ComGodzRozpBad;
    ui::MaskEdBox *DTPDataZakBad;
    QPushButton *ComDatZakBad;
    QLineEdit *TextGodzZakBad;
    QPushButton *ComGodzZakBad;
    QComboBox *ComboWykonujacy;
    QComboBox *ComboOdpowiedzialny;
    QPlainTextEdit *TextUwagi;
    QPushButton *ComZapiszFr;
    QPushButton *ComAnulujFr;

    // ------------------------------------------------------------ tray frame
    QGroupBox *FramePartiaG = nullptr;
    QLineEdit *TextNrTacy;
    QLineEdit *TextNrTusz;
    QLineEdit *TextNrTuszTucznik;
    QLineEdit *TextNrTuszMaciora;
    QLineEdit *TextNrTuszKnur;
    QLineEdit *TextNrTuszDzik;
    QLineEdit *TextNrTuszInne;
    QLineEdit *TextIlProbekPozycjaN;
    QPushButton *ComLiczbaProbek;
    QCheckBox *CheckNastG;
    QPushButton *ComZapiszFrNaPIW;
    QPushButton *ComAnulujFrNaPIW;

    // ---------------------------------------------------------- print choice
    QGroupBox *FrameWynik = nullptr;
    QPushButton *ComKartaS;
    QPushButton *ComKartaW;
    QPushButton *ComKartaO;

    // Enables (a) the lists, their data controls and the browse buttons and
    // (b) the date label.
    void Klawisze(bool a, bool b);

    // The tray list's caption: the run and its number of trays.
    void PokazPozycje();

    // The window's close button acts as "&Zamknij", and not while a frame is
    // open; Esc does nothing.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the open frame does; both frames share it.
    enum class Edit { None, Adding, Correcting };
    Edit edit_ = Edit::None;
    QString StartingRunNumber;  // the edited run's number when its edit began
    QString StartingTrayNumber; // the edited tray's number when its edit began
    QString CardFormula;        // the selection formula of the last run card

    void Form_Load();
    void Form_Activate();
    void DBGridPartia_RowColChange();
    void DBGridPartiaG_RowColChange();
    void ComZamk_Click();
    void ComAnulujFr_Click();
    void ComDodajPr_Click();
    void ComPopraw_Click();
    void ComZapiszFr_Click();
    void ComUsun_Click();
    void ComDuplikuj_Click();
    void ComDataRozpBad_Click();
    void ComDatZakBad_Click();
    void ComGodzRozpBad_Click();
    void ComGodzZakBad_Click();
    void ComDodajG_Click();
    void ComPoprawG_Click();
    void ComZapiszFrNaPIW_Click();
    void ComAnulujFrNaPIW_Click();
    void ComUsunG_Click();
    void ComLiczbaProbek_Click();
    void ComPrzejdzDo_Click();
    void ComDrukuj_Click();
    void ComKartaS_Click();
    void ComKartaW_Click();
    void ComKartaO_Click();

    void buildLists();
    void buildRunFrame();
    void buildTrayFrame();
    void buildPrintChoice();
    void layoutWindow();
    void connectControls();
    void watchKeys();
    void placeFrames();
    void showFrame(QGroupBox *frame, const QString &caption);
    bool anyFrameOpen() const;

    dao::Recordset Runs() const;
    dao::Recordset Trays() const;
    bool HasRun() const;
    bool HasTray() const;
    int CurrentRunNumber() const;
    BatchNumber Batch() const;
    void BindRuns(const dao::Recordset &runs);
    // Binds the trays of the current run (none without one), then the caption.
    void LoadTrays();
    void ShowFault(const Refusal &fault);
    // True for a save refused because another workstation changed (3197) or
    // deleted (3167) the row since the frame was loaded.
    static bool ChangedElsewhere(const RuntimeError &error);

    // Run frame.
    RunFrameValues RunValues() const;
    void ShowRunValues(const RunFrameValues &values);
    void StartNewRun();
    void LoadRunForEdit();
    void OpenFailed(const QString &caption, const RuntimeError &error);
    void RunSaved(const dao::Bookmark &row);
    void RereadRuns(std::optional<dao::Bookmark> current);
    void PickDateInto(ui::MaskEdBox *box, QPushButton *button);
    void PickTimeInto(QLineEdit *box, QPushButton *button);

    // Tray frame.
    QMap<QString, QLineEdit *> TrayBoxes() const;
    void StartNewTray();
    void LoadTrayForEdit();
    void TraySaved(const dao::Bookmark &row, std::optional<dao::Bookmark> nextTray);
    void RereadTrays(std::optional<dao::Bookmark> current);
    // Asks, then deletes the current tray; true when it was deleted.
    bool DeleteCurrentTray();

    // Run cards.
    void PrintCard(const QString &definition);
    bool StageCard();
    void EndPrintChoice();

    BatchHeading heading_;
    std::optional<LoadedRow> loadedRun_;  // the run under correction
    std::optional<LoadedRow> loadedTray_; // the tray under correction
};
