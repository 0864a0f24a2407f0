#include "foundation/FormUzytkownik.h"

#include <QVBoxLayout>

FormUzytkownik::FormUzytkownik(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormUzytkownik"));
    setWindowTitle(QStringLiteral("Użytkownik"));
}
