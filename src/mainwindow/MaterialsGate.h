#pragma once

#include <QString>

class FormIlTestow;

// The way to the daily entry of materials used (FormIlTestow): a day without
// any batch may have no entry; an existing entry is loaded; the entry is
// locked by the signed-in operator's kind (frmLoginLab::SignedIn):
//
//   kind            day without a row    day with a row
//   ADMINISTRATOR   open                 open
//   ASYSTENT        open                 locked
//   OPERATOR        locked               locked
//
// A locked entry still opens and shows the day's values.
class MaterialsGate
{
public:
    // `day` is the working date "dd.mm.yyyy"; `commandOrigin` the main
    // window's CommandOrigin: only after "menu" is a day without batches
    // reported.
    MaterialsGate(QString day, QString commandOrigin);

    void Run();

private:
    void prepare(FormIlTestow &form) const;
    bool dayHasBatches() const;
    void loadDay(FormIlTestow &form, const QString &kind) const;
    static void lock(FormIlTestow &form, const QString &notice);
    static QString operatorKind();

    QString day_;
    QString commandOrigin_;
};
