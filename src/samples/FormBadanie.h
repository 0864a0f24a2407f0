#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

// The sample register window of one batch. Loaded hidden at start-up, when
// its pick lists are filled, and kept for the whole run.
class FormBadanie : public QDialog
{
    Q_OBJECT

public:
    explicit FormBadanie(QWidget *parent = nullptr);

    QComboBox *ComboUwagi;    // sample remark hints
    QComboBox *ComboOpis;     // sample descriptions
    QComboBox *ComboTkanka;   // tissue names
    QLabel *LabelWczytajPlik; // an order file whose samples are still to be read

    void Form_Load();
};
