#pragma once

#include <QDialog>

namespace ui
{
class DataControl;
} // namespace ui

// The register of sampled materials (tissues). The main window binds its list
// before showing it.
class FormTkanka : public QDialog
{
    Q_OBJECT

public:
    explicit FormTkanka(QWidget *parent = nullptr);

    ui::DataControl *DataTkanka;
};
