#include "SqlText.h"

#include <QRegularExpression>

namespace dao
{

QString SqlText(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SqlLikePrefix(const QString &value)
{
    QString literal;
    literal.reserve(value.size() + 8);
    for (const QChar c : value) {
        // A one-character class is the pattern language's only way to say
        // "this character itself".
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#') ||
            c == QLatin1Char('[')) {
            literal += QLatin1Char('[');
            literal += c;
            literal += QLatin1Char(']');
        } else {
            literal += c;
        }
    }
    return SqlText(literal + QLatin1Char('*'));
}

QString SqlDate(const QDate &date)
{
    return QStringLiteral("DateValue('%1')").arg(date.toString(QStringLiteral("dd.MM.yyyy")));
}

std::optional<QDate> ParseDateText(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^ *(\d{1,2})[.\-/](\d{1,2})[.\-/](\d{4}) *$)"));
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(3).toInt();
    const QDate date(year, match.captured(2).toInt(), match.captured(1).toInt());
    if (year < 1 || !date.isValid())
        return std::nullopt;
    return date;
}

QString IsoDateText(const QDate &date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

} // namespace dao
