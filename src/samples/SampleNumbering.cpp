#include "samples/SampleNumbering.h"

#include "platform/db/SqlText.h"

#include <algorithm>
#include <limits>

namespace
{

// The greatest value of the field among the rows of the condition, Null when
// no row has one: the one row that MAX() picks, found in a single pass.
std::optional<qint64> greatest(dao::Database db, const QString &field, const QString &where)
{
    const QString condition = where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where;
    dao::Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT * FROM Badanie WHERE rowid = (SELECT r FROM (SELECT rowid AS r, "
                       "MAX(%1) FROM Badanie%2))")
            .arg(field, condition));
    std::optional<qint64> result;
    if (rs.RecordCount() > 0 && !dao::IsNull(rs(field).Value()))
        result = rs(field).Value().toLongLong();
    rs.Close();
    return result;
}

bool anyRow(dao::Database db, const QString &where)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Badanie WHERE ") + where);
    const bool found = rs.RecordCount() > 0;
    rs.Close();
    return found;
}

QString onDay(const QDate &day)
{
    return QStringLiteral("DataDoLab = ") + dao::SqlDate(day);
}

// The numbers stored in the range, lowest first.
std::optional<qint64> firstInRange(dao::Database db, const QString &field, const QString &where,
                                   qint64 first, int count)
{
    if (count <= 0)
        return std::nullopt;
    QString condition =
        QStringLiteral("%1 >= %2 AND %1 <= %3").arg(field).arg(first).arg(first + count - 1);
    if (!where.isEmpty())
        condition = where + QStringLiteral(" AND ") + condition;
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Badanie WHERE ") +
                                         condition + QStringLiteral(" ORDER BY ") + field);
    std::optional<qint64> found;
    if (rs.RecordCount() > 0)
        found = rs(field).Value().toLongLong();
    rs.Close();
    return found;
}

} // namespace

int SampleNumbering::NextCarcass(dao::Database db, BatchNumber batch)
{
    const std::optional<qint64> highest =
        greatest(db, QStringLiteral("NrProbki"), QStringLiteral("Partia = %1").arg(batch));
    return highest && *highest >= 1 ? int(*highest + 1) : 1;
}

std::optional<qint16> SampleNumbering::NextDaily(dao::Database db, const std::optional<QDate> &day)
{
    if (!day)
        return std::nullopt;
    const qint64 next = greatest(db, QStringLiteral("NrDzien"), onDay(*day)).value_or(0) + 1;
    if (next > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(next);
}

std::optional<qint32> SampleNumbering::NextGeneral(dao::Database db)
{
    const qint64 next = greatest(db, QStringLiteral("NrOgolny"), QString()).value_or(0) + 1;
    if (next > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(next);
}

bool SampleNumbering::CarcassTaken(dao::Database db, BatchNumber batch, qint64 carcass)
{
    return anyRow(db, QStringLiteral("Partia = %1 AND NrProbki = %2").arg(batch).arg(carcass));
}

bool SampleNumbering::DailyTaken(dao::Database db, const QDate &day, qint64 daily)
{
    return anyRow(db, onDay(day) + QStringLiteral(" AND NrDzien = ") + QString::number(daily));
}

bool SampleNumbering::GeneralTaken(dao::Database db, qint64 general)
{
    return anyRow(db, QStringLiteral("NrOgolny = ") + QString::number(general));
}

std::optional<qint64> SampleNumbering::FirstDailyTaken(dao::Database db, const QDate &day,
                                                       qint64 first, int count)
{
    return firstInRange(db, QStringLiteral("NrDzien"), onDay(day), first, count);
}

std::optional<qint64> SampleNumbering::FirstGeneralTaken(dao::Database db, qint64 first, int count)
{
    return firstInRange(db, QStringLiteral("NrOgolny"), QString(), first, count);
}

bool SampleNumbering::DailyRangeFits(qint64 first, int count)
{
    return first >= std::numeric_limits<qint16>::min() &&
           first + std::max(count, 1) - 1 <= std::numeric_limits<qint16>::max();
}

bool SampleNumbering::GeneralRangeFits(qint64 first, int count)
{
    return first >= std::numeric_limits<qint32>::min() &&
           first + std::max(count, 1) - 1 <= std::numeric_limits<qint32>::max();
}

QString SampleNumbering::ProposalText(const std::optional<qint16> &number)
{
    return number ? QString::number(*number) : QString();
}

QString SampleNumbering::ProposalText(const std::optional<qint32> &number)
{
    return number ? QString::number(*number) : QString();
}
