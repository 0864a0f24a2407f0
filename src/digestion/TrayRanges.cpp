#include "digestion/TrayRanges.h"

#include "digestion/RunValidator.h"

#include <limits>

namespace
{

// Range ends are compared in 32 bits; the count's own range is checked when
// the tray is saved.
std::optional<qint64> rangeEnd(const QString &text)
{
    return RunValidator::IntegerValue(text, std::numeric_limits<qint32>::min(),
                                      std::numeric_limits<qint32>::max());
}

} // namespace

std::optional<QString> TrayRanges::CountFromRange(const QString &carcassList)
{
    if (rangeEnd(carcassList))
        return carcassList;
    const qsizetype dash = carcassList.indexOf(u'-');
    if (dash < 0 || carcassList.contains(u','))
        return std::nullopt;
    const std::optional<qint64> first = rangeEnd(carcassList.left(dash));
    const std::optional<qint64> last = rangeEnd(carcassList.mid(dash + 1));
    if (!first || !last || *last <= *first)
        return std::nullopt;
    return QString::number(*last - *first + 1);
}

std::optional<int> TrayRanges::SingleCarcass(const QString &carcassList)
{
    return RunValidator::SmallInteger(carcassList);
}

QString TrayRanges::NrTuszRazem(const QString &fatteners, const QString &sows, const QString &boars,
                                const QString &wildBoar, const QString &other)
{
    const std::pair<const QString &, const char *> kinds[] = {{fatteners, "(T), "},
                                                              {sows, "(M), "},
                                                              {boars, "(K), "},
                                                              {wildBoar, "(D), "},
                                                              {other, "(Inne), "}};
    QString joined;
    for (const auto &[list, mark] : kinds) {
        if (!list.isEmpty())
            joined += list + QLatin1String(mark);
    }
    joined.chop(joined.isEmpty() ? 0 : 2);
    return joined;
}
