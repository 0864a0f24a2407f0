#pragma once

#include "platform/db/Bookmark.h"

#include <QList>

#include <functional>

namespace ui
{

// The rows of a grid marked as selected, by bookmark, in the order they were
// added. The grid shows them; the register keeps exactly the current row in
// it.
class SelBookmarks
{
public:
    explicit SelBookmarks(std::function<void()> changed) : changed_(std::move(changed)) {}

    int Count() const { return int(marks_.size()); }
    // 3265 (item not found) for an index out of range.
    dao::Bookmark Item(int index) const;
    void Add(const dao::Bookmark &bookmark);
    void Remove(int index);
    void Clear();

private:
    QList<dao::Bookmark> marks_;
    std::function<void()> changed_;
};

} // namespace ui
