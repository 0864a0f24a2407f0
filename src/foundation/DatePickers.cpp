#include "foundation/DatePickers.h"

#include "foundation/FormKalendarz.h"
#include "foundation/FormKalendarz1.h"
#include "foundation/FormZegar.h"
#include "foundation/RegionalSettings.h"
#include "foundation/TextProcedures.h"
#include "platform/db/SqlText.h"

#include <QTime>
#include <optional>

namespace
{

QChar firstNonDigit(const QString &text, qsizetype positions)
{
    for (qsizetype i = 0; i < text.size() && i < positions; ++i) {
        if (!text.at(i).isDigit())
            return text.at(i);
    }
    return {};
}

// Puts the system's date separator in place of the text's and reads it.
std::optional<QDate> readDate(QString &text)
{
    const QString today = ShortDateText(QDate::currentDate());
    const QChar systemSeparator = firstNonDigit(today, today.size());
    const QChar separator = firstNonDigit(text, today.size());
    if (!separator.isNull() && !systemSeparator.isNull())
        text = ReplaceChar(text, separator, QString(systemSeparator));
    return dao::ParseDateText(text);
}

// The date of a typed text, when it is one.
std::optional<QDate> dateOf(const QString &text)
{
    QString copy = text;
    return readDate(copy);
}

QString twoCharacters(const QString &text, qsizetype from)
{
    return from < 0 ? QString() : text.mid(from, 2);
}

} // namespace

QDate ParseDateText(QString &text)
{
    return readDate(text).value_or(ZeroDate);
}

QDate PickDate(const QString &dateText, const QString &caption)
{
    return FormKalendarz::Pick(dateOf(dateText), caption);
}

QDate PickPastDate(const QString &dateText, const QString &caption)
{
    return FormKalendarz1::PickPast(dateOf(dateText), caption);
}

QString PickTime(QString &timeText)
{
    if (!timeText.contains(QLatin1Char(':')))
        timeText = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    const qsizetype colon = timeText.indexOf(QLatin1Char(':'));
    // Fewer than two characters before the colon match no hour.
    const std::optional<QString> hour =
        colon >= 2 ? std::optional<QString>(twoCharacters(timeText, colon - 2)) : std::nullopt;
    return FormZegar::Pick(hour, twoCharacters(timeText, colon + 1));
}
