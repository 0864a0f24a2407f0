#pragma once

#include "batches/BatchFrameValues.h"
#include "foundation/BatchHeading.h"
#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "platform/RuntimeError.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Recordset.h"

#include <QDialog>
#include <QString>

#include <optional>

class BatchOrderFile;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace ui
{
class DBGrid;
class DataControl;
class MaskEdBox;
} // namespace ui

// The batch register: the batches of the working month, newest first, with
// the edit frame in which one batch is added or corrected. Loaded hidden at
// start-up, when its pick lists are filled, and kept for the whole run; the
// main window opens it through Open.
//
// The list's current row is the current batch for every window opened from
// here. While the edit frame is open the list stays disabled, and a correction
// is written into the batch that was loaded, whatever happens in between.
class FormPartia : public QDialog
{
    Q_OBJECT

public:
    explicit FormPartia(QWidget *parent = nullptr);

    // The batches of the month database, newest first, with the date box
    // preset to the working date, shown modally. Errors go to the caller.
    static void Open(const QString &workingDate);
    // The lists of operators who receive batches and of persons who
    // authorise, read anew.
    void RefillPickLists();

    // ------------------------------------------------------------ list side
    QLabel *Label9; // "REDAGOWANIE PARTII"
    ui::DBGrid *DBGridPartia;
    ui::DataControl *DataPartia; // the month's batches; its current row is the current batch
    QLabel *LabDataDTP;
    ui::MaskEdBox *DTPData; // the register's date, preset with the working date
    QPushButton *ComDodajPr;
    QPushButton *ComPopraw;
    QPushButton *ComUsun;
    QPushButton *ComDrukuj;
    QPushButton *ComWczytPart;
    QCheckBox *CheckWczyt; // after a header import, read the order file's samples too
    QPushButton *ComEdytuj;
    QPushButton *ComNastawienie;
    QPushButton *ComSzukaj;
    QPushButton *ComPlik; // the list export; created hidden and disabled
    QPushButton *ComZamk;
    QGroupBox *FrameSzukaj; // "SZUKANIE WG", never shown

    // ----------------------------------------------------------- edit frame
    QGroupBox *FramePartia = nullptr;
    QLineEdit *TextNrPartii;
    QLineEdit *TextZaklad; // the owner's WNI
    QPushButton *ComWNI;
    QLabel *LabelNazZak;
    QLabel *LabTypWNI;
    QLineEdit *TextZleceniodawcaWNI;
    QPushButton *ComZleceniodawca;
    QLabel *LabelNazZleceniodawca;
    QCheckBox *CheckZleceniodawcaPIW;
    QGroupBox *FramePlatnik;
    QRadioButton *OptionW;
    QRadioButton *OptionZ;
    QLineEdit *TextKodPIW;
    QLineEdit *TextMiejscowoscPobr;
    QComboBox *ComboLekarz;
    ui::MaskEdBox *DTPDataUboju;
    QPushButton *ComDataUboju;
    ui::MaskEdBox *TextDataPobr;
    QPushButton *ComDataPobr;
    QLineEdit *TextGodzPobr;
    QPushButton *ComGodzPobr;
    QLineEdit *TextNrTac;
    QLineEdit *TextIlProbek;
    ui::MaskEdBox *DTPDataDoLab;
    QPushButton *ComDataDoLab;
    QLineEdit *TextGodzDoLab;
    QPushButton *ComGodzDoLab;
    ui::MaskEdBox *DTPDataRozpBad;
    QPushButton *ComDataRozpBad;
    QLineEdit *TextGodzRozpBad;
    QPushButton *ComGodzRozpBad;
    ui::MaskEdBox *DTPDataZakBad;
    QPushButton *ComDatZakBad;
    QLineEdit *TextGodzZakBad;
    QPushButton *ComGodzZakBad;
    QLineEdit *TextMetoda;
    QPushButton *ComPobierzMetoda;
    QComboBox *ComboPrzyjal;     // operators who receive batches
    QComboBox *ComboAutoryzowal; // persons who authorise
    QComboBox *ComboPrzekazanieWyniku;
    QLineEdit *TextDostarczyl;
    QPlainTextEdit *TextUwagi;
    QGroupBox *FrameTN;
    QRadioButton *OptionNie;
    QRadioButton *OptionTak;
    QCheckBox *CheckNast; // open the samples after saving
    QPushButton *ComZapiszFr;
    QPushButton *ComAnulujFr;

