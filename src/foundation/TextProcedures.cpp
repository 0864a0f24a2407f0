#include "foundation/TextProcedures.h"

#include "platform/RuntimeError.h"
#include "platform/fs/Cp1250.h"

namespace
{

// The Polish letters of the letter table, capitals first, and the plain
// letters they are based on.
const QString PolishLetters = QStringLiteral("ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
const QString PlainLetters = QStringLiteral("ACELNOSZZacelnoszz");
constexpr int PolishCapitalCount = 9;

bool isEmptyValue(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return true;
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

QVariant delimitedField(const QString &line, int n, QChar separator)
{
    if (line.isEmpty())
        return {};
    if (n <= 0) {
        const qsizetype end = line.indexOf(separator);
        return end < 0 ? line : line.left(end);
    }
    qsizetype start = -1;
    for (int i = 0; i < n; ++i) {
        start = line.indexOf(separator, start + 1);
        if (start < 0)
            return {};
    }
    const qsizetype end = line.indexOf(separator, start + 1);
    if (end < 0)
        return {};
    return line.mid(start + 1, end - start - 1);
}

} // namespace

QVariant NullToDefault(const QVariant &value, const QVariant &defaultValue)
{
    return isEmptyValue(value) ? defaultValue : value;
}

QString DigitsOnlyPadded(const QString &text, bool padLeft, int width)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    }
    if (digits.size() >= width)
        return digits;
    const QString zeros(width - digits.size(), QLatin1Char('0'));
    return padLeft ? zeros + digits : digits + zeros;
}

QVariant GetDelimitedField(const QString &line, int n, QChar separator)
{
    return delimitedField(line, n, separator);
}

QVariant GetDelimitedFieldEx(const QString &line, int n, QChar separator)
{
    return delimitedField(line, n, separator);
}

QString ReplaceChar(const QString &text, QChar find, const QString &replacement)
{
    QString result = text;
    return result.replace(find, replacement);
}

QString MakeNameSortKey(const QString &text1, const QString &text2, int &length)
{
    // The table is filled at start-up; a caller outside the program's run
    // (the installer) finds it empty.
    if (PolishLetterTable[1][1].isEmpty())
        InitPolishLetterTable(PolishLetterTable);

    QString key = UpperCaseKeepLength(TrimBlanks(text1) + TrimBlanks(text2));
    if (length == 0) {
        if (key.size() > 255)
            throw RuntimeError(rterr::Overflow, QStringLiteral("Przepełnienie."));
        length = int(key.size());
    }
    for (int row = 1; row <= PolishCapitalCount; ++row) {
        const QChar letter = fs::Cp1250::Chr(PolishLetterTable[row][1].toInt());
        const QChar plain = fs::Cp1250::Chr(PolishLetterTable[row][2].toInt());
        key.replace(letter, QString(plain) + QLatin1Char('z'));
    }
    return key.left(length);
}

void InitPolishLetterTable(PolishLetterTableType &table)
{
    table[0] = {};
    for (int i = 0; i < PolishLetters.size(); ++i) {
        auto &row = table[i + 1];
        row[0] = PolishLetters.at(i);
        row[1] = QString::number(fs::Cp1250::Asc(PolishLetters.at(i)));
        row[2] = QString::number(PlainLetters.at(i).unicode());
    }
}

QString ValueText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    return value.toString();
}

QString TrimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

QString UpperCaseKeepLength(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        c = c.toUpper();
    return result;
}

QString CharacterCount(int count)
{
    const int ones = count % 10;
    const int tens = count % 100 / 10;
    const char *noun = count == 1                            ? "znak"
                       : ones >= 2 && ones <= 4 && tens != 1 ? "znaki"
                                                             : "znaków";
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf8(noun);
}
