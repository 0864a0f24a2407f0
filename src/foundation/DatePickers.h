#pragma once

#include <QDate>
#include <QString>

// The date given back for a text that is no date.
inline const QDate ZeroDate{1899, 12, 30};

// The calendar FormKalendarz for any date. A valid date text presets the
// calendar; otherwise it keeps its value (today at first, else the last
// pick). Returns the calendar's value when the window closes.
QDate PickDate(const QString &dateText, const QString &caption);

// The calendar FormKalendarz1 for a date up to today. A later date is refused
// with the "DATA" warning, and the date the calendar opened with (the date of
// the caller's text, else its kept value) is given back instead.
QDate PickPastDate(const QString &dateText, const QString &caption);

// The time picker FormZegar: preselects the hour and minute of "hh:mm" (a text
// without ":" is replaced by the current time "hh:mm:ss"), returns "HH:MM".
QString PickTime(QString &timeText);

// Reads a typed date whatever its separator: every occurrence of the text's
// separator becomes the system's (the caller's text receives the result).
// Returns the date, or ZeroDate when the text is no date.
QDate ParseDateText(QString &text);
