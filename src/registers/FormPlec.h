#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
class DBGrid;
} // namespace ui

// The sexes of each species, shown and not edited: the species list and,
// beside it, the sexes of the chosen species. The main window binds the
// species list before showing it.
class FormPlec : public QDialog
{
    Q_OBJECT

public:
    explicit FormPlec(QWidget *parent = nullptr);

    // Binds the species in number order and shows the window. Errors go to
    // the caller.
    static void Open();

    ui::DataControl *DataGatunek;
    ui::DBGrid *DBGridGatunek;
    ui::DataControl *DataPlec;
    ui::DBGrid *DBGridPlec;

private:
    // Shows the sexes of the species that is current now; none without one.
    void ShowSexes();
};
