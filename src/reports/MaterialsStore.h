#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Database.h"

#include <QString>
#include <QVariant>

#include <optional>

// The materials used on a laboratory day: one row of zuzyte per day in the
// month database, with the number of tests and of plates. A day is the
// working date's text "dd.mm.yyyy". Errors of the engine go to the caller
// (a month database without the table, for one).
class MaterialsStore
{
public:
    // The day's stored quantities, as stored (Null stays Null).
    struct Quantities {
        QVariant tests;
        QVariant plates;

        bool operator==(const Quantities &) const = default;
    };

    // True when a batch was delivered on the day: materials are entered only
    // for such a day.
    static bool DayHasBatches(dao::Database db, const QString &day);

    // The day's row as the window shows it: its quantities, and the row they
    // were read from.
    struct Shown {
        Quantities quantities;
        LoadedRow row;
    };
    // The day's row, if it has one.
    static std::optional<Shown> Read(dao::Database db, const QString &day);

    // Corrects the day's row, or adds it, provided the day still has the row
    // the window was filled from (`loaded`, as Read gave it; EditAsLoaded):
    // 3167 when that row is gone, 3197 when it changed or a row was added
    // meanwhile, and nothing is written. The write lock is taken first, so
    // that two workstations cannot both add one. A day that is no date fails
    // (13).
    static void Store(dao::Database db, const QString &day, const std::optional<LoadedRow> &loaded,
                      float tests, float plates);
};
