#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The register of species. The main window binds its list before showing it.
class FormGatunek : public QDialog
{
    Q_OBJECT

public:
    explicit FormGatunek(QWidget *parent = nullptr);

    // Binds the species in number order and shows the window. Errors go to
    // the caller.
    static void Open();

    ui::DataControl *DataGatunek;
};
