#pragma once

#include "foundation/BatchHeading.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace ui
{
class DBGrid;
class DataControl;
} // namespace ui

// The sample register window of one batch. Loaded hidden at start-up, when
// its pick lists are filled, and kept for the whole run. The batch register
// opens it through OpenForBatch (with an order file whose sample lines are
// still to be read) and the run window through OpenAtCarcass.
class FormBadanie : public QDialog
{
    Q_OBJECT

public:
    explicit FormBadanie(QWidget *parent = nullptr);

    // The samples of the batch, shown modally; a non-empty importFile is read
    // in at activation. Errors go to the caller.
    static void OpenForBatch(const BatchHeading &batch, const QString &importFile = QString());
    // The samples of the batch positioned on the carcass number.
    static void OpenAtCarcass(const BatchHeading &batch, const QString &carcassNumber);
    // The tissues, sample descriptions and remark hints, read anew.
    void RefillPickLists();

    QLabel *LabPartiaOp;      // "Nr Partii:"
    QLabel *LabPartia;        // the batch number
    QLabel *LabDataOp;        // "Data:"
    QLabel *LabData;          // the batch's delivery date
    QLabel *LabZaklOp;        // "Zakład:"
    QLabel *LabZaklad;        // the establishment line
    QLabel *LabelKod;         // the batch's WNI
    ui::DataControl *DataBad; // the batch's samples
    ui::DBGrid *DBGridBad;
    QPushButton *ComZamk;
    QComboBox *ComboUwagi;    // sample remark hints
    QComboBox *ComboOpis;     // sample descriptions
    QComboBox *ComboTkanka;   // tissue names
    QLabel *LabelWczytajPlik; // an order file whose samples are still to be read

    void Form_Load();
    // Runs only when the opener set InitOnActivate: positions the list on the
    // carcass of a "find" request. A handed-over order file stays pending in
    // LabelWczytajPlik.
    void Form_Activate();
    void DBGridBad_RowColChange();
    void ComZamk_Click();

    // Esc and the window's close button close it as "&Zamknij" does.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    static void open(const BatchHeading &batch, const QString &importFile);
};
