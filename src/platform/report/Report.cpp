#include "Report.h"

#include "DaoDataSource.h"
#include "FontBook.h"
#include "LayoutBuilder.h"
#include "Paginator.h"
#include "ReportData.h"
#include "RowContext.h"
#include "Units.h"

namespace report
{

Report::Report(ReportDefinition definition) : definition_(std::move(definition)) {}

Report Report::open(const QString &path)
{
    return Report(ReportDefinition::load(path));
}

void Report::setSelectionFormula(const QString &formula)
{
    formula_ = SelectionFormula::parse(formula);
}

Document Report::render(const dao::Database &database) const
{
    DaoDataSource source(database);
    return render(source);
}

Document Report::render(DataSource &source) const
{
    const ReportData data(definition_, source, formula_);
    const ReportDefinition::Page &page = definition_.page;
    const QPageLayout layout(QPageSize(page.size), page.orientation, QMarginsF());
    const QSizeF paperMm = layout.fullRect(QPageLayout::Millimeter).size();
    const QSizeF paper(units::mm(paperMm.width()), units::mm(paperMm.height()));
    const QMarginsF margins(units::mm(page.margins.left()), units::mm(page.margins.top()),
                            units::mm(page.margins.right()), units::mm(page.margins.bottom()));

    FontBook fonts;
    LayoutBuilder builder(definition_, data, parameters_, fonts);
    const RowContext context(data);
    const LayoutBuilder::Area area{margins.left(), paper.width() - margins.left() - margins.right(),
                                   FontBook::merged(page.font, ReportDefinition::Font())};

    std::vector<Slice> content = builder.blocks(definition_.header, context, area);
    if (definition_.detail)
        for (Slice &s : builder.band(*definition_.detail, context, area, nullptr))
            content.push_back(std::move(s));
    for (Slice &s : builder.blocks(definition_.footer, context, area))
        content.push_back(std::move(s));

    auto pageBand = [&](const std::vector<ReportDefinition::Block> &blocks) {
        return [&builder, &blocks, &context, &area](int number, int count) {
            builder.setPage(number, count);
            return builder.blocks(blocks, context, area);
        };
    };
    Document doc;
    doc.pages =
        Paginator(paper, margins)
            .paginate(content, pageBand(definition_.pageHeader), pageBand(definition_.pageFooter));
    doc.title = definition_.title;
    doc.layout = layout;
    doc.fonts = fonts.fonts();
    return doc;
}

} // namespace report
