#pragma once

#include <QDialog>

namespace ui
{
class MaskEdBox;
} // namespace ui

// A window that works on a period of days, given by its two date boxes. Its
// door sets both bounds to the working date before showing it.
class PeriodWindow : public QDialog
{
    Q_OBJECT

public:
    PeriodWindow(const char *name, const QString &caption, QWidget *parent = nullptr);

    ui::MaskEdBox *MebOd;
    ui::MaskEdBox *MebDo;
};
