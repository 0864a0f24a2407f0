#pragma once

#include <QDialog>
#include <QVariant>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The daily entry of materials used ("Zużyte materiały"): the number of tests
// and of plates used on one laboratory day, kept as that day's row of zuzyte
// in MonthDb. The materials gate of the main window fills it through ShowDay
// and ShowQuantities, and locks it according to the operator's kind, before
// showing it; closing only hides it.
class FormIlTestow : public QDialog
{
    Q_OBJECT

public:
    explicit FormIlTestow(QWidget *parent = nullptr);

    QLabel *LabOpis;         // a notice: empty, or why the entry is locked
    QLabel *LabData;         // the day, "dd.mm.yyyy"
    QLineEdit *TextIlTestow; // tests used, as text
    QLineEdit *TextIlPlytek; // plates used, as text
    QPushButton *ComZapisz;  // "&Zapisz"

    void ComZapisz_Click();

    // The entry for the day, with no quantities ("0") and unlocked.
    void ShowDay(const QString &day);
    // The stored quantities of the day.
    void ShowQuantities(const QVariant &tests, const QVariant &plates);
    // The entry locked, with the notice why.
    void Lock(const QString &notice);

    // A stored quantity as the entry shows it ("2,5"); Null shows as "0".
    static QString QuantityText(const QVariant &value);
    // A typed quantity: a number with a decimal comma or point, blanks around
    // it allowed; nothing for any other text.
    static std::optional<float> ParseQuantity(const QString &text);

private:
    void buildControls();
    void storeDay(float tests, float plates);
};
