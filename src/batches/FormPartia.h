#pragma once

#include <QDialog>

class QComboBox;

// The batch register window. Loaded hidden at start-up, when its pick lists
// are filled, and kept for the whole run.
class FormPartia : public QDialog
{
    Q_OBJECT

public:
    explicit FormPartia(QWidget *parent = nullptr);

    QComboBox *ComboPrzyjal;     // operators who receive batches
    QComboBox *ComboAutoryzowal; // persons who authorise

    void Form_Load();
};
