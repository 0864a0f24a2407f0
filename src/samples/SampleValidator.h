#pragma once

#include "foundation/Refusal.h"
#include "samples/SampleFrameValues.h"

#include <QString>

#include <functional>
#include <optional>

// The checks of the sample save, in their fixed order (1 to 14). The three
// uniqueness checks ask the month database through the lookups given; the
// save runs them inside the transaction that writes the row.
class SampleValidator
{
public:
    struct Lookups {
        std::function<bool(qint64)> dailyTaken;   // on the batch's delivery day
        std::function<bool(qint64)> generalTaken; // in the month database
        std::function<bool(qint64)> carcassTaken; // in the batch
    };

    // The numbers a corrected sample's frame was filled with, as texts; a
    // new sample (std::nullopt) has none.
    struct Numbers {
        QString carcass; // EditedCarcassNumber
        QString daily;
        QString general;
    };

    static std::optional<Refusal> Check(const SampleFrameValues &values,
                                        const std::optional<Numbers> &loaded,
                                        const Lookups &lookups);

    // The whole number a box holds: blanks around an optional sign and
    // digits, within the range of its field.
    static std::optional<qint64> WholeNumber(const QString &text, qint64 low, qint64 high);
    static std::optional<qint64> Integer(const QString &text);     // 16-bit
    static std::optional<qint64> LongInteger(const QString &text); // 32-bit

    // The refusals of the uniqueness checks, shared with the import.
    static Refusal DailyTaken(const QString &number);
    static Refusal GeneralTaken(const QString &number);
    static Refusal CarcassTaken(const QString &number);

    static constexpr int MaxDescription = 30;
};
