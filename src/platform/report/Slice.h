#pragma once

#include "Document.h"

#include <memory>
#include <vector>

namespace report
{

// One horizontal strip of laid-out content, the unit between which pages may
// break: a line of text, a line of a table row, a whole small block. Item
// positions are in dots, x from the paper's edge, y from the slice's top.
struct Slice {
    double height = 0;
    Document::Page items;
    // Consecutive slices of one group stay on one page when they fit on one.
    int group = -1;
    // Never the last slice on a page (a heading above its first row).
    bool keepWithNext = false;
    // Dropped when a page would begin with it.
    bool dropAtPageTop = false;
    // Printed at the top of a page that begins with this slice after a break:
    // the column headings of the table it belongs to.
    std::shared_ptr<const std::vector<Slice>> repeat;
    // A table row broken across pages is closed at the break by a line from
    // edgeLeft to edgeRight, below the slice before it and above the one after.
    bool edgeBefore = false;
    bool edgeAfter = false;
    double edgeLeft = 0;
    double edgeRight = 0;
    double edgeWidth = 0;
};

} // namespace report
