#include "digestion/RunCard.h"

#include "digestion/TrayRanges.h"
#include "foundation/Globals.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/ReportStaging.h"
#include "foundation/TextProcedures.h"

namespace
{

QString batchCondition(BatchNumber batch)
{
    return QStringLiteral("Partia = ") + QString::number(batch);
}

void setNrTuszRazem(const dao::Recordset &tray, dao::Recordset &staged)
{
    staged(QStringLiteral("NrTuszRazem")) =
        TrayRanges::NrTuszRazem(FieldText(tray, "NrTuszTucznik"), FieldText(tray, "NrTuszMaciora"),
                                FieldText(tray, "NrTuszKnur"), FieldText(tray, "NrTuszDzik"),
                                FieldText(tray, "NrTuszInne"));
}

StagingCopy batchCopy(const QString &table, BatchNumber batch, bool samples)
{
    StagingCopy copy;
    copy.table = table;
    copy.condition = batchCondition(batch);
    copy.orderBy = samples ? QStringLiteral("NrDzien") : QString();
    copy.collectTissues = samples;
    copy.sharedFieldsOnly = true;
    return copy;
}

// NrTuszRazem of the staged trays from their own kind lists, as
// TrayRanges::NrTuszRazem joins them: each mark ends in ')', so trimming the
// trailing commas and blanks takes off exactly the last ", ".
const QString NrTuszRazemSql =
    QStringLiteral("NrTuszRazem = rtrim(coalesce(nullif(NrTuszTucznik, '') || '(T), ', '') || "
                   "coalesce(nullif(NrTuszMaciora, '') || '(M), ', '') || "
                   "coalesce(nullif(NrTuszKnur, '') || '(K), ', '') || "
                   "coalesce(nullif(NrTuszDzik, '') || '(D), ', '') || "
                   "coalesce(nullif(NrTuszInne, '') || '(Inne), ', ''), ', ')");

// The run or its trays; the trays get NrTuszRazem row by row or, with
// `bySql`, by one statement over the staged trays.
StagingCopy runCopy(const QString &table, BatchNumber batch, int run, bool bySql)
{
    StagingCopy copy;
    copy.table = table;
    copy.condition =
        batchCondition(batch) + QStringLiteral(" And Nastawienie = ") + QString::number(run);
    copy.sharedFieldsOnly = true;
    if (table.compare(QLatin1String("PozycjaN"), Qt::CaseInsensitive) == 0) {
        copy.orderBy = QStringLiteral("NrTacy");
        if (bySql)
            copy.setStaged = NrTuszRazemSql;
        else
            copy.beforeStore = setNrTuszRazem;
    }
    return copy;
}

void writeTitle(const QString &title)
{
    dao::Recordset rs = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM WynikTMP"));
    if (rs.RecordCount() == 1) {
        rs.MoveFirst();
        rs.Edit();
        rs(QStringLiteral("Numer")) = title;
        rs.Update();
    }
    rs.Close();
}

} // namespace

QString RunCard::DefinitionFor(const QString &laboratoryCode)
{
    if (laboratoryCode == QLatin1String("052"))
        return QStringLiteral("KartaBadaniaW.rpt");
    if (laboratoryCode == QLatin1String("055"))
        return QStringLiteral("KartaBadaniaO.rpt");
    return QStringLiteral("KartaBadaniaS.rpt");
}

QString RunCard::LaboratoryCode()
{
    dao::Recordset rs = StaleDb.OpenRecordset(QStringLiteral("PODATNIK"));
    const QString code = rs.RecordCount() > 0 ? FieldText(rs, "KodLok") : QString();
    rs.Close();
    return code;
}

QString RunCard::Title(int run, const QString &deliveryDate)
{
    return QStringLiteral("Karta Przebiegu Nastawienia nr ") + QString::number(run) +
           QStringLiteral(" w dniu ") + deliveryDate;
}

bool RunCard::Stage(BatchNumber batch, int run, const QDate &deliveryDate)
{
    const bool staged = StagePrint([&] {
        CzyscPrzedDr({"Partia", "Badanie", "NazwaTmp", "Nastawienie", "PozycjaN"});
        CopyStaged(batchCopy(QStringLiteral("Partia"), batch, false));
        CopyStaged(batchCopy(QStringLiteral("Badanie"), batch, true));
        CopyStaged(runCopy(QStringLiteral("Nastawienie"), batch, run, true));
        CopyStaged(runCopy(QStringLiteral("PozycjaN"), batch, run, true));
        writeTitle(Title(run, deliveryDate.toString(QStringLiteral("dd.MM.yyyy"))));
    });
    if (!staged)
        return false;
    TouchTables(RobotDb, {"Partia", "Badanie", "Nastawienie", "PozycjaN", "WynikTMP", "SeriaTest"});
    return true;
}

bool PrzedDrNastawienie(const QString &table, BatchNumber batch, int run)
{
    return StageRows(runCopy(table, batch, run, false));
}
