#pragma once

#include "reports/MaterialsStore.h"

#include <QDialog>
#include <QVariant>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

// The daily entry of materials used ("Zużyte materiały"): the number of tests
// and of plates used on one laboratory day, kept as that day's row of zuzyte
// in MonthDb (MaterialsStore). A day without any batch has no entry; an
// existing entry is loaded; the entry is locked by the operator's kind:
//
//   kind            day without a row    day with a row
//   ADMINISTRATOR   open                 open
//   ASYSTENT        open                 locked
//   OPERATOR        locked               locked
//
// A locked entry still opens and shows the day's values; closing only hides it.
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

    // Shows the entry of the day ("dd.mm.yyyy") for an operator of the kind
    // (upper case), modally. A day without batches is not shown; it is
    // reported when `reportDayWithoutBatches`. Errors of the database are
    // reported under the window's caption.
    static void Open(const QString &day, const QString &operatorKind, bool reportDayWithoutBatches);

    // A stored quantity as the entry shows it ("2,5"); Null shows as "0".
    static QString QuantityText(const QVariant &value);
    // A typed quantity: a number with a decimal comma or point, blanks around
    // it allowed; nothing for any other text.
    static std::optional<float> ParseQuantity(const QString &text);

private:
    void ComZapisz_Click();

    void buildControls();
    // The entry for the day, with no quantities ("0") and unlocked.
    void showDay(const QString &day);
    // The stored quantities of the day.
    void showQuantities(const QVariant &tests, const QVariant &plates);
    // The entry locked, with the notice why.
    void lock(const QString &notice);

    // The day's row as the window was filled from it; a save writes only over it.
    std::optional<LoadedRow> loaded_;
};
