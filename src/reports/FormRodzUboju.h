#pragma once

#include <QDialog>

namespace ui
{
class MaskEdBox;
} // namespace ui

// The report of the kinds of slaughter in a period. The main window sets both
// bounds of the period to the working date before showing it.
class FormRodzUboju : public QDialog
{
    Q_OBJECT

public:
    explicit FormRodzUboju(QWidget *parent = nullptr);

    ui::MaskEdBox *MebOd;
    ui::MaskEdBox *MebDo;
};
