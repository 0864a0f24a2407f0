#pragma once

#include <QString>

#include <optional>

// What the run window reads out of a tray's carcass lists.
class TrayRanges
{
public:
    // The sample count of the general carcass list: a single number gives the
    // text itself; a range "a-b" with b greater than a gives b - a + 1. Any
    // other text (a list, a reversed or empty range, words) gives nothing,
    // and the operator types the count.
    static std::optional<QString> CountFromRange(const QString &carcassList);

    // The single carcass number a list names, for the jump to its sample;
    // nothing for a range, a list or an empty text.
    static std::optional<int> SingleCarcass(const QString &carcassList);

    // The kind lists of a tray joined for the run card: each non-empty list
    // followed by its mark, "1-20(T), 31(D)"; empty when there is none.
    static QString NrTuszRazem(const QString &fatteners, const QString &sows, const QString &boars,
                               const QString &wildBoar, const QString &other);
};
