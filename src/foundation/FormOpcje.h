#pragma once

#include "foundation/ProgramOptions.h"

#include <QDialog>
#include <QHash>

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabBar;

// The program options: seven rows of PARAMETRY in StaleDb shown as check
// boxes. A box whose key does not match exactly one row is made unavailable
// and is not saved. Only "Zezwalaj na edycję danych" and the e-mail column
// of the result send can be changed by the user; "matzuz" is always saved
// checked.
class FormOpcje : public QDialog
{
    Q_OBJECT

public:
    explicit FormOpcje(QWidget *parent = nullptr);

    // Shown modally. Errors go to the caller.
    static void Open();

    QLabel *Label1; // "OPCJE PROGRAMU"
    QTabBar *TabStrip1;
    QGroupBox *Frame1;
    QGroupBox *FrameKoniec;
    QGroupBox *FrameDostawca;
    QGroupBox *FrameEdycja;
    QGroupBox *Frame1Import;
    QCheckBox *CheckMatZuz;
    QCheckBox *CheckEmailWynik;
    QCheckBox *CheckDostZamNrPr;
    QCheckBox *CheckEdycja;
    QCheckBox *CheckWczPlikSzyfr;
    QCheckBox *CheckIgnBrakPr;
    QCheckBox *CheckZastZero;
    QPushButton *ComZapisz; // "&Zapisz"
    QPushButton *ComZamk;   // "&Anuluj"

    void ReadOption(QCheckBox *box, const QString &key);
    // The box as the save stores it, with the flag it was loaded with.
    ProgramOptions::Change OptionToWrite(QCheckBox *box, const QString &key) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Activate();
    void ComZapisz_Click();
    void ComZamk_Click();
    void TabStrip1_Click();
    void CheckWczPlikSzyfr_Click();

    void buildControls();
    QGroupBox *buildOptionFrames();
    QGroupBox *frame(QWidget *parent, const char *name, const QString &caption,
                     const QList<QCheckBox *> &boxes);

    // The row of each key as the window was filled from its flag; a save
    // writes only over these.
    QHash<QString, std::optional<LoadedRow>> loaded_;
};
