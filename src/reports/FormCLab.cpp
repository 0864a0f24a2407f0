#include "reports/FormCLab.h"

#include "platform/ui/MaskEdBox.h"

#include <QVBoxLayout>

FormCLab::FormCLab(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCLab"));
    setWindowTitle(QStringLiteral("EXPORT"));
    auto *layout = new QVBoxLayout(this);
    MebOd = new ui::MaskEdBox(this);
    MebOd->setObjectName(QStringLiteral("MebOd"));
    MebOd->setMask(QStringLiteral("##.##.####"));
    layout->addWidget(MebOd);
    MebDo = new ui::MaskEdBox(this);
    MebDo->setObjectName(QStringLiteral("MebDo"));
    MebDo->setMask(QStringLiteral("##.##.####"));
    layout->addWidget(MebDo);
}
