#include "foundation/RegionalSettings.h"

#include <QRegularExpression>
#include <optional>

namespace
{

std::optional<QLocale> &regionalLocale()
{
    static std::optional<QLocale> locale;
    return locale;
}

// Widens a lone "d" or "M" to "dd" or "MM"; longer runs stay as they are.
QString widenSingleLetters(const QString &format)
{
    static const QRegularExpression single(QStringLiteral("(?<![dM])([dM])(?![dM])"));
    QString result = format;
    return result.replace(single, QStringLiteral("\\1\\1"));
}

} // namespace

QString ShortDateFormat()
{
    const QLocale locale = regionalLocale().value_or(QLocale::system());
    return widenSingleLetters(locale.dateFormat(QLocale::ShortFormat));
}

QString ShortDateText(const QDate &date)
{
    return date.toString(ShortDateFormat());
}

void SetRegionalLocale(const QLocale &locale)
{
    regionalLocale() = locale;
}
