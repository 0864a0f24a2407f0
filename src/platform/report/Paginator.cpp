#include "Paginator.h"

#include <QLineF>

namespace report
{

namespace
{

// A hair's breadth, so that rounding never pushes a fitting slice over.
constexpr double tolerance = 0.5;

void closeEdge(Document::Page &page, const Slice &slice, double y)
{
    page.lines.push_back({QLineF(slice.edgeLeft, y, slice.edgeRight, y), slice.edgeWidth});
}

} // namespace

double Paginator::height(const std::vector<Slice> &slices)
{
    double h = 0;
    for (const Slice &s : slices)
        h += s.height;
    return h;
}

std::size_t Paginator::unitEnd(const std::vector<Slice> &content, std::size_t i)
{
    std::size_t end = i + 1;
    while (true) {
        const int group = content[end - 1].group;
        while (group >= 0 && end < content.size() && content[end].group == group)
            ++end;
        if (!content[end - 1].keepWithNext || end >= content.size())
            return end;
        ++end;
    }
}

std::vector<Document::Page> Paginator::paginate(const std::vector<Slice> &content,
                                                const PageBand &pageHeader,
                                                const PageBand &pageFooter) const
{
    const double headerHeight = height(pageHeader(1, 1));
    const double footerHeight = height(pageFooter(1, 1));
    const double top = margins_.top() + headerHeight;
    const double bottom = paper_.height() - margins_.bottom() - footerHeight;

    std::vector<Document::Page> pages(1);
    double y = top;
    bool pageHasContent = false;
    const Slice *previous = nullptr;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const Slice &s = content[i];
        if (s.dropAtPageTop && !pageHasContent && pages.size() > 1)
            continue;
        const std::size_t end = unitEnd(content, i);
        double unit = 0;
        for (std::size_t k = i; k < end; ++k)
            unit += content[k].height;
        const double capacity = bottom - top - (s.repeat ? height(*s.repeat) : 0);
        const double needed = unit <= capacity ? unit : s.height;
        if (pageHasContent && y + needed > bottom + tolerance) {
            if (previous && previous->edgeAfter)
                closeEdge(pages.back(), *previous, y);
            pages.emplace_back();
            y = top;
            pageHasContent = false;
            if (s.dropAtPageTop)
                continue;
            if (s.repeat)
                for (const Slice &r : *s.repeat) {
                    pages.back().append(r.items, y);
                    y += r.height;
                }
            if (s.edgeBefore)
                closeEdge(pages.back(), s, y);
        }
        pages.back().append(s.items, y);
        y += s.height;
        pageHasContent = true;
        previous = &s;
    }

    const int count = int(pages.size());
    for (int p = 0; p < count; ++p) {
        double hy = margins_.top();
        for (const Slice &h : pageHeader(p + 1, count)) {
            pages[std::size_t(p)].append(h.items, hy);
            hy += h.height;
        }
        double fy = paper_.height() - margins_.bottom() - footerHeight;
        for (const Slice &f : pageFooter(p + 1, count)) {
            pages[std::size_t(p)].append(f.items, fy);
            fy += f.height;
        }
    }
    return pages;
}

} // namespace report
