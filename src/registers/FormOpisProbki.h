#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The hints for the description and state of a sample on delivery. Open() binds
// its list and shows it.
class FormOpisProbki : public QDialog
{
    Q_OBJECT

public:
    explicit FormOpisProbki(QWidget *parent = nullptr);

    // Binds the list and shows the window modally. Errors go to the caller.
    static void Open();

    ui::DataControl *DataPodp;
};
