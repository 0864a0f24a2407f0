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

    ui::DataControl *DataGatunek;
};
