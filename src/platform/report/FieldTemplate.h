#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace report
{

// A text of a report definition with places for values:
//
//     {Table.Field}          the field of the row being printed, or of the first
//                            selected row of a one-row table
//     {Table.Field|format}   a date printed with a Qt date format ("dd.MM.yyyy",
//                            the default; "yyyy" ...)
//     {Table.Field|list:SEP} the field of every selected row of the table, empty
//                            values left out, joined by SEP (", ")
//     {?Name}                a text the caller passes (letterhead, period, ...)
//     {#Page} {#Pages}       the page number and the number of pages
//     {{ and }}              a brace as text
class FieldTemplate
{
public:
    struct Part {
        enum Kind { Literal, Field, Parameter, PageNumber, PageCount };
        Kind kind = Literal;
        QString text; // the literal text, or the parameter's name
        QString table;
        QString field;
        QString format;
        bool list = false;
    };

    FieldTemplate() = default;
    // On a fault returns an empty template and sets *error.
    static FieldTemplate parse(const QString &text, QString *error);

    const QList<Part> &parts() const { return parts_; }
    bool isEmpty() const { return parts_.isEmpty(); }
    QStringList tables() const;

private:
    static bool parsePlace(const QString &inner, Part &part, QString *error);

    QList<Part> parts_;
};

} // namespace report
