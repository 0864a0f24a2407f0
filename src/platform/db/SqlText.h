#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace dao
{

// The one way to put a typed or imported text into a statement: a quoted SQL
// literal with every apostrophe doubled ('O''Brien').
QString SqlText(const QString &value);

// A LIKE pattern literal that finds texts beginning with `value`: the value's
// own wildcard characters (* ? # [) are made literal, then '*' is appended.
QString SqlLikePrefix(const QString &value);

// A date for a statement, as DateValue('dd.mm.yyyy').
QString SqlDate(const QDate &date);

// A day written "dd.mm.yyyy" (also with '-' or '/' and one-digit day or month,
// surrounding blanks ignored; years 1..9999). Shared by DateValue, the date
// fields and the date checks of the windows.
std::optional<QDate> ParseDateText(const QString &text);

// The stored form of a day: "yyyy-mm-dd".
QString IsoDateText(const QDate &date);
// The same into a buffer, for years 1..9999; false for any other date.
bool IsoDateBytes(const QDate &date, char (&text)[10]);
// The day at the start of a stored text "yyyy-mm-dd...", if it is one.
std::optional<QDate> IsoDateOf(const char *text, qsizetype size);

} // namespace dao
