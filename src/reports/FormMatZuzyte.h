#pragma once

#include <QDialog>

namespace ui
{
class MaskEdBox;
} // namespace ui

// The report of materials used in a period. The main window sets both bounds
// of the period to the working date before showing it.
class FormMatZuzyte : public QDialog
{
    Q_OBJECT

public:
    explicit FormMatZuzyte(QWidget *parent = nullptr);

    ui::MaskEdBox *MebOd;
    ui::MaskEdBox *MebDo;
};
