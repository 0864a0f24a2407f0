#pragma once

#include <QDialog>

namespace ui
{
class MaskEdBox;
} // namespace ui

// The export of finished batches to the central laboratory. The main window
// sets both bounds of the period to the working date before showing it.
class FormCLab : public QDialog
{
    Q_OBJECT

public:
    explicit FormCLab(QWidget *parent = nullptr);

    ui::MaskEdBox *MebOd;
    ui::MaskEdBox *MebDo;
};
