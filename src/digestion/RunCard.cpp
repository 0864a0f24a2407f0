#include "digestion/RunCard.h"

#include "digestion/TrayRanges.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/ReportStaging.h"
#include "foundation/TextProcedures.h"

namespace
{

const QString PrintCaption = QStringLiteral("Drukowanie");

QString batchCondition(qint64 batch)
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

bool copyBatch(const QString &table, qint64 batch, bool samples)
{
    StagingCopy copy;
    copy.table = table;
    copy.condition = batchCondition(batch);
    copy.orderBy = samples ? QStringLiteral("NrDzien") : QString();
    copy.collectTissues = samples;
    copy.sharedFieldsOnly = true;
    return StageRows(copy);
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

bool RunCard::Stage(qint64 batch, int run, const QString &deliveryDate)
{
    try {
        CzyscPrzedDr({"Partia", "Badanie", "NazwaTmp", "Nastawienie", "PozycjaN"});
    } catch (const RuntimeError &error) {
        ShowError(PrintCaption, error);
        return false;
    }
    {
        const StagingMonth month;
        if (!copyBatch(QStringLiteral("Partia"), batch, false) ||
            !copyBatch(QStringLiteral("Badanie"), batch, true) ||
            !PrzedDrNastawienie(QStringLiteral("Nastawienie"), batch, run) ||
            !PrzedDrNastawienie(QStringLiteral("PozycjaN"), batch, run))
            return false;
    }
    for (const char *table : {"Partia", "Badanie", "Nastawienie", "PozycjaN"})
        TouchTable(RobotDb, QLatin1String(table));
    try {
        writeTitle(Title(run, deliveryDate));
    } catch (const RuntimeError &error) {
        ShowError(PrintCaption, error);
        return false;
    }
    TouchTable(RobotDb, QStringLiteral("WynikTMP"));
    TouchTable(RobotDb, QStringLiteral("SeriaTest"));
    return true;
}

bool PrzedDrNastawienie(const QString &table, qint64 batch, int run)
{
    StagingCopy copy;
    copy.table = table;
    copy.condition =
        batchCondition(batch) + QStringLiteral(" And Nastawienie = ") + QString::number(run);
    copy.sharedFieldsOnly = true;
    if (table.compare(QLatin1String("PozycjaN"), Qt::CaseInsensitive) == 0) {
        copy.orderBy = QStringLiteral("NrTacy");
        copy.beforeStore = setNrTuszRazem;
    }
    return StageRows(copy);
}
