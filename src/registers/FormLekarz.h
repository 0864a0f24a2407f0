#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The register of the veterinarians who take samples. Open() binds its list to
// the vets and shows it.
class FormLekarz : public QDialog
{
    Q_OBJECT

public:
    explicit FormLekarz(QWidget *parent = nullptr);

    // Binds the list and shows the window modally. Errors go to the caller.
    static void Open();

    ui::DataControl *DataLekarz;
};
