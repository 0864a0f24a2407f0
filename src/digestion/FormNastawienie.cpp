#include "digestion/FormNastawienie.h"

#include "foundation/ComboFillers.h"

#include <QComboBox>
#include <QFormLayout>

FormNastawienie::FormNastawienie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormNastawienie"));
    setWindowTitle(QStringLiteral("NASTAWIENIE"));
    auto *layout = new QFormLayout(this);
    const auto pickList = [this, layout](const char *name, const char *label) {
        auto *combo = new QComboBox(this);
        combo->setObjectName(QLatin1String(name));
        combo->setEditable(true);
        layout->addRow(QString::fromUtf8(label), combo);
        return combo;
    };
    ComboWykonujacy = pickList("ComboWykonujacy", "Wykonujący");
    ComboOdpowiedzialny = pickList("ComboOdpowiedzialny", "Odpowiedzialny");
    ComboWaga = pickList("ComboWaga", "Waga");
    ComboTermometr = pickList("ComboTermometr", "Termometr");
    ComboMieszadlo = pickList("ComboMieszadlo", "Mieszadło");
    ComboTrychinoskop = pickList("ComboTrychinoskop", "Trychinoskop");
    ComboOdczynnikHCL = pickList("ComboOdczynnikHCL", "HCl");
    ComboOdczynnikPepsyna = pickList("ComboOdczynnikPepsyna", "Pepsyna");
    ComboSito = pickList("ComboSito", "Sito");
    Form_Load();
}

void FormNastawienie::Form_Load()
{
    FillPerformedByCombo(ComboWykonujacy);
    FillResponsibleCombo(ComboOdpowiedzialny);
}
