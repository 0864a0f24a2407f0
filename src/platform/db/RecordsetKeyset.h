#pragma once

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
        std::vector<qint64>().swap(keys_);
        std::vector<int>().swap(byRowid_);
        byRowidValid_ = false;
    }

    int Count() const { return int(keys_.size()); }
    bool Empty() const { return keys_.empty(); }
    qint64 At(int position) const { return keys_[size_t(position)]; }
    const qint64 *Data() const { return keys_.data(); }
    // True while the rowids ascend (table order), so a rowid is found by halving.
    bool Sorted() const { return sorted_; }
    // -1 when the rowid is not in the recordset.
    int PositionOf(qint64 rowid);

    void Append(qint64 rowid);
    void Erase(int position);
    // The rows from `first` to `last` are gone for good: their places read as
    // deleted rows whatever row takes their rowids later.
    void Retire(qint64 first, qint64 last);

private:
    void sortPositions();

    std::vector<qint64> keys_;
    bool sorted_ = true;
    // For a list in another order: its positions in the order of their
    // rowids (ties by position), so that a rowid is found by halving here
    // too, at 4 bytes a row. Made when first asked, kept up to date after.
    std::vector<int> byRowid_;
    bool byRowidValid_ = false;
};

} // namespace dao::detail
