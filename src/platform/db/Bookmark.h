#pragma once

#include <QtGlobal>

namespace dao
{

// A row's identity: its rowid. The same row has the same bookmark in every
// recordset over its table, so a bookmark taken in one may be set in another.
struct Bookmark {
    qint64 rowid = 0;
    bool operator==(const Bookmark &) const = default;
};

} // namespace dao
