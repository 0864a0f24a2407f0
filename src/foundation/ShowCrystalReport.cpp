#include "foundation/ShowCrystalReport.h"

#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/fs/DriveMap.h"

#include <algorithm>

namespace
{

bool HoldsTables(dao::Database db, const QStringList &tables)
{
    if (!db.IsOpen())
        return false;
    const dao::TableDefs defs = db.TableDefs();
    return std::all_of(tables.cbegin(), tables.cend(),
                       [&](const QString &t) { return defs.Contains(t); });
}

// Staged reports read RobotDb; the list reports read dictionaries only.
dao::Database DatabaseFor(const report::Report &report)
{
    const QStringList &tables = report.definition().tables;
    if (!HoldsTables(RobotDb, tables) && HoldsTables(StaleDb, tables))
        return StaleDb;
    if (!RobotDb.IsOpen())
        throw dao::Error::Make(dao::err::ObjectNotSet);
    return RobotDb;
}

// A field the table may lack reads as "".
QString OptionalFieldText(const dao::Recordset &rs, const QString &field)
{
    if (!rs.Fields().Contains(field))
        return QString();
    return ValueText(NullToDefault(rs(field).Value(), QString()));
}

// The laboratory row as it is now; the letterhead of the start-up when the
// row cannot be read.
void SetLaboratory(report::Report &report)
{
    QStringList letterhead(LabHeaderLines.cbegin(), LabHeaderLines.cend());
    if (StaleDb.IsOpen() && StaleDb.TableDefs().Contains(QStringLiteral("PODATNIK"))) {
        dao::Recordset rs = StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM PODATNIK"));
        if (rs.RecordCount() == 1) {
            rs.MoveFirst();
            letterhead.clear();
            for (const char *line : {"TX2", "TX3", "TX4", "TX5", "TX6"})
                letterhead.append(OptionalFieldText(rs, QLatin1String(line)));
            report.setParameter(QStringLiteral("Miejsc"),
                                OptionalFieldText(rs, QStringLiteral("Miejsc")));
            report.setParameter(QStringLiteral("KodPCA"),
                                OptionalFieldText(rs, QStringLiteral("KodPCA")));
        }
        rs.Close();
    }
    while (!letterhead.isEmpty() && letterhead.constLast().trimmed().isEmpty())
        letterhead.removeLast();
    report.setLetterhead(letterhead);
}

} // namespace

report::Document RenderCrystalReport(const QString &path, const QString &selectionFormula,
                                     const QString &periodText, const QString &thirdText)
{
    report::Report report = report::Report::open(fs::DriveMap::ToReal(path));
    report.setSelectionFormula(selectionFormula);
    report.setParameter(QStringLiteral("Okres"), periodText);
    report.setParameter(QStringLiteral("Tekst3"), thirdText);
    SetLaboratory(report);
    CurrentReport = report;
    return report.render(DatabaseFor(report));
}
