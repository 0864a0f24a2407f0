#include "reports/PeriodWindow.h"

#include "platform/ui/MaskEdBox.h"
#include "platform/ui/NamedControls.h"

#include <QVBoxLayout>

namespace
{

ui::MaskEdBox *DateBox(QWidget *parent, const char *name)
{
    auto *box = ui::Named(new ui::MaskEdBox(parent), name);
    box->setMask(QStringLiteral("##.##.####"));
    return box;
}

} // namespace

PeriodWindow::PeriodWindow(const char *name, const QString &caption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    MebOd = DateBox(this, "MebOd");
    layout->addWidget(MebOd);
    MebDo = DateBox(this, "MebDo");
    layout->addWidget(MebDo);
}
