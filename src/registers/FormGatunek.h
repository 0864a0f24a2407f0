#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The register of species. Open() binds its list and shows it.
class FormGatunek : public QDialog
{
    Q_OBJECT

public:
    explicit FormGatunek(QWidget *parent = nullptr);

    // Binds the list and shows the window modally. Errors go to the caller.
    static void Open();

    ui::DataControl *DataGatunek;
};
