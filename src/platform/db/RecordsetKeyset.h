#pragma once

#include <QString>

#include <unordered_map>
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
    void Clear() { keys_.clear(); }

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
    std::vector<qint64> keys_;
    bool sorted_ = true;
    std::unordered_map<qint64, int> positions_;
    bool positionsValid_ = false;
};

} // namespace dao::detail
