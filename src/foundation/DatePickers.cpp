#include "foundation/DatePickers.h"

#include "foundation/FormKalendarz.h"
#include "foundation/FormKalendarz1.h"
#include "foundation/FormZegar.h"
#include "foundation/RegionalSettings.h"
#include "foundation/TextProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/ui/CalendarDate.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QCalendarWidget>
#include <QListWidget>
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

// Presets the calendar from the text, shows it and hands back its value.
template <class Window>
QDate pickWith(Window &window, QCalendarWidget *calendar, const QString &dateText,
               const QString &caption)
{
    if (const std::optional<QDate> preset = dateOf(dateText))
        calendar->setSelectedDate(*preset);
    window.setWindowTitle(caption);
    const QDate picked = ui::CalendarDate(caption, calendar->selectedDate(), [&] {
        ui::ShowModal(window);
        return calendar->selectedDate();
    });
    calendar->setSelectedDate(picked);
    return picked;
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
    FormKalendarz &window = ui::WindowRegistry::Instance<FormKalendarz>();
    return pickWith(window, window.Kalendarz, dateText, caption);
}

QDate PickPastDate(const QString &dateText, const QString &caption)
{
    FormKalendarz1 &window = ui::WindowRegistry::Instance<FormKalendarz1>();
    if (const std::optional<QDate> preset = dateOf(dateText))
        window.Kalendarz1->setSelectedDate(*preset);
    const QDate opened = window.Kalendarz1->selectedDate();
    const QDate picked = pickWith(window, window.Kalendarz1, dateText, caption);
    if (picked <= QDate::currentDate())
        return picked;
    ui::MsgBox(QStringLiteral("Nie możesz wybrać daty późniejszej\rod dnia dzisiejszego!"), 48,
               QStringLiteral("DATA"));
    // The refused day is not handed on: the caller keeps the date it had.
    window.Kalendarz1->setSelectedDate(opened);
    return opened;
}

QString PickTime(QString &timeText)
{
    FormZegar &window = ui::WindowRegistry::Instance<FormZegar>();
    if (!timeText.contains(QLatin1Char(':')))
        timeText = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    const qsizetype colon = timeText.indexOf(QLatin1Char(':'));
    // Fewer than two characters before the colon match no hour.
    if (colon >= 2)
        FormZegar::SelectItem(window.ListGodz, twoCharacters(timeText, colon - 2));
    FormZegar::SelectItem(window.ListMin, twoCharacters(timeText, colon + 1));
    ui::ShowModal(window);
    if (window.ListMin->currentItem() == nullptr)
        window.ListMin->setCurrentRow(0);
    if (window.ListGodz->currentItem() == nullptr)
        window.ListGodz->setCurrentRow(0);
    return window.ListGodz->currentItem()->text() + QLatin1Char(':') +
           window.ListMin->currentItem()->text();
}
