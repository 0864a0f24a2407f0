#pragma once

#include "foundation/BatchHeading.h"
#include "platform/db/Database.h"

#include <QDate>
#include <QString>

#include <optional>

// The three numbers of a sample and where they must be unique: the carcass
// number within its batch, the daily number among the month's samples of one
// delivery day, the general number over the whole month database. No key
// holds them; the save asks here inside its transaction. Proposals are the
// highest stored number + 1 (Null numbers ignored); a proposal that cannot be
// made is empty, never a number that only looks free. Errors of the queries
// go to the caller.
class SampleNumbering
{
public:
    // The highest carcass number of the batch + 1, or 1.
    static int NextCarcass(dao::Database db, BatchNumber batch);
    // The next daily number of the day; nothing beyond the 16-bit range or
    // without a day.
    static std::optional<qint16> NextDaily(dao::Database db, const std::optional<QDate> &day);
    // The next general number; nothing beyond the 32-bit range.
    static std::optional<qint32> NextGeneral(dao::Database db);

    static bool CarcassTaken(dao::Database db, BatchNumber batch, qint64 carcass);
    static bool DailyTaken(dao::Database db, const QDate &day, qint64 daily);
    static bool GeneralTaken(dao::Database db, qint64 general);

    // The first daily / general number of [first, first + count - 1] that a
    // stored sample already has.
    static std::optional<qint64> FirstDailyTaken(dao::Database db, const QDate &day, qint64 first,
                                                 int count);
    static std::optional<qint64> FirstGeneralTaken(dao::Database db, qint64 first, int count);

    // Whether the `count` numbers from `first` on all fit the daily (16-bit)
    // or the general (32-bit) field.
    static bool DailyRangeFits(qint64 first, int count);
    static bool GeneralRangeFits(qint64 first, int count);

    // The proposals as the frame shows them: "" when there is none.
    static QString ProposalText(const std::optional<qint16> &number);
    static QString ProposalText(const std::optional<qint32> &number);
};
