#pragma once

#include <QString>
#include <QVariant>

namespace report
{

// How the report layer compares, orders and prints the values it reads:
// numbers by value, dates by day, texts without regard to case (Polish letters
// included), as the database compares them. A Null value equals nothing.
class FieldValue
{
public:
    static bool equals(const QVariant &value, const QVariant &wanted);
    // Negative, zero or positive; Null orders before everything else.
    static int compare(const QVariant &a, const QVariant &b);
    // The printed text: dates "dd.MM.yyyy" unless a Qt date format is given,
    // numbers with the Polish decimal comma, Null as the empty text.
    static QString toText(const QVariant &value, const QString &dateFormat = QString());

private:
    static bool isNumber(const QVariant &v);
    static bool isDate(const QVariant &v);
    static bool toNumber(const QVariant &v, double &out);
    static bool toDate(const QVariant &v, QDate &out);
};

} // namespace report
