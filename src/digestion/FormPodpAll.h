#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace ui
{
class DataControl;
} // namespace ui

// The one list window for the equipment and reagent-series lists. The main
// window names the list, its kind of value and the longest value, and binds
// the list, before showing it.
class FormPodpAll : public QDialog
{
    Q_OBJECT

public:
    explicit FormPodpAll(QWidget *parent = nullptr);

    QLabel *LabelOpis;      // the list's heading
    QLabel *LabelTyp;       // hidden: the kind of value ("string")
    QLineEdit *TextWartosc; // the value box
    ui::DataControl *DataPodp;
};
