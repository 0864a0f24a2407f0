#pragma once

#include "digestion/RunFrameValues.h"
#include "foundation/Refusal.h"

#include <QDate>
#include <QMap>
#include <QString>

#include <optional>

// The checks of the run and tray frames, in their fixed order, and the
// number tests behind them. Each check returns the first fault found, or
// nothing when the frame passes.
class RunValidator
{
public:
    // An integer text: blanks around an optional sign and digits, within
    // [min, max]. "1,5", "1e3", "&H10" and blanks alone are no integers.
    static std::optional<qint64> IntegerValue(const QString &text, qint64 min, qint64 max);
    // A 16-bit integer text, as run, tray and count fields hold them.
    static std::optional<int> SmallInteger(const QString &text);
    // A decimal text: an integer text that may carry one decimal separator,
    // "," or ".".
    static std::optional<double> DecimalValue(const QString &text);
    // The day a typed date denotes ("dd.mm.yyyy", also with "-" or "/").
    static std::optional<QDate> DateOf(const QString &text);

    // Run checks 1 and 2: the run number is present and a 16-bit integer.
    static std::optional<Refusal> CheckRunNumber(const QString &text);
    // A run text longer than its field (a picked entry can be): the field's
    // caption named, the focus on its box. `texts` maps fields to box texts.
    static std::optional<Refusal> CheckRunTextLengths(const RunFrameValues &values);

    // Run check 3: another run of the batch carries the number.
    static Refusal DuplicateRun(int number);
    // Run checks 4 and 5: a date given is a date.
    static std::optional<Refusal> CheckRunDates(const QString &start, const QString &end);

    // Tray checks 1 to 4: tray number and sample count present and integers.
    static std::optional<Refusal> CheckTray(const QString &trayNumber, const QString &count);
    // Tray check 5: the tray number is taken in this run.
    static Refusal DuplicateTray(int number);

    // The number of an equipment-list entry: checks 1 and 2 of its save.
    static std::optional<Refusal> CheckListNumber(const QString &text);
};
