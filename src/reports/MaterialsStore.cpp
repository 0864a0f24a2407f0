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

std::optional<MaterialsStore::Quantities> MaterialsStore::Read(dao::Database db, const QString &day)
{
    dao::Recordset rs = db.OpenRecordset(dayRows(QStringLiteral("zuzyte"), day));
    std::optional<Quantities> quantities;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        quantities = Quantities{rs(QStringLiteral("IlTestow")).Value(),
                                rs(QStringLiteral("IlPlytek")).Value()};
    }
    rs.Close();
    return quantities;
}

void MaterialsStore::Store(dao::Database db, const QString &day,
                           const std::optional<Quantities> &loaded, float tests, float plates)
{
    const std::optional<QDate> date = dao::ParseDateText(day);
    if (!date)
        throw dao::Error::Make(dao::err::TypeMismatch);
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    const std::optional<Quantities> now = Read(db, day);
    if (loaded && !now)
        throw dao::Error::Make(dao::err::RecordDeleted);
    if (now != loaded)
        throw dao::Error::Make(dao::err::DataChanged);
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM zuzyte WHERE "
                                                        "DataDoLab = ") +
                                         dao::SqlDate(*date));
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        rs.Edit();
    } else {
        rs.AddNew();
        rs(QStringLiteral("DataDoLab")) = *date;
    }
    rs(QStringLiteral("IlTestow")) = tests;
    rs(QStringLiteral("IlPlytek")) = plates;
    rs.Update();
    rs.Close();
    transaction.Commit();
}
