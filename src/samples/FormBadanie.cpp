#include "samples/FormBadanie.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

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

FormBadanie::FormBadanie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormBadanie"));
    setWindowTitle(QStringLiteral("PRÓBKI"));
    ComboUwagi = pickList(this, "ComboUwagi");
    ComboOpis = pickList(this, "ComboOpis");
    ComboTkanka = pickList(this, "ComboTkanka");
    LabelWczytajPlik = new QLabel(this);
    LabelWczytajPlik->setObjectName(QStringLiteral("LabelWczytajPlik"));
    LabelWczytajPlik->setVisible(false);
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Uwagi"), ComboUwagi);
    layout->addRow(QStringLiteral("Opis"), ComboOpis);
    layout->addRow(QStringLiteral("Tkanka"), ComboTkanka);
    Form_Load();
}

void FormBadanie::Form_Load()
{
    LabelWczytajPlik->clear();
}
