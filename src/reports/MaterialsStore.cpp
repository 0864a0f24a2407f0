#include "reports/MaterialsStore.h"

#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"

namespace
{

QString dayRows(const QString &table, const QString &day)
{
    return QStringLiteral("SELECT * FROM ") + table +
           QStringLiteral(" WHERE DataDoLab =  DateValue(") + dao::SqlText(day) +
           QStringLiteral(") ORDER BY DataDoLab");
}

} // namespace

bool MaterialsStore::DayHasBatches(dao::Database db, const QString &day)
{
    dao::Recordset rs = db.OpenRecordset(dayRows(QStringLiteral("partia"), day));
    const bool any = rs.RecordCount() > 0;
    rs.Close();
    return any;
}

std::optional<MaterialsStore::Shown> MaterialsStore::Read(dao::Database db, const QString &day)
{
    dao::Recordset rs = db.OpenRecordset(dayRows(QStringLiteral("zuzyte"), day));
    std::optional<Shown> shown;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        const LoadedRow row =
            RememberRow(rs, {QStringLiteral("IlTestow"), QStringLiteral("IlPlytek")});
        shown = Shown{
            {row.Value(QStringLiteral("IlTestow")), row.Value(QStringLiteral("IlPlytek"))}, row};
    }
    rs.Close();
    return shown;
}

void MaterialsStore::Store(dao::Database db, const QString &day,
                           const std::optional<LoadedRow> &loaded, float tests, float plates)
{
    const std::optional<QDate> date = dao::ParseDateText(day);
    if (!date)
        throw dao::Error::Make(dao::err::TypeMismatch);
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    dao::Recordset rs = db.OpenRecordset(dayRows(QStringLiteral("zuzyte"), day));
    // The day had no row when the window was filled.
    if (!loaded && rs.RecordCount() > 0)
        throw dao::Error::Make(dao::err::DataChanged);
    WriteLoadedRow(rs, loaded, [&](dao::Recordset &row) {
        if (!loaded)
            row(QStringLiteral("DataDoLab")) = *date;
        row(QStringLiteral("IlTestow")) = tests;
        row(QStringLiteral("IlPlytek")) = plates;
    });
    rs.Close();
    transaction.Commit();
}
