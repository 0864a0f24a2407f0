#include "registers/InspectorateWindow.h"

#include "platform/ui/DataControl.h"
#include "platform/ui/NamedControls.h"

#include <QRadioButton>
#include <QVBoxLayout>

InspectorateWindow::InspectorateWindow(const char *name, QWidget *parent) : QDialog(parent)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(QStringLiteral("PIW"));
    auto *layout = new QVBoxLayout(this);
    DataZlew = ui::Named(new ui::DataControl(this), "DataZlew");
    layout->addWidget(DataZlew);
    OptionK = ui::Named(new QRadioButton(QStringLiteral("Wg kodów"), this), "OptionK");
    layout->addWidget(OptionK);
    OptionN = ui::Named(new QRadioButton(QStringLiteral("Wg nazwy"), this), "OptionN");
    layout->addWidget(OptionN);
}
