#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
class DBGrid;
} // namespace ui

// One window for the three person lists: who authorises, who performs and who
// is responsible for a test. Open() names the list in the grid's caption
// and binds the list.
class FormAutoryzowal : public QDialog
{
    Q_OBJECT

public:
    explicit FormAutoryzowal(QWidget *parent = nullptr);

    // The persons of `table` with the list named `gridCaption`, shown
    // modally. Errors go to the caller.
    static void Open(const QString &table, const QString &gridCaption);

    ui::DataControl *DataDane;
    ui::DBGrid *DBGridPodp;
};
