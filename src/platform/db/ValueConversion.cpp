#include "ValueConversion.h"

#include "DaoError.h"
#include "SqlText.h"
#include "Statement.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <sqlite3.h>

namespace dao::detail
{

namespace
{

bool isTextual(const Variant &value)
{
    const int id = value.typeId();
    return id == QMetaType::QString || id == QMetaType::QChar || id == QMetaType::QByteArray;
}

QString blanksTrimmed(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

// A number typed in either notation: "1,5" as the Polish desktop writes it, or "1.5".
std::optional<double> parseNumber(const QString &text)
{
    QString plain = blanksTrimmed(text);
    if (plain.isEmpty())
        return std::nullopt;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString numberText(double value)
{
    QString text = QString::number(value, 'g', 15);
    return text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

} // namespace

std::optional<double> ValueConversion::numberOf(const Variant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0; // True is -1, as the old code counts it
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble();
    default:
        break;
    }
    if (isTextual(value))
        return parseNumber(value.toString());
    return std::nullopt;
}

Variant ValueConversion::toNumber(const Variant &value, const FieldDef &field)
{
    const auto number = numberOf(value);
    if (!number)
        throw Error::Make(err::ConversionError);
    if (field.type == dbSingle) {
        if (std::fabs(*number) > FLT_MAX)
            throw Error::Make(err::Overflow);
        return Variant(float(*number));
    }
    // Halves go to the even neighbour, as the old conversion rounds.
    const double rounded = std::nearbyint(*number);
    const auto [low, high] = RangeOf(field.type);
    if (rounded < double(low) || rounded > double(high))
        throw Error::Make(err::Overflow);
    return Variant(int(rounded));
}

Variant ValueConversion::toDate(const Variant &value)
{
    if (value.typeId() == QMetaType::QDate && value.toDate().isValid())
        return value;
    if (value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid())
        return Variant(value.toDateTime().date());
    if (isTextual(value)) {
        const QString text = value.toString();
        if (const auto date = ParseDateText(text))
            return Variant(*date);
        const QDate iso = QDate::fromString(blanksTrimmed(text), Qt::ISODate);
        if (iso.isValid() && iso.year() >= 1)
            return Variant(iso);
    }
    throw Error::Make(err::ConversionError);
}

Variant ValueConversion::toText(const Variant &value, const FieldDef &field)
{
    QString text;
    switch (value.typeId()) {
    case QMetaType::Bool:
        text = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        text = numberText(value.toDouble());
        break;
    case QMetaType::QDate:
        text = value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
        break;
    default:
        if (!value.canConvert<QString>())
            throw Error::Make(err::ConversionError);
        text = value.toString();
    }
    if (field.type == dbText && text.size() > field.size)
        throw Error::Make(err::FieldTooSmall);
    return Variant(text);
}

Variant ValueConversion::toBoolean(const Variant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value;
    if (isTextual(value)) {
        const QString text = blanksTrimmed(value.toString()).toLower();
        if (text == QLatin1String("true") || text == QLatin1String("prawda"))
            return Variant(true);
        if (text == QLatin1String("false") || text == QLatin1String("fałsz"))
            return Variant(false);
    }
    const auto number = numberOf(value);
    if (!number)
        throw Error::Make(err::ConversionError);
    return Variant(*number != 0.0);
}

Variant ValueConversion::ForField(const Variant &value, const FieldDef &field)
{
    if (!value.isValid())
        return value;
    switch (field.type) {
    case dbBoolean:
        return toBoolean(value);
    case dbByte:
    case dbInteger:
    case dbLong:
    case dbSingle:
        return toNumber(value, field);
    case dbDate:
        return toDate(value);
    case dbText:
    case dbMemo:
        break;
    }
    return toText(value, field);
}

Variant ValueConversion::Read(sqlite3_stmt *stmt, int column, DataTypeEnum type)
{
    // The column's value is taken once and read directly: our connections
    // have no mutex, so each sqlite3_column_* call would only lock and check
    // again.
    sqlite3_value *value = sqlite3_column_value(stmt, column);
    const int storage = sqlite3_value_type(value);
    if (storage == SQLITE_NULL)
        return Variant();
    if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) {
        switch (type) {
        case dbBoolean:
            return Variant(sqlite3_value_int64(value) != 0);
        case dbByte:
        case dbInteger:
        case dbLong:
            return Variant(int(sqlite3_value_int64(value)));
        case dbSingle:
            return Variant(float(sqlite3_value_double(value)));
        default:
            break;
        }
    }
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_value_text(value));
    const int size = sqlite3_value_bytes(value);
    if (type == dbDate) {
        if (const std::optional<QDate> date = IsoDateOf(bytes, size))
            return Variant(*date);
        const QDate date =
            QDate::fromString(QString::fromUtf8(bytes, std::min(size, 10)), Qt::ISODate);
        if (date.isValid())
            return Variant(date);
    }
    return Variant(QString::fromUtf8(bytes, size));
}

void ValueConversion::Bind(Statement &statement, int index, const Variant &value, DataTypeEnum type)
{
    if (!value.isValid())
        return statement.BindNull(index);
    switch (type) {
    case dbBoolean:
        return statement.Bind(index, qint64(value.toBool() ? 1 : 0));
    case dbByte:
    case dbInteger:
    case dbLong:
        return statement.Bind(index, qint64(value.toInt()));
    case dbSingle:
        return statement.Bind(index, double(value.toFloat()));
    case dbDate: {
        const QDate date = value.toDate();
        char text[10];
        if (IsoDateBytes(date, text))
            return statement.BindUtf8(index, text, 10);
        return statement.Bind(index, IsoDateText(date));
    }
    case dbText:
    case dbMemo:
        break;
    }
    statement.Bind(index, value.toString());
}

std::pair<qint64, qint64> ValueConversion::RangeOf(DataTypeEnum type)
{
    switch (type) {
    case dbByte:
        return {0, 255};
    case dbInteger:
        return {-32768, 32767};
    default:
        return {-2147483648LL, 2147483647LL};
    }
}

} // namespace dao::detail
