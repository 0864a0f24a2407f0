#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;

namespace ui
{
class DataControl;
} // namespace ui

// The test-method text: the one row of Kierunek whose Kod is 'MERVASK'. Open()
// binds the row, puts its text into the edit box and shows the edit frame.
class FormChoroba : public QDialog
{
    Q_OBJECT

public:
    explicit FormChoroba(QWidget *parent = nullptr);

    // Binds the row, puts its text into the edit box, shows the edit frame and
    // the window modally. Errors go to the caller.
    static void Open();

    ui::DataControl *DataChoroba;
    QGroupBox *FrameChoroba; // the edit frame, hidden until opened
    QLineEdit *TextMetoda;   // the method text
};
