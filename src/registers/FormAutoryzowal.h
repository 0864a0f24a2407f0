#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
class DBGrid;
} // namespace ui

// One window for the three person lists: who authorises, who performs and who
// is responsible for a test. The main window names the list in the grid's
// caption and binds the list before showing it.
class FormAutoryzowal : public QDialog
{
    Q_OBJECT

public:
    explicit FormAutoryzowal(QWidget *parent = nullptr);

    ui::DataControl *DataDane;
    ui::DBGrid *DBGridPodp;
};
