#pragma once

#include "registers/RegisterWindowBase.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace ui
{
class DataControl;
} // namespace ui

// The test-method text: the one row of Kierunek whose Kod is 'MERVASK',
// copied into a batch by the batch register's method button.
class FormChoroba : public RegisterWindowBase
{
    Q_OBJECT

public:
    explicit FormChoroba(QWidget *parent = nullptr);

    // Binds the method row, loads its text (Null as "") and shows the window.
    // Errors (also a missing row) go to the caller and the window stays shut.
    static void Open();

    ui::DataControl *DataChoroba;
    QGroupBox *FrameChoroba; // fills the window; shown by the opener
    QLineEdit *TextMetoda;   // the method text
    QPushButton *ComZapisz;
    QPushButton *ComAnuluj;

private:
    void ComZapisz_Click();
    void ComAnuluj_Click();

    // The method row as the window was opened with it: the save writes only
    // over that.
    std::optional<LoadedRow> loaded_;
};
