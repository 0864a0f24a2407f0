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
    char text[10];
    if (IsoDateBytes(date, text))
        return QString::fromLatin1(text, 10);
    return QStringLiteral("%1-%2-%3")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

bool IsoDateBytes(const QDate &date, char (&text)[10])
{
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (!date.isValid() || year < 1 || year > 9999)
        return false;
    const auto put = [&text](int at, int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(0, year, 4);
    text[4] = '-';
    put(5, month, 2);
    text[7] = '-';
    put(8, day, 2);
    return true;
}

std::optional<QDate> IsoDateOf(const char *text, qsizetype size)
{
    if (size < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto number = [text](int at, int digits) {
        int value = 0;
        for (int i = at; i < at + digits; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const int year = number(0, 4);
    const QDate date(year, number(5, 2), number(8, 2));
    if (year < 1 || !date.isValid())
        return std::nullopt;
    return date;
}

} // namespace dao
