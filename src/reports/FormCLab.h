#pragma once

#include "reports/ClabPrecheck.h"
#include "reports/ClabSettings.h"
#include "reports/ClabStore.h"

#include <QDate>
#include <QDialog>
#include <QElapsedTimer>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ui
{
class MaskEdBox;
} // namespace ui

// The export of finished batches to the central laboratory ("EXPORT"): the
// rights, code and date checks, the results check with its two reports, the
// XML document of the chosen batches, the journal line, the packing of the
// document and the hand-off to the upload page; beside them the laboratory's
// code settings and the journal viewer. Closing only hides it, so its boxes
// keep their contents.
class FormCLab : public QDialog
{
    Q_OBJECT

public:
    explicit FormCLab(QWidget *parent = nullptr);

    // The main window's command: both period bounds at the working date
    // ("dd.mm.yyyy"), a reload at activation, shown modally.
    static void Open(const QString &workingDate);

    QLabel *Label1; // "EXPORT DANYCH DO CLAB"
    QGroupBox *FrameData;
    ui::MaskEdBox *MebOd;
    ui::MaskEdBox *MebDo;
    QPushButton *ComDatOd;
    QPushButton *ComDatDo;
    QComboBox *ComboPartia;
    QLineEdit *TextLok;
    QLineEdit *TextIlProbek;
    QPushButton *ComDrukuj;  // "&Exportuj"
    QPushButton *ComExpCLab; // never shown: only ComDrukuj starts the export
    QPushButton *ComAnuluj;  // "&Zamknij"
    QPushButton *ComDziennik;
    QGroupBox *FrameCzekaj;
    QGroupBox *FrameDoWIW;
    QProgressBar *ProgressBar1;
    QLabel *LabTab;
    QLabel *LabIl;

    QGroupBox *Frame2;
    QLineEdit *TextTypBad1MervaskLab;
    QLineEdit *TextTypBad1OpisMervaskLab;
    QLineEdit *TextTypBad2MervaskLab;
    QLineEdit *TextTypBad2OpisMervaskLab;
    QLineEdit *TextCmetoda1MervaskLab;
    QLineEdit *TextCmetoda1OpisMervaskLab;
    QLineEdit *TextCkierunek1MervaskLab;
    QLineEdit *TextCkierunek1OpisMervaskLab;
    QPushButton *ComFrCKier; // "&Zapisz"

    QGroupBox *FrameExport;
    QPlainTextEdit *TextExport;
    QPushButton *Command1; // "&Zamknij" of the journal

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Period {
        QDate from;
        QDate to;
    };

    void buildControls();
    void Form_Activate();
    void ComDrukuj_Click();
    bool CheckResultsCLab(ClabStore &store, const Period &period);
    void ComExpCLab_Click(ClabStore &store, const Period &period, const QString &station,
                          const QString &uploadHost);
    void exportChosen(ClabStore &store, const Period &period, const QString &station,
                      const QString &uploadHost);
    void showProgress(int batch, const QString &partia, int samples, bool force);
    void ComDatOd_Click();
    void ComDatDo_Click();
    void pickDateInto(ui::MaskEdBox *box, QPushButton *button);
    void ComAnuluj_Click();
    void ComFrCKier_Click();
    void ComDziennik_Click();
    void Command1_Click();
    void LoadCodesCLab(const QString &key);
    void SaveCodesCLab(const QString &key);
    ClabCodeSet codeBoxes() const;
    void hideFrames();

    QString workingDate_;
    // The code row as it was read when the frame was filled (nothing: no
    // row); a save writes only over that.
    std::optional<LoadedRow> loadedCodes_;
    bool running_ = false;
    QElapsedTimer repainted_;
};
