#pragma once

#include "foundation/Globals.h"

#include <QChar>
#include <QString>
#include <QVariant>

// The default when the value is Null, Empty or a zero-length text, else the
// value unchanged (untrimmed).
QVariant NullToDefault(const QVariant &value, const QVariant &defaultValue);

// Only the digits of the text, padded with "0" up to `width` on the left
// (padLeft) or on the right; a longer result is not cut.
QString DigitsOnlyPadded(const QString &text, bool padLeft, int width);

// Field `n` of a line: field 0 is the text before the first separator (the
// whole line without one), field n the text between the n-th and the
// (n+1)-th separator. An empty line, or one with fewer than n separators,
// gives Empty (an invalid QVariant).
QVariant GetDelimitedField(const QString &line, int n, QChar separator);
QVariant GetDelimitedFieldEx(const QString &line, int n, QChar separator);

// The text with every occurrence of `find` replaced by `replacement`.
QString ReplaceChar(const QString &text, QChar find, const QString &replacement);

// The operator's sort key: the trimmed texts joined and upper-cased, each
// Polish capital replaced by its plain letter and "z", cut to `length`. A
// length of 0 is first set to the joined text's length (the caller sees it).
QString MakeNameSortKey(const QString &text1, const QString &text2, int &length);

// Fills the Polish-letter table (rows 1..18, see Globals.h).
void InitPolishLetterTable(PolishLetterTableType &table);

// A field value as the program shows it: a date as "dd.mm.yyyy", Null as "".
QString ValueText(const QVariant &value);

// VB's Trim and UCase: only blanks are trimmed, and upper-casing keeps the
// length (one character for one).
QString TrimBlanks(const QString &text);
QString UpperCaseKeepLength(const QString &text);

// A count of characters as a Polish sentence says it: "1 znak", "3 znaki",
// "12 znaków", "22 znaki", "50 znaków".
QString CharacterCount(int count);
