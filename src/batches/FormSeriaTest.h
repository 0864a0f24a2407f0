#pragma once

#include "platform/RuntimeError.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The print settings of a result sheet, asked after the batch is staged and
// before the sheet opens. OK stores them in the one SeriaTest row of the
// staging database; the answer goes back through FormRequest ("OK" or
// "ANULUJ").
class FormSeriaTest : public QDialog
{
    Q_OBJECT

public:
    explicit FormSeriaTest(QWidget *parent = nullptr);

    // Shown modally with the recipients line preset to the inspectorate;
    // true unless the operator cancelled.
    static bool Confirm(const QString &inspectorate);

    QGroupBox *FrameUstawienia; // "Ustawienia wydruku:"
    QLineEdit *TextData;        // the date printed on the sheet, as text
    QLineEdit *TextEgz;         // the number of copies, as text
    QComboBox *ComboPlatnik;    // payer wording
    QComboBox *ComboRachunek;   // account wording
    QRadioButton *Option1;
    QLineEdit *TextOtrzymuja1; // the county inspectorate of the batch, set by the print
    QRadioButton *Option2;
    QLineEdit *TextOtrzymuja2;
    QCheckBox *CheckLogoPCA;
    QPushButton *ComOk;
    QPushButton *ComAnulujFr;

    // Esc and the window's close button cancel, as "Anuluj" does.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Activate();
    void ComOk_Click();
    void ComAnulujFr_Click();
    void CheckLogoPCA_Click();

    void buildControls();
    QGroupBox *buildParameters();
    QGroupBox *buildRecipients();
    void storeSettings();
    void reportUnstoredSettings(const RuntimeError &error);

    // The test name and series stored in PARAMETRY "Test", read at activation
    // and written back unchanged, since the dialog has no fields for them.
    QString testName_;
    QString series_;
};