    // -------------------------------------------------------- list side
    // Enables the list, its data control and the browse buttons (true), or
    // disables them while a frame is open (false).
    void Klawisze(bool flag);

    // -------------------------------------------------------- edit frame
    void EstablishmentNameLookup();
    void OrderingPartyNameLookup();
    void CountyNameLookup();

    // Puts one field of the Kierunek row of the code into the box ("" when
    // the row or its value is missing). Errors go to the caller.
    void PobierzTestSeriaMetoda(QLineEdit *box, const QString &code, const QString &fieldName);

    // The frame as the save reads it.
    BatchFrameValues FrameValues() const;

    // Esc and the window's close button: the close button closes the list;
    // neither leaves an open edit frame.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    // Opens the samples of the current batch; the run window calls it too.
    void DBGridPartia_DblClick();
    void DBGridPartia_RowColChange();
    void ComEdytuj_Click();
    void ComNastawienie_Click();
    void ComDrukuj_Click();
    void ComSzukaj_Click();
    void ComPlik_Click();
    void ComUsun_Click();
    void ComWczytPart_Click();
    void ComZamk_Click();
    void ComDodajPr_Click();
    void ComPopraw_Click();
    void ComAnulujFr_Click();
    void ComZapiszFr_Click();
    void TextZaklad_LostFocus();
    void TextZleceniodawcaWNI_LostFocus();
    void CheckZleceniodawcaPIW_Click();
    void ComWNI_Click();
    void ComZleceniodawca_Click();
    void ComDataUboju_Click();
    void ComDataPobr_Click();
    void ComDataDoLab_Click();
    void ComDataRozpBad_Click();
    void ComDatZakBad_Click();
    void ComGodzPobr_Click();
    void ComGodzDoLab_Click();
    void ComGodzRozpBad_Click();
    void ComGodzZakBad_Click();
    void ComPobierzMetoda_Click();

    void buildList();
    void buildFrame();
    void layoutFrame();
    void connectFrame();
    void setFrameTabOrder();
    void watchKeys();

    dao::Recordset Batches() const;
    bool HasCurrentBatch() const;
    // The current batch as the sample and run windows show it.
    BatchHeading CurrentHeading() const;
    // The samples of the current batch, reading importFile in when given.
    void OpenSamples(const QString &importFile);
    // After a failure: the list is enabled again unless the frame stays open.
    void RestoreListState();
    void ShowFrame(const QString &caption);
    void ShowFault(const Refusal &fault);

    // The steps of "&Dodaj" without its error trap, shared with the header
    // import.
    void StartNewBatch();
    void LoadBatch();
    // Puts the values into the frame's boxes, the names looked up.
    void ShowValues(const BatchFrameValues &values);
    void ClearFrame();
    void PickDateInto(ui::MaskEdBox *box);
    void PickTimeInto(QLineEdit *box, bool presetNow);
    void LookupNameInto(QLabel *label, const QString &identifier, QWidget *nextFocus);

    // The save's stages.
    bool SaveBatch();
    std::optional<Refusal> WriteBatch(const BatchFrameValues &values);
    void SaveFailed(const RuntimeError &error);
    void AfterSave();
    void ReloadList();
    void MakeCurrent(const dao::Bookmark &row);

    // The header import.
    void RegisterClient(const BatchOrderFile &file);
    void FillFromHeader(const BatchOrderFile &file);
    void ImportFailed(const RuntimeError &error);
    void ExportList();
    void DeleteCurrentBatch();
    // Reads the list anew after a failed write, keeping its current row.
    void RereadList();

    // What "&Zapisz" does with the open frame: append a batch or correct the
    // loaded one, wherever the list stands then.
    FrameEdit edit_;
    // A correction leaves the list where it stands. A failed save clears
    // this, so the save that follows shows the row it wrote.
    bool listStaysAfterSave_ = false;
    QString AutoImportMarker;  // "WczytAuto": the save goes on to the sample import
    dao::Bookmark writtenRow_; // the row the last save wrote
    // Set while the program moves the focus itself or a lookup runs: no
    // name lookup starts from a field losing the focus then.
    bool lookupsHeld_ = false;
};
