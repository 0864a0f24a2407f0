#pragma once

#include "Document.h"
#include "Slice.h"

#include <QMarginsF>
#include <QSizeF>

#include <functional>
#include <vector>

namespace report
{

// Places slices on pages: page header at the top and page footer at the bottom
// of each page, repeated column headings after a break inside a table, kept
// groups moved whole to the next page when they fit on one.
class Paginator
{
public:
    // The header or footer slices of page `page` (1-based) of `pages`.
    using PageBand = std::function<std::vector<Slice>(int page, int pages)>;

    Paginator(QSizeF paper, QMarginsF margins) : paper_(paper), margins_(margins) {}

    std::vector<Document::Page> paginate(const std::vector<Slice> &content,
                                         const PageBand &pageHeader,
                                         const PageBand &pageFooter) const;

private:
    QSizeF paper_;
    QMarginsF margins_;

    static double height(const std::vector<Slice> &slices);
    static std::size_t unitEnd(const std::vector<Slice> &content, std::size_t i);
};

} // namespace report
