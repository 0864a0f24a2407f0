#pragma once

#include <QDialog>

class QComboBox;

// The digestion-run window of one batch. Loaded hidden at start-up, when its
// pick lists are filled, and kept for the whole run.
class FormNastawienie : public QDialog
{
    Q_OBJECT

public:
    explicit FormNastawienie(QWidget *parent = nullptr);

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
};
