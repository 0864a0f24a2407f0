#include "LayoutBuilder.h"

#include "FieldValue.h"
#include "ReportData.h"
#include "RowContext.h"
#include "Units.h"

#include <QFileInfo>
#include <QImage>

#include <algorithm>

namespace report
{

namespace
{

constexpr double cellPadX = units::mm(1.0);
constexpr double cellPadY = units::mm(0.6);
constexpr double gridWidth = units::mm(0.2);

ReportDefinition::Font bold()
{
    ReportDefinition::Font f;
    f.bold = true;
    return f;
}

void setGroup(std::vector<Slice> &slices, int group)
{
    for (Slice &s : slices)
        s.group = group;
}

} // namespace

LayoutBuilder::LayoutBuilder(const ReportDefinition &definition, const ReportData &data,
                             const ReportParameters &parameters, FontBook &fonts)
    : definition_(definition), data_(data), parameters_(parameters), fonts_(fonts)
{
}

void LayoutBuilder::setPage(int page, int pages)
{
    page_ = page;
    pages_ = pages;
}

QString LayoutBuilder::resolve(const FieldTemplate &text, const RowContext &context) const
{
    QString out;
    for (const FieldTemplate::Part &p : text.parts()) {
        switch (p.kind) {
        case FieldTemplate::Part::Literal:
            out += p.text;
            break;
        case FieldTemplate::Part::Parameter:
            out += parameters_.value(p.text);
            break;
        case FieldTemplate::Part::PageNumber:
            out += QString::number(page_);
            break;
        case FieldTemplate::Part::PageCount:
            out += QString::number(pages_);
            break;
        case FieldTemplate::Part::Field:
            if (!p.list) {
                out += FieldValue::toText(context.value(p.table, p.field), p.format);
                break;
            }
            QStringList items;
            for (const QVariant &v : context.values(p.table, p.field))
                if (const QString t = FieldValue::toText(v); !t.trimmed().isEmpty())
                    items.append(t);
            out += items.join(p.format);
            break;
        }
    }
    return out;
}

double LayoutBuilder::alignedX(ReportDefinition::Align align, double x, double width,
                               double textWidth)
{
    switch (align) {
    case ReportDefinition::Align::Center:
        return x + (width - textWidth) / 2;
    case ReportDefinition::Align::Right:
        return x + width - textWidth;
    case ReportDefinition::Align::Left:
        break;
    }
    return x;
}

std::vector<Slice> LayoutBuilder::blocks(const std::vector<Block> &list, const RowContext &context,
                                         const Area &area)
{
    std::vector<Slice> out;
    for (const Block &b : list) {
        if (!context.holds(b.when))
            continue;
        for (Slice &s : block(b, context, area))
            out.push_back(std::move(s));
    }
    return out;
}

std::vector<Slice> LayoutBuilder::block(const Block &b, const RowContext &context, const Area &area)
{
    const Area inner{area.x, area.width, FontBook::merged(b.font, area.font)};
    const int font = fonts_.id(inner.font);
    std::vector<Slice> out;
    switch (b.kind) {
    case Block::Text:
        out = textLines(resolve(b.text, context), font, area.x, area.width, b.align);
        break;
    case Block::Letterhead:
        out = letterhead(font, b, area);
        break;
    case Block::Fields:
        return fieldRows(b, context, inner);
    case Block::Columns:
        return columns(b, context, inner);
    case Block::Image:
        return image(b, area);
    case Block::Space: {
        Slice s;
        s.height = units::mm(b.size);
        s.dropAtPageTop = true;
        return {s};
    }
    case Block::Rule:
        return rule(b, area);
    }
    setGroup(out, groups_++);
    return out;
}

std::vector<Slice> LayoutBuilder::textLines(const QString &text, int font, double x, double width,
                                            ReportDefinition::Align align)
{
    const QFontMetricsF &m = fonts_.metrics(font);
    std::vector<Slice> out;
    for (const TextWrapper::Line &line : TextWrapper::wrap(text, fonts_.font(font), width)) {
        Slice s;
        s.height = m.lineSpacing();
        if (!line.text.isEmpty())
            s.items.texts.push_back(
                {QPointF(alignedX(align, x, width, line.width), m.ascent()), line.text, font});
        out.push_back(std::move(s));
    }
    return out;
}

std::vector<Slice> LayoutBuilder::letterhead(int font, const Block &b, const Area &area)
{
    QStringList lines = parameters_.letterhead;
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    std::vector<Slice> out;
    for (const QString &line : lines)
        for (Slice &s : textLines(line, font, area.x, area.width, b.align))
            out.push_back(std::move(s));
    return out;
}

std::vector<Slice> LayoutBuilder::fieldRows(const Block &b, const RowContext &context,
                                            const Area &area)
{
    const int valueFont = fonts_.id(area.font);
    const int labelFont = fonts_.id(FontBook::merged(b.labelFont, area.font));
    const double labelWidth = std::min(units::mm(b.labelWidth), area.width / 2);
    const double valueX = area.x + labelWidth;
    const double valueWidth = area.width - labelWidth;
    const QFontMetricsF &lm = fonts_.metrics(labelFont);
    const QFontMetricsF &vm = fonts_.metrics(valueFont);
    const double lineHeight = std::max(lm.lineSpacing(), vm.lineSpacing());
    const double ascent = std::max(lm.ascent(), vm.ascent());
    std::vector<Slice> out;
    for (const auto &[labelText, valueText] : b.fields) {
        const auto labels = TextWrapper::wrap(resolve(labelText, context), fonts_.font(labelFont),
                                              labelWidth - cellPadX);
        const auto values =
            TextWrapper::wrap(resolve(valueText, context), fonts_.font(valueFont), valueWidth);
        const int group = groups_++;
        for (qsizetype k = 0; k < std::max(labels.size(), values.size()); ++k) {
            Slice s;
            s.height = lineHeight;
            s.group = group;
            if (k < labels.size() && !labels[k].text.isEmpty())
                s.items.texts.push_back({QPointF(area.x, ascent), labels[k].text, labelFont});
            if (k < values.size() && !values[k].text.isEmpty())
                s.items.texts.push_back(
                    {QPointF(alignedX(b.align, valueX, valueWidth, values[k].width), ascent),
                     values[k].text, valueFont});
            out.push_back(std::move(s));
        }
    }
    return out;
}

std::vector<Slice> LayoutBuilder::columns(const Block &b, const RowContext &context,
                                          const Area &area)
{
    double fixed = 0;
    int shared = 0;
    for (const auto &c : b.columns) {
        fixed += units::mm(c.width);
        shared += c.width > 0 ? 0 : 1;
    }
    const double share = shared > 0 ? std::max(0.0, area.width - fixed) / shared : 0;
    // The columns become one slice: side by side, they cannot break apart.
    Slice joined;
    double x = area.x;
    for (const auto &c : b.columns) {
        const double w = c.width > 0 ? units::mm(c.width) : share;
        double y = 0;
        for (const Slice &s : blocks(c.blocks, context, Area{x, w, area.font})) {
            joined.items.append(s.items, y);
            y += s.height;
        }
        joined.height = std::max(joined.height, y);
        x += w;
    }
    return {joined};
}

std::vector<Slice> LayoutBuilder::image(const Block &b, const Area &area) const
{
    const QString folder = QFileInfo(definition_.path).absolutePath();
    const QImage picture(folder + u'/' + b.imageFile);
    // The picture is an asset of the installation; without it the report
    // still prints everything else.
    if (picture.isNull())
        return {};
    const double aspect = double(picture.height()) / picture.width();
    double w = b.width > 0 ? units::mm(b.width) : 0;
    double h = b.height > 0 ? units::mm(b.height) : 0;
    if (w == 0)
        w = h > 0 ? h / aspect : units::mm(25);
    if (h == 0)
        h = w * aspect;
    w = std::min(w, area.width);
    Slice s;
    s.height = h;
    s.items.pictures.push_back(
        {QRectF(alignedX(b.align, area.x, area.width, w), 0, w, h), picture});
    return {s};
}

std::vector<Slice> LayoutBuilder::rule(const Block &b, const Area &area) const
{
    const double thickness = units::mm(b.size);
    Slice s;
    s.height = thickness + units::mm(1.5);
    const double y = s.height / 2;
    s.items.lines.push_back({QLineF(area.x, y, area.x + area.width, y), thickness});
    return {s};
}

std::vector<Slice> LayoutBuilder::band(const Band &b, const RowContext &context, const Area &area,
                                       const Repeat &repeat, bool nested)
{
    const double indent = std::min(units::mm(b.indent), area.width / 2);
    const Area inner{area.x + indent, area.width - indent, FontBook::merged(b.font, area.font)};
    const QList<int> rows = data_.bandRows(b, context);
    if (b.columns.empty())
        return formBand(b, rows, context, inner, repeat);
    return tableBand(b, rows, context, inner, repeat, nested);
}

std::vector<Slice> LayoutBuilder::formBand(const Band &b, const QList<int> &rows,
                                           const RowContext &context, const Area &area,
                                           const Repeat &repeat)
{
    std::vector<Slice> out;
    for (int row : rows) {
        const RowContext current = context.with(b.table, row);
        std::vector<Slice> record = blocks(b.blocks, current, area);
        setGroup(record, groups_++);
        for (Slice &s : record) {
            s.repeat = repeat;
            out.push_back(std::move(s));
        }
        children(b, current, area, repeat, out);
    }
    return out;
}

std::vector<Slice> LayoutBuilder::tableBand(const Band &b, const QList<int> &rows,
                                            const RowContext &context, const Area &area,
                                            const Repeat &repeat, bool nested)
{
    std::vector<Slice> out;
    // A nested table without rows leaves no trace; the report's own table
    // still shows its headings.
    if (rows.isEmpty() && nested)
        return out;
    const std::vector<double> widths = columnWidths(b, area.width);
    const int font = fonts_.id(area.font);
    const int headerFont =
        fonts_.id(FontBook::merged(b.headerFont, FontBook::merged(bold(), area.font)));
    const bool titled = std::any_of(b.columns.begin(), b.columns.end(),
                                    [](const auto &c) { return !c.title.isEmpty(); });
    Repeat rowRepeat = repeat;
    if (titled) {
        Slice header = headerSlice(b, context, area, widths, headerFont);
        header.repeat = repeat;
        auto headings =
            std::make_shared<std::vector<Slice>>(repeat ? *repeat : std::vector<Slice>());
        headings->push_back(header);
        headings->back().keepWithNext = false;
        rowRepeat = headings;
        out.push_back(std::move(header));
    }
    for (int row : rows) {
        const RowContext current = context.with(b.table, row);
        for (Slice &s : rowSlices(b, current, area, widths, font)) {
            s.repeat = rowRepeat;
            out.push_back(std::move(s));
        }
        children(b, current, area, rowRepeat, out);
    }
    return out;
}

void LayoutBuilder::children(const Band &b, const RowContext &row, const Area &area,
                             const Repeat &repeat, std::vector<Slice> &out)
{
    for (const Band &child : b.children)
        for (Slice &s : band(child, row, area, repeat, true))
            out.push_back(std::move(s));
}

std::vector<double> LayoutBuilder::columnWidths(const Band &b, double width) const
{
    double total = 0;
    for (const auto &c : b.columns)
        total += c.weight;
    std::vector<double> widths;
    for (const auto &c : b.columns)
        widths.push_back(width * c.weight / total);
    return widths;
}

void LayoutBuilder::cellBorders(Slice &s, const Area &area, const std::vector<double> &widths,
                                bool top, bool bottom)
{
    const double right = area.x + area.width;
    double x = area.x;
    s.items.lines.push_back({QLineF(x, 0, x, s.height), gridWidth});
    for (double w : widths) {
        x += w;
        s.items.lines.push_back({QLineF(x, 0, x, s.height), gridWidth});
    }
    if (top)
        s.items.lines.push_back({QLineF(area.x, 0, right, 0), gridWidth});
    if (bottom)
        s.items.lines.push_back({QLineF(area.x, s.height, right, s.height), gridWidth});
}

Slice LayoutBuilder::headerSlice(const Band &b, const RowContext &context, const Area &area,
                                 const std::vector<double> &widths, int font)
{
    const QFontMetricsF &m = fonts_.metrics(font);
    Slice s;
    s.group = groups_++;
    s.keepWithNext = true;
    qsizetype lines = 1;
    double x = area.x;
    for (std::size_t c = 0; c < b.columns.size(); ++c) {
        const double inner = widths[c] - 2 * cellPadX;
        const auto wrapped =
            TextWrapper::wrap(resolve(b.columns[c].title, context), fonts_.font(font), inner);
        lines = std::max(lines, wrapped.size());
        for (qsizetype k = 0; k < wrapped.size(); ++k)
            if (!wrapped[k].text.isEmpty())
                s.items.texts.push_back({QPointF(alignedX(ReportDefinition::Align::Center,
                                                          x + cellPadX, inner, wrapped[k].width),
                                                 cellPadY + m.ascent() + k * m.lineSpacing()),
                                         wrapped[k].text, font});
        x += widths[c];
    }
    s.height = 2 * cellPadY + lines * m.lineSpacing();
    if (b.grid)
        cellBorders(s, area, widths, true, true);
    return s;
}

std::vector<Slice> LayoutBuilder::rowSlices(const Band &b, const RowContext &context,
                                            const Area &area, const std::vector<double> &widths,
                                            int font)
{
    std::vector<QList<TextWrapper::Line>> cells;
    qsizetype lines = 1;
    for (std::size_t c = 0; c < b.columns.size(); ++c) {
        cells.push_back(TextWrapper::wrap(resolve(b.columns[c].value, context), fonts_.font(font),
                                          widths[c] - 2 * cellPadX));
        lines = std::max(lines, cells.back().size());
    }
    const int group = groups_++;
    std::vector<Slice> out;
    for (qsizetype k = 0; k < lines; ++k) {
        out.push_back(rowLine(b, cells, k, k == 0, k == lines - 1, area, widths, font));
        out.back().group = group;
    }
    return out;
}

// Line k of a table row: the k-th line of every cell, with the cell padding
// above the first line and below the last.
Slice LayoutBuilder::rowLine(const Band &b, const std::vector<QList<TextWrapper::Line>> &cells,
                             qsizetype k, bool first, bool last, const Area &area,
                             const std::vector<double> &widths, int font) const
{
    const QFontMetricsF &m = fonts_.metrics(font);
    Slice s;
    const double top = first ? cellPadY : 0;
    s.height = top + m.lineSpacing() + (last ? cellPadY : 0);
    double x = area.x;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (k < cells[c].size() && !cells[c][k].text.isEmpty())
            s.items.texts.push_back({QPointF(alignedX(b.columns[c].align, x + cellPadX,
                                                      widths[c] - 2 * cellPadX, cells[c][k].width),
                                             top + m.ascent()),
                                     cells[c][k].text, font});
        x += widths[c];
    }
    if (b.grid) {
        cellBorders(s, area, widths, first, last);
        s.edgeBefore = !first;
        s.edgeAfter = !last;
        s.edgeLeft = area.x;
        s.edgeRight = area.x + area.width;
        s.edgeWidth = gridWidth;
    }
    return s;
}

} // namespace report
