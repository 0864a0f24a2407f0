#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace ui
{
class DataControl;
} // namespace ui

// The one list window for the equipment and reagent-series lists. Open() names
// the list, its kind of value and the longest value, and binds the list.
class FormPodpAll : public QDialog
{
    Q_OBJECT

public:
    explicit FormPodpAll(QWidget *parent = nullptr);

    // The list of `table` under `heading`, values of at most `maxLength`
    // characters, shown modally. Errors go to the caller.
    static void Open(const QString &table, const QString &heading, int maxLength);

    QLabel *LabelOpis;      // the list's heading
    QLabel *LabelTyp;       // hidden: the kind of value ("string")
    QLineEdit *TextWartosc; // the value box
    ui::DataControl *DataPodp;
};
