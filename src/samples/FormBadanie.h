#pragma once

#include "foundation/BatchHeading.h"
#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "platform/RuntimeError.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Recordset.h"
#include "samples/SampleFrameValues.h"

#include <QDialog>
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
} // namespace ui

// The sample register of one batch: its samples in a list, the sample frame
// in which one is added or corrected, the duplication over a range of
// carcass numbers and the import of an order file's sample lines. Loaded
// hidden at start-up, when its pick lists are filled, and kept for the whole
// run; other windows open it through its doors only.
//
// While a frame is open the list stays disabled, also after a failed save,
// and a correction is written into the sample that was loaded.
class FormBadanie : public QDialog
{
    Q_OBJECT

public:
    explicit FormBadanie(QWidget *parent = nullptr);

    // Shows the samples of the batch until the user closes the window; an
    // order file given is read in first. Database errors go to the caller.
    static void OpenForBatch(const BatchHeading &batch, const QString &importFile = QString());
    // The same, standing on the sample of that carcass number when there is
    // one.
    static void OpenAtCarcass(const BatchHeading &batch, const QString &carcassNumber);
    // Tissues, sample descriptions and remark hints, read anew.
    void RefillPickLists();

    // ------------------------------------------------------------ list side
    QLabel *LabPartiaOp;      // "Nr Partii:"
    QLabel *LabPartia;        // the batch number
    QLabel *LabDataOp;        // "Data:"
    QLabel *LabData;          // the batch's delivery date
    QLabel *LabZaklOp;        // "Zakład:"
    QLabel *LabZaklad;        // the establishment line
    QLabel *LabelKod;         // the batch's WNI
    QLabel *LabelWczytajPlik; // an order file whose samples are still to be read
    ui::DataControl *DataBad; // the batch's samples
    ui::DBGrid *DBGridBad;
    QPushButton *ComDodajPr;
    QPushButton *ComPopraw;
    QPushButton *ComUsun;
    QPushButton *ComDuplikuj;
    QPushButton *ComZamk;

    // --------------------------------------------------------- sample frame
    QGroupBox *FrameProbka; // "NOWA PRÓBKA" / "EDYCJA PRÓBKI"
    QLineEdit *TextNrProbki;
    QLineEdit *TextNrTacy;
    QLineEdit *TextIDProbkiWNI;
    QLineEdit *TextIDProbkiNr;
    QLineEdit *TextIDProbkiData;
    QLineEdit *TextNrDzien;
    QLineEdit *TextNrOgolny;
    QComboBox *ComboGatunek;
    QLabel *LabIDGatunek; // the chosen species' IDGatunek
    QComboBox *ComboPlec;
    QComboBox *ComboTkanka;
    QComboBox *ComboOpis;
    QComboBox *ComboWynik;
    QComboBox *ComboUwagi; // remark hints
    QPlainTextEdit *TextUwagi;
    QCheckBox *CheckNast; // " Następna próbka"
    QPushButton *ComOpisPr;
    QPushButton *ComWstUjemny;
    QPushButton *ComZapiszFr;
    QPushButton *ComAnulujFr;

    // ---------------------------------------------------- duplication frame
    QGroupBox *FrameDuplikuj; // "DUPLIKACJA WIELOKROTNA"
    QLineEdit *TextNrProbkiOd;
    QLineEdit *TextNrProbkiDo;
    QPushButton *ComDuplikujOK;
    QPushButton *ComAnulujFrD;

    // ---------------------------------------------------------- wait frame
    QGroupBox *FrameCzekaj;
    QLabel *LabelPrCz;

    // Enables the list, its data control and the list buttons (true), or
    // disables them while a frame is open (false).
    void Klawisze(bool flag);

    // The next daily number of the batch's delivery day and the next general
    // number of the month; nothing when it cannot be had.
    std::optional<qint16> ZnMaxNrDzien() const;
    std::optional<qint32> ZnMaxNrOgolny() const;

    // The frame as the save reads it.
    SampleFrameValues FrameValues() const;

    // The close button acts as "&Zamknij", closing an open frame first; it
    // is ignored while an import runs.
    void reject() override;

protected:
    void setVisible(bool visible) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // ----------------------------------------------------------- its state
    // The sample frame's one edit state: a new sample, or the row loaded for
    // a correction as the frame was filled from it.
    FrameEdit edit_;

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void DBGridBad_RowColChange();
    void ComZamk_Click();
    void ComAnulujFr_Click();
    void ComAnulujFrD_Click();
    void ComDodajPr_Click();
    void ComPopraw_Click();
    void ComZapiszFr_Click();
    void ComUsun_Click();
    void ComDuplikuj_Click();
    void ComDuplikujOK_Click();
    void ComOpisPr_Click();
    void ComWstUjemny_Click();
    void ComWczyt_Click();
    // The species pick, on every change of the species' text: the species'
    // id and its sexes.
    void ComboGatunek_Click();

    void buildList();
    void buildFrame();
    void buildDuplication();
    void connectControls();
    void Bind(const BatchHeading &batch);

    dao::Recordset Samples() const;
    bool HasCurrentSample() const;
    void ShowOverlay(QWidget *frame);
    void ShowFault(const Refusal &fault);
    bool ResultLocked() const;

    void StartNewSample();
    void LoadSample();
    // Puts the values into the sample frame's boxes.
    void ShowValues(const SampleFrameValues &values);
    SaveOutcome SaveSample();
    void AfterSave();
    void RereadList();
    void CopyIntoFrame(const dao::Recordset &source, int carcass);
    void RunImport(const QString &path);
    void ImportFailed(const RuntimeError &error, const QString &sampleId);

    void FillTissues();
    void FillDescriptions();
    void FillRemarkHints();

    BatchHeading heading_; // the batch the window is open on
    dao::Bookmark savedRow_;
    bool resultLocked_ = false; // for an operator of kind "OPERATOR", once a sample was edited
    bool importing_ = false;
};
