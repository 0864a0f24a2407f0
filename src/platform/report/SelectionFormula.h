#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace report
{

// A record selection formula as the register passes it to a report:
//
//     {Table.Field} = value [and {Table.Field} = value ...]
//
// where value is a number (12, -3, 2.5) or a text in single or double quotes,
// the quote doubled inside it ('O''Brien'). "and" is written in any case; blanks
// around the parts are free. The empty text (or blanks only) selects every row.
// The formula is parsed here and applied to the rows that were read, value by
// value; its text never reaches a database statement.
class SelectionFormula
{
public:
    struct Condition {
        QString table;
        QString field;
        QVariant value; // double or QString
    };

    SelectionFormula() = default;
    // Throws RuntimeError (err::BadFormula) with the place of the fault.
    static SelectionFormula parse(const QString &text);

    bool isEmpty() const { return conditions_.isEmpty(); }
    const QList<Condition> &conditions() const { return conditions_; }
    const QString &text() const { return text_; }

private:
    class Reader;

    QString text_;
    QList<Condition> conditions_;
};

} // namespace report
