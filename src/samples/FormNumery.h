#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The start numbers of a sample import: the daily and general numbers of the
// first sample line, proposed by the sample window and confirmed here. The
// numbers of every line of the file are checked before the import begins.
class FormNumery : public QDialog
{
    Q_OBJECT

public:
    explicit FormNumery(QWidget *parent = nullptr);

    QGroupBox *FrameNumery; // "Zacznij wczytywanie od:"
    QLabel *Label1;
    QLineEdit *TextNrDziennyF;
    QLabel *Label2;
    QLineEdit *TextNrOgolnyF;
    QPushButton *ComOk;
    QPushButton *ComAnulujFr;

    // Shows the proposals for `lineCount` sample lines delivered on
    // `deliveryDate` and returns true with the confirmed
    // numbers in `daily` and `general`; false when the operator cancelled or
    // closed the dialog. ContinueImport tells the same.
    static bool Confirm(QString &daily, QString &general, const QDate &deliveryDate, int lineCount);

    // The close button counts as "&Anuluj": no unconfirmed number is used.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Activate();
    void ComOk_Click();
    void ComAnulujFr_Click();

    void Refuse(const QString &text, const QString &title, QLineEdit *box);

    QDate deliveryDate_;
    int lineCount_ = 0;
    bool confirmed_ = false;
};
