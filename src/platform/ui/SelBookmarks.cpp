#include "SelBookmarks.h"

#include "platform/db/DaoError.h"

namespace ui
{

dao::Bookmark SelBookmarks::Item(int index) const
{
    if (index < 0 || index >= marks_.size())
        throw dao::Error::Make(dao::err::ItemNotFound);
    return marks_.at(index);
}

void SelBookmarks::Add(const dao::Bookmark &bookmark)
{
    marks_.append(bookmark);
    changed_();
}

void SelBookmarks::Remove(int index)
{
    if (index < 0 || index >= marks_.size())
        throw dao::Error::Make(dao::err::ItemNotFound);
    marks_.removeAt(index);
    changed_();
}

void SelBookmarks::Clear()
{
    marks_.clear();
    changed_();
}

} // namespace ui
