#pragma once

#include <QDialog>

class QRadioButton;

namespace ui
{
class DataControl;
} // namespace ui

// The register of the county or regional veterinary inspectorates. The main
// window binds its list and chooses the order by code before showing it.
class InspectorateWindow : public QDialog
{
    Q_OBJECT

public:
    InspectorateWindow(const char *name, QWidget *parent = nullptr);

    ui::DataControl *DataZlew;
    QRadioButton *OptionK; // "Wg kodów"
    QRadioButton *OptionN; // "Wg nazwy"
};
