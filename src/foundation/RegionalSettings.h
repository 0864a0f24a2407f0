#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// The workstation's regional short-date format, from the user's locale. A day
// or month written with one letter counts as its two-digit form, because the
// locale data gives "d.MM.yyyy" where the workstation shows "dd.MM.yyyy".
QString ShortDateFormat();

// The date as the regional short-date format writes it.
QString ShortDateText(const QDate &date);

// The locale that the regional settings come from (the user's by default).
void SetRegionalLocale(const QLocale &locale);
