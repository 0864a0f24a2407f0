#include "batches/FormPartia.h"

#include "foundation/ComboFillers.h"

#include <QComboBox>
#include <QFormLayout>

namespace
{

QComboBox *pickList(QWidget *parent, const char *name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    return combo;
}

} // namespace

FormPartia::FormPartia(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPartia"));
    setWindowTitle(QStringLiteral("PARTIA"));
    ComboPrzyjal = pickList(this, "ComboPrzyjal");
    ComboAutoryzowal = pickList(this, "ComboAutoryzowal");
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Przyjął"), ComboPrzyjal);
    layout->addRow(QStringLiteral("Autoryzował"), ComboAutoryzowal);
    Form_Load();
}

void FormPartia::Form_Load()
{
    FillOperatorCombo(ComboPrzyjal);
    FillAuthorisedByCombo(ComboAutoryzowal);
    FillTissueCombo();
}
