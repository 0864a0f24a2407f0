#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;

namespace ui
{
class DataControl;
} // namespace ui

// The test-method text: the one row of Kierunek whose Kod is 'MERVASK'. The
// main window binds the row, puts its text into the edit box and shows the
// edit frame before showing the window.
class FormChoroba : public QDialog
{
    Q_OBJECT

public:
    explicit FormChoroba(QWidget *parent = nullptr);

    ui::DataControl *DataChoroba;
    QGroupBox *FrameChoroba; // the edit frame, hidden until opened
    QLineEdit *TextMetoda;   // the method text
};
