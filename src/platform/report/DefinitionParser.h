#pragma once

#include "ReportDefinition.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <initializer_list>

namespace report
{

// Reads a report definition file. The file is JSON text (UTF-8); a line whose
// first non-blank characters are "//" is a comment. Lengths are millimetres,
// font sizes points. Unknown keys are errors, so that a misspelt key is found.
//
// {
//   "title": "Lista zakładów",                 // the document title of a PDF
//   "page": { "size": "A4", "orientation": "portrait" | "landscape",
//             "margins": [left, top, right, bottom],
//             "font": { "family": "DejaVu Sans", "size": 9 } },
//   "tables": ["Zaklad"],                      // every table the report reads
//   "header":     [ block, ... ],              // once, at the top of page 1
//   "pageHeader": [ block, ... ],              // at the top of every page
//   "detail":     band,                        // the repeated rows
//   "footer":     [ block, ... ],              // once, after the last row
//   "pageFooter": [ block, ... ]               // at the bottom of every page
// }
//
// A block is an object with one of these keys, and optionally "when" (a
// condition written like a selection formula, {Table.Field} = 'T': the block
// is printed only when it holds), "font" and "align" ("left", "center",
// "right"):
//   { "text": "Sprawozdanie nr {WynikTMP.Numer}" }   wrapped text; CR, CR LF
//                                                    and LF in values break lines
//   { "letterhead": true }                     the letterhead lines of the caller
//   { "fields": [["Zleceniodawca:", "{WynikTMP.Zleceniodawca}"], ...],
//     "labelWidth": 40, "labelFont": font }    labels with their values beside
//   { "columns": [ { "width": 110, "blocks": [ ... ] }, { "blocks": [ ... ] } ] }
//                                              blocks side by side; a column
//                                              without width shares the rest
//   { "image": "logo.png", "width": 25, "height": 0 }
//                                              a picture from the definition's
//                                              folder; left out when missing
//   { "space": 3 }                             vertical space
//   { "rule": 0.3 }                            a horizontal line of that thickness
// Texts use the places of FieldTemplate: {Table.Field}, {Table.Field|yyyy},
// {Table.Field|list:, }, {?Parameter}, {#Page}, {#Pages}.
//
// A band prints the rows of one table:
// {
//   "table": "Badanie",
//   "link": { "Partia": "Partia.Partia" },     // rows whose field equals that value
//   "orderBy": ["NrDzien"],                    // otherwise the table's order
//   "columns": [ { "title": "Nr", "value": "{Badanie.NrDzien}", "width": 8,
//                  "align": "right" }, ... ],  // a table row per record; widths
//                                              // are shares of the band's width;
//                                              // the titles repeat on every page
//   "blocks": [ block, ... ],                  // or a small form per record
//   "grid": true,                              // cell borders
//   "indent": 0, "font": font, "headerFont": font,
//   "children": [ band, ... ]                  // printed under each record, linked
//                                              // to it ("link": {"Nastawienie":
//                                              // "Nastawienie.Nastawienie"})
// }
class DefinitionParser
{
public:
    explicit DefinitionParser(QString path);

    // Throws RuntimeError (err::BadDefinition) naming the file and the place.
    ReportDefinition parse(const QByteArray &text);

private:
    using Align = ReportDefinition::Align;
    using Block = ReportDefinition::Block;
    using Band = ReportDefinition::Band;
    using Font = ReportDefinition::Font;

    QString path_;
    ReportDefinition def_;

    [[noreturn]] void fail(const QString &where, const QString &what) const;
    static QByteArray withoutComments(const QByteArray &text);
    QJsonObject object(const QJsonValue &value, const QString &where) const;
    // The value as a list that holds something; otherwise the definition fails
    // with `expected`.
    QJsonArray nonEmptyList(const QJsonValue &value, const QString &where,
                            const QString &expected) const;
    void checkKeys(const QJsonObject &o, const QString &where,
                   std::initializer_list<const char *> allowed) const;
    QString text(const QJsonValue &value, const QString &where) const;
    double number(const QJsonValue &value, const QString &where) const;
    QString table(const QString &name, const QString &where) const;

    void readTop(const QJsonObject &root);
    ReportDefinition::Page readPage(const QJsonValue &value, const QString &where) const;
    Font readFont(const QJsonValue &value, const QString &where) const;
    Align readAlign(const QJsonValue &value, const QString &where) const;
    FieldTemplate readTemplate(const QJsonValue &value, const QString &where) const;
    SelectionFormula readWhen(const QJsonValue &value, const QString &where) const;
    std::vector<Block> readBlocks(const QJsonValue &value, const QString &where) const;
    Block readBlock(const QJsonValue &value, const QString &where) const;
    void readBlockBody(const QJsonObject &o, Block &b, const QString &where) const;
    void readFieldRows(const QJsonValue &value, Block &b, const QString &where) const;
    void readColumns(const QJsonValue &value, Block &b, const QString &where) const;
    Band readBand(const QJsonValue &value, const QString &where) const;
    void readLinks(const QJsonValue &value, Band &band, const QString &where) const;
    void readTableColumns(const QJsonValue &value, Band &band, const QString &where) const;
};

} // namespace report
