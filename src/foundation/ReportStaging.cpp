#include "foundation/ReportStaging.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

#include <QSet>

namespace
{

// Adds the tissue name to NazwaTMP unless it is there already. A sample
// without a tissue adds nothing: an empty line would only pad the list.
void AddTissueName(const QString &name, QSet<QString> &seen)
{
    if (name.isEmpty() || seen.contains(name))
        return;
    seen.insert(name);
    dao::Recordset rs = RobotDb.OpenRecordset(
        QStringLiteral("SELECT * FROM NazwaTMP WHERE Nazwa = ") + dao::SqlText(name));
    if (rs.RecordCount() == 0) {
        rs.AddNew();
        rs(QStringLiteral("Nazwa")) = name;
        rs.Update();
    }
    rs.Close();
}

void CopyFields(const dao::Recordset &source, dao::Recordset &target, bool sharedOnly)
{
    const dao::Fields fields = source.Fields();
    const dao::Fields targetFields = target.Fields();
    for (int i = 0; i < fields.Count(); ++i) {
        const dao::Variant value = fields(i).Value();
        if (dao::IsNull(value) || (sharedOnly && !targetFields.Contains(fields(i).Name())))
            continue;
        target(fields(i).Name()) = value;
    }
}

void CopyRows(const StagingCopy &copy)
{
    QString sql =
        QStringLiteral("SELECT * FROM ") + copy.table + QStringLiteral(" WHERE ") + copy.condition;
    if (!copy.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + copy.orderBy;
    dao::Recordset source = MonthDb.OpenRecordset(sql);
    dao::Recordset target = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + copy.table);
    QSet<QString> tissues;
    if (source.RecordCount() > 0) {
        source.MoveFirst();
        while (!source.EOF()) {
            target.AddNew();
            CopyFields(source, target, copy.sharedFieldsOnly);
            if (copy.beforeStore)
                copy.beforeStore(source, target);
            target.Update();
            if (copy.collectTissues)
                AddTissueName(FieldText(source, "NazTkanka"), tissues);
            source.MoveNext();
        }
    }
    source.Close();
    target.Close();
}

} // namespace

bool StageRows(const StagingCopy &copy)
{
    try {
        dao::Transaction transaction(RobotDb);
        CopyRows(copy);
        transaction.Commit();
        return true;
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Drukowanie") + copy.table, error);
        return false;
    }
}

void CzyscPrzedDr(const QString &table)
{
    // One transaction: a thousand staged samples go in one write to disk.
    dao::Transaction transaction(RobotDb);
    dao::Recordset rs = RobotDb.OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
    DeleteAllRecords(rs);
    rs.Close();
    transaction.Commit();
}

bool PrzedDr(const QString &table, const QString &keyField, const QString &keyValue,
             bool tissueFlag)
{
    StagingCopy copy;
    copy.table = table;
    copy.condition = keyField + QStringLiteral(" = ") + keyValue;
    if (tissueFlag)
        copy.orderBy = QStringLiteral("NrDzien");
    copy.collectTissues = tissueFlag;
    return StageRows(copy);
}
