#include "reports/ClabSettings.h"

#include "foundation/RecordsetProcedures.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace
{

struct Column {
    const char *name;
    QString ClabCodeSet::*member;
};

const Column Columns[] = {
    {"TypBad1", &ClabCodeSet::typBad1},       {"OpisTypBad1", &ClabCodeSet::opisTypBad1},
    {"TypBad2", &ClabCodeSet::typBad2},       {"OpisTypBad2", &ClabCodeSet::opisTypBad2},
    {"cmetoda1", &ClabCodeSet::cmetoda1},     {"OpisCMetoda1", &ClabCodeSet::opisCMetoda1},
    {"ckierunek1", &ClabCodeSet::ckierunek1}, {"OpisCKierunek1", &ClabCodeSet::opisCKierunek1},
};

dao::Recordset openRow(dao::Database stale, const QString &key)
{
    return stale.OpenRecordset(QStringLiteral("SELECT * FROM CLab WHERE KLUCZ = ") +
                               dao::SqlText(key));
}

} // namespace

ClabCodeSet ClabSettings::Defaults()
{
    return {
        QStringLiteral("476001"), QStringLiteral("Badanie urzędowe rutynowe"),
        QStringLiteral("63001"),  QStringLiteral("Badanie usługowe"),
        QStringLiteral("56001"),  QStringLiteral("Metoda wytrawiania / metoda parazytologiczna"),
        QStringLiteral("319001"), QStringLiteral("Włośnica")};
}

ClabCodeSet ClabSettings::Load(dao::Database stale, const QString &key)
{
    dao::Recordset rs = openRow(stale, key);
    if (rs.RecordCount() == 0)
        return Defaults();
    rs.MoveFirst();
    ClabCodeSet codes;
    for (const Column &column : Columns)
        codes.*column.member = FieldText(rs, QLatin1String(column.name));
    rs.Close();
    if (codes.typBad2.isEmpty()) {
        const ClabCodeSet defaults = Defaults();
        codes.typBad2 = defaults.typBad2;
        codes.opisTypBad2 = defaults.opisTypBad2;
    }
    return codes;
}

void ClabSettings::Save(dao::Database stale, const QString &key, const ClabCodeSet &codes)
{
    dao::Transaction transaction(stale, dao::Transaction::Immediate);
    dao::Recordset rs = openRow(stale, key);
    if (rs.RecordCount() == 0) {
        rs.AddNew();
        rs(QStringLiteral("Klucz")) = key;
    } else {
        rs.MoveFirst();
        rs.Edit();
    }
    try {
        for (const Column &column : Columns)
            rs(QLatin1String(column.name)) = codes.*column.member;
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
    rs.Close();
    transaction.Commit();
}
