#pragma once

#include "FieldTemplate.h"
#include "SelectionFormula.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace report
{

// A report definition as read from its file (see DefinitionParser.h for the
// text format). Lengths are millimetres, font sizes points.
class ReportDefinition
{
public:
    enum class Align { Left, Center, Right };

    // Unset parts are taken from the enclosing band or the page.
    struct Font {
        QString family;
        double size = 0;
        std::optional<bool> bold;
        std::optional<bool> italic;
    };

    struct Block;

    struct Column {
        double width = 0; // 0: an equal share of what the others leave
        std::vector<Block> blocks;
    };

    struct Block {
        enum Kind { Text, Letterhead, Fields, Columns, Image, Space, Rule };
        Kind kind = Text;
        FieldTemplate text;
        Align align = Align::Left;
        Font font;
        Font labelFont;
        std::vector<std::pair<FieldTemplate, FieldTemplate>> fields;
        double labelWidth = 40;
        std::vector<Column> columns;
        QString imageFile;
        double width = 0;
        double height = 0;
        double size = 0; // height of a space, thickness of a rule
        SelectionFormula when;
    };

    // This band's table field equals the value of another table's field in
    // the row being printed (or the first row of a one-row table).
    struct Link {
        QString field;
        QString sourceTable;
        QString sourceField;
    };

    struct TableColumn {
        FieldTemplate title;
        FieldTemplate value;
        double weight = 1;
        Align align = Align::Left;
    };

    struct Band {
        QString table;
        std::vector<Link> links;
        QStringList orderBy;
        std::vector<TableColumn> columns; // a table row per record ...
        std::vector<Block> blocks;        // ... or a small form per record
        std::vector<Band> children;       // printed under each record
        bool grid = true;
        double indent = 0;
        Font font;
        Font headerFont;
    };

    struct Page {
        QPageSize::PageSizeId size = QPageSize::A4;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QMarginsF margins{15, 12, 12, 12};
        Font font;
    };

    QString path;
    QString title;
    Page page;
    QStringList tables;
    std::vector<Block> header;
    std::vector<Block> pageHeader;
    std::optional<Band> detail;
    std::vector<Block> footer;
    std::vector<Block> pageFooter;

    // Throws RuntimeError: err::FileNotFound, err::PathFileAccess or
    // err::BadDefinition, with a Polish description naming the file.
    static ReportDefinition load(const QString &path);
    static ReportDefinition parse(const QByteArray &text, const QString &path);

    // The declared spelling of a table name, or an empty text.
    QString declaredTable(const QString &name) const;
};

} // namespace report
