#include "reports/ClabSettings.h"

#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
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

// The codes of the current row of `rs`, with the row as the frame shows it.
ClabSettings::StoredCodes readRow(const dao::Recordset &rs)
{
    ClabCodeSet codes;
    QStringList shown;
    // A table made before the service-test code was kept lacks its columns.
    for (const Column &column : Columns) {
        const QString name = QLatin1String(column.name);
        if (rs.FieldIndex(name) >= 0) {
            codes.*column.member = FieldText(rs, name);
            shown << name;
        }
    }
    return {codes, RememberRow(rs, shown)};
}

bool blank(const QString &code)
{
    return TrimBlanks(code).isEmpty();
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

std::optional<ClabSettings::StoredCodes> ClabSettings::Stored(dao::Database stale,
                                                              const QString &key)
{
    dao::Recordset rs = openRow(stale, key);
    std::optional<StoredCodes> stored;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        stored = readRow(rs);
    }
    rs.Close();
    return stored;
}

ClabCodeSet ClabSettings::Shown(const std::optional<StoredCodes> &stored)
{
    if (!stored)
        return Defaults();
    ClabCodeSet codes = stored->codes;
    if (codes.typBad2.isEmpty()) {
        const ClabCodeSet defaults = Defaults();
        codes.typBad2 = defaults.typBad2;
        codes.opisTypBad2 = defaults.opisTypBad2;
    }
    return codes;
}

LoadedRow ClabSettings::Save(dao::Database stale, const QString &key,
                             const std::optional<LoadedRow> &loaded, const ClabCodeSet &codes)
{
    // The row is compared and written in one transaction, so that another
    // workstation's save cannot come in between.
    dao::Transaction transaction(stale, dao::Transaction::Immediate);
    dao::Recordset rs = openRow(stale, key);
    // The key had no row when the frame was filled.
    if (!loaded && rs.RecordCount() > 0)
        throw dao::Error::Make(dao::err::DataChanged);
    WriteLoadedRow(rs, loaded, [&](dao::Recordset &row) {
        if (!loaded)
            row(QStringLiteral("Klucz")) = key;
        for (const Column &column : Columns)
            row(QLatin1String(column.name)) = codes.*column.member;
    });
    rs.Close();
    // The row as it is now stored, read afresh in the same transaction: the
    // key's one row.
    rs = openRow(stale, key);
    rs.MoveFirst();
    const LoadedRow written = readRow(rs).row;
    rs.Close();
    transaction.Commit();
    return written;
}

std::optional<ClabSettings::Code> ClabSettings::MissingCode(const ClabCodeSet &codes, bool official,
                                                            bool service)
{
    if (official && blank(codes.typBad1))
        return Code::TypBad1;
    if (service && blank(codes.typBad2))
        return Code::TypBad2;
    if (!official && !service)
        return std::nullopt;
    if (blank(codes.cmetoda1))
        return Code::Cmetoda1;
    if (blank(codes.ckierunek1))
        return Code::Ckierunek1;
    return std::nullopt;
}
