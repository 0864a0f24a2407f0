#pragma once

#include "PositionVector.h"

#include <QString>

#include <vector>

namespace dao::detail
{

class Connection;
struct RecordsetSource;

// The rowids of a recordset's rows in its order, fixed when it is opened or
// re-queried; rows added through the recordset join at the end.
class RecordsetKeyset
{
public:
    void Load(Connection &connection, const RecordsetSource &source, const QString &text);
    void Clear()
    {
        keys_.Release();
        std::vector<int>().swap(byRowid_);
        byRowidValid_ = false;
    }

    int Count() const { return int(keys_.size()); }
    bool Empty() const { return keys_.empty(); }
    qint64 At(int position) const { return keys_[size_t(position)]; }
    // The rowids from `first` on, `count` of them, one after the other.
    const qint64 *Range(int first, int count) const
    {
        return keys_.Range(size_t(first), size_t(count));
    }
    const qint64 *Data() const { return Range(0, Count()); }
    // True while the rowids ascend (table order), so a rowid is found by halving.
    bool Sorted() const { return sorted_; }
    // -1 when the rowid is not in the recordset.
    int PositionOf(qint64 rowid);
    // Where the row a bookmark was taken for is, retired or not; -1 when absent.
    int PositionOfBookmark(qint64 rowid)
    {
        const int position = PositionOf(rowid);
        return position < 0 && rowid > 0 ? PositionOf(-rowid) : position;
    }

    void Append(qint64 rowid);
    // Rows deleted one by one in order cost each one row, however long the list.
    void Erase(int position);
    // The rows from `first` to `last` are gone and their rowids may be given
    // again (a rollback took them back, or a scratch table lost them). Their
    // places are retired by negating their keys: the engine never gives a row
    // a rowid below 1, so a negated key names no row and stays apart from
    // every other key. A retired place reads as a deleted row whatever row
    // takes the rowid later, and a bookmark taken for it still finds it.
    void Retire(qint64 first, qint64 last);

private:
    void sortPositions();

    PositionVector<qint64> keys_;
    bool sorted_ = true;
    // For a list in another order: its positions in the order of their
    // rowids (ties by position), so that a rowid is found by halving here
    // too, at 4 bytes a row. Made when first asked, kept up to date as rows
    // join, made again when asked after a row left.
    std::vector<int> byRowid_;
    bool byRowidValid_ = false;
};

} // namespace dao::detail
