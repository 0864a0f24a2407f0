#pragma once

#include "FontBook.h"
#include "ReportDefinition.h"
#include "ReportParameters.h"
#include "Slice.h"
#include "TextWrapper.h"

#include <memory>
#include <vector>

namespace report
{

class ReportData;
class RowContext;

// Turns the blocks and bands of a definition, with the rows they print, into
// slices for the paginator.
class LayoutBuilder
{
public:
    using Repeat = std::shared_ptr<const std::vector<Slice>>;
    using Font = ReportDefinition::Font;

    // The horizontal room a part is laid out in, and the font it inherits.
    struct Area {
        double x = 0;
        double width = 0;
        Font font;
    };

    LayoutBuilder(const ReportDefinition &definition, const ReportData &data,
                  const ReportParameters &parameters, FontBook &fonts);

    std::vector<Slice> blocks(const std::vector<ReportDefinition::Block> &blocks,
                              const RowContext &context, const Area &area);
    std::vector<Slice> band(const ReportDefinition::Band &band, const RowContext &context,
                            const Area &area, const Repeat &repeat, bool nested = false);
    // Page number and count for {#Page} and {#Pages}.
    void setPage(int page, int pages);

private:
    using Block = ReportDefinition::Block;
    using Band = ReportDefinition::Band;

    const ReportDefinition &definition_;
    const ReportData &data_;
    const ReportParameters &parameters_;
    FontBook &fonts_;
    int page_ = 1;
    int pages_ = 1;
    int groups_ = 0;

    QString resolve(const FieldTemplate &text, const RowContext &context) const;
    std::vector<Slice> block(const Block &b, const RowContext &context, const Area &area);
    std::vector<Slice> textLines(const QString &text, int font, double x, double width,
                                 ReportDefinition::Align align);
    std::vector<Slice> letterhead(int font, const Block &b, const Area &area);
    std::vector<Slice> fieldRows(const Block &b, const RowContext &context, const Area &area);
    std::vector<Slice> columns(const Block &b, const RowContext &context, const Area &area);
    std::vector<Slice> image(const Block &b, const Area &area) const;
    std::vector<Slice> rule(const Block &b, const Area &area) const;

    std::vector<Slice> formBand(const Band &band, const QList<int> &rows, const RowContext &context,
                                const Area &area, const Repeat &repeat);
    std::vector<Slice> tableBand(const Band &band, const QList<int> &rows,
                                 const RowContext &context, const Area &area, const Repeat &repeat,
                                 bool nested);
    std::vector<double> columnWidths(const Band &band, double width) const;
    Slice headerSlice(const Band &band, const RowContext &context, const Area &area,
                      const std::vector<double> &widths, int font);
    std::vector<Slice> rowSlices(const Band &band, const RowContext &context, const Area &area,
                                 const std::vector<double> &widths, int font);
    Slice rowLine(const Band &band, const std::vector<QList<TextWrapper::Line>> &cells, qsizetype k,
                  bool first, bool last, const Area &area, const std::vector<double> &widths,
                  int font) const;
    static void cellBorders(Slice &s, const Area &area, const std::vector<double> &widths, bool top,
                            bool bottom);
    void children(const Band &band, const RowContext &row, const Area &area, const Repeat &repeat,
                  std::vector<Slice> &out);
    static double alignedX(ReportDefinition::Align align, double x, double width, double textWidth);
};

} // namespace report
