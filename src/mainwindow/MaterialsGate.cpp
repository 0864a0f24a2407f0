#include "mainwindow/MaterialsGate.h"

#include "foundation/TextProcedures.h"
#include "foundation/frmLoginLab.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/FormIlTestow.h"

#include <QLineEdit>

#include <utility>

MaterialsGate::MaterialsGate(QString day, QString commandOrigin)
    : day_(std::move(day)), commandOrigin_(std::move(commandOrigin))
{
}

void MaterialsGate::Run()
{
    FormIlTestow::Open(day_, operatorKind(), commandOrigin_ == QStringLiteral("menu"));
}

QString MaterialsGate::operatorKind()
{
    return frmLoginLab::SignedIn().kind;
}
