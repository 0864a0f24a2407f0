#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The sexes of each species. Open() binds its species list and shows it; the window shows the sexes
// of the chosen species.
class FormPlec : public QDialog
{
    Q_OBJECT

public:
    explicit FormPlec(QWidget *parent = nullptr);

    // Binds the list and shows the window modally. Errors go to the caller.
    static void Open();

    ui::DataControl *DataGatunek;
};
