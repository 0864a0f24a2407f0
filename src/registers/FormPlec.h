#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The sexes of each species. The main window binds its species list before
// showing it; the window shows the sexes of the chosen species.
class FormPlec : public QDialog
{
    Q_OBJECT

public:
    explicit FormPlec(QWidget *parent = nullptr);

    // Binds the species in number order and shows the window. Errors go to
    // the caller.
    static void Open();

    ui::DataControl *DataGatunek;
};
