#include "FieldValue.h"

#include <QCollator>
#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace report
{

namespace
{

const QCollator &polishCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Polish, QLocale::Poland));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

} // namespace

bool FieldValue::isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool FieldValue::isDate(const QVariant &v)
{
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

bool FieldValue::toNumber(const QVariant &v, double &out)
{
    if (isNumber(v)) {
        out = v.toDouble();
        return true;
    }
    if (v.typeId() != QMetaType::QString)
        return false;
    bool ok = false;
    out = v.toString().trimmed().toDouble(&ok);
    return ok;
}

bool FieldValue::toDate(const QVariant &v, QDate &out)
{
    if (v.typeId() == QMetaType::QDate)
        out = v.toDate();
    else if (v.typeId() == QMetaType::QDateTime)
        out = v.toDateTime().date();
    else if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        out = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
        if (!out.isValid())
            out = QDate::fromString(text, Qt::ISODate);
    } else
        return false;
    return out.isValid();
}

bool FieldValue::equals(const QVariant &value, const QVariant &wanted)
{
    if (value.isNull() || wanted.isNull())
        return false;
    if (isNumber(value) || isNumber(wanted)) {
        double a = 0, b = 0;
        return toNumber(value, a) && toNumber(wanted, b) && a == b;
    }
    if (isDate(value) || isDate(wanted)) {
        QDate a, b;
        return toDate(value, a) && toDate(wanted, b) && a == b;
    }
    return value.toString().compare(wanted.toString(), Qt::CaseInsensitive) == 0;
}

int FieldValue::compare(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    double x = 0, y = 0;
    if ((isNumber(a) || isNumber(b)) && toNumber(a, x) && toNumber(b, y))
        return x < y ? -1 : (x > y ? 1 : 0);
    QDate d, e;
    if ((isDate(a) || isDate(b)) && toDate(a, d) && toDate(b, e))
        return d < e ? -1 : (d > e ? 1 : 0);
    return polishCollator().compare(a.toString(), b.toString());
}

QString FieldValue::toText(const QVariant &value, const QString &dateFormat)
{
    if (value.isNull())
        return QString();
    const QString format = dateFormat.isEmpty() ? QStringLiteral("dd.MM.yyyy") : dateFormat;
    QDate date;
    if (isDate(value) && toDate(value, date))
        return date.toString(format);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Tak") : QStringLiteral("Nie");
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        QLocale polish(QLocale::Polish, QLocale::Poland);
        polish.setNumberOptions(QLocale::OmitGroupSeparator);
        // A Single holds about seven significant digits; more would print noise.
        const int digits = value.typeId() == QMetaType::Float ? 7 : 15;
        return polish.toString(d, 'g', digits);
    }
    default:
        return value.toString();
    }
}

} // namespace report
