#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The register of the veterinarians who take samples. The main window binds
// its list to the vets before showing it.
class FormLekarz : public QDialog
{
    Q_OBJECT

public:
    explicit FormLekarz(QWidget *parent = nullptr);

    ui::DataControl *DataLekarz;
};
