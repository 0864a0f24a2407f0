#pragma once

#include "foundation/BatchHeading.h"

#include <QDialog>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace ui
{
class DBGrid;
class DataControl;
} // namespace ui

// The digestion-run window of one batch. Loaded hidden at start-up, when its
// pick lists are filled, and kept for the whole run. The batch register
// opens it through OpenForBatch.
class FormNastawienie : public QDialog
{
    Q_OBJECT

public:
    explicit FormNastawienie(QWidget *parent = nullptr);

    // The runs of the batch, shown modally. Errors go to the caller.
    static void OpenForBatch(const BatchHeading &batch);
    // The equipment and reagent-series lists, read anew.
    void RefillEquipmentLists();
    // The lists of persons who perform and who are responsible, read anew.
    void RefillPersonLists();

    QLabel *LabZaklad;           // the establishment line
    QLabel *LabPartia;           // the batch number
    QLabel *LabelKod;            // the batch's WNI
    QLabel *LabData;             // the batch's delivery date
    ui::DataControl *DataPartia; // the batch's runs
    ui::DBGrid *DBGridPartia;
    QPushButton *ComZamk;

    QComboBox *ComboWykonujacy;     // persons who perform the test
    QComboBox *ComboOdpowiedzialny; // persons responsible for it
    // The equipment and reagent series.
    QComboBox *ComboWaga;
    QComboBox *ComboTermometr;
    QComboBox *ComboMieszadlo;
    QComboBox *ComboTrychinoskop;
    QComboBox *ComboOdczynnikHCL;
    QComboBox *ComboOdczynnikPepsyna;
    QComboBox *ComboSito;

    void Form_Load();
    // Clears InitOnActivate; the window reloads nothing.
    void Form_Activate();
    void DBGridPartia_RowColChange();
    void ComZamk_Click();

    // Esc and the window's close button close it as "&Zamknij" does.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildHeader(QGridLayout *header);
};
