#include "registers/FormZaklad.h"

#include <QPushButton>
#include <QVBoxLayout>

FormZaklad::FormZaklad(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormZaklad"));
    setWindowTitle(QStringLiteral("KLIENT"));
    auto *layout = new QVBoxLayout(this);
    ComUzyj = new QPushButton(QStringLiteral("&Pobierz"), this);
    ComUzyj->setObjectName(QStringLiteral("ComUzyj"));
    ComUzyj->setAutoDefault(false);
    layout->addWidget(ComUzyj);
}
