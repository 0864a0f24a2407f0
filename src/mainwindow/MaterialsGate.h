#pragma once

#include <QString>

// The main window's way to the daily entry of materials used (FormIlTestow),
// for the operator signed in (frmLoginLab::SignedIn).
class MaterialsGate
{
public:
    // `day` is the working date "dd.mm.yyyy"; `commandOrigin` the main
    // window's CommandOrigin: only after "menu" is a day without batches
    // reported.
    MaterialsGate(QString day, QString commandOrigin);

    void Run();

private:
    static QString operatorKind();

    QString day_;
    QString commandOrigin_;
};
