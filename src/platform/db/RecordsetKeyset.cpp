#include "RecordsetKeyset.h"

#include "Connection.h"
#include "RecordsetSource.h"

#include <algorithm>

namespace dao::detail
{

void RecordsetKeyset::Load(Connection &connection, const RecordsetSource &source,
                           const QString &text)
{
    Statement statement = connection.Prepare(source.KeysetSql(), SqlContext::Query, text, false);
    std::vector<qint64> keys;
    while (statement.Step())
        keys.push_back(statement.Int64(0));
    keys_.swap(keys);
    sorted_ = !source.ordered;
    positionsValid_ = false;
}

int RecordsetKeyset::PositionOf(qint64 rowid)
{
    if (sorted_) {
        const auto it = std::lower_bound(keys_.begin(), keys_.end(), rowid);
        return (it != keys_.end() && *it == rowid) ? int(it - keys_.begin()) : -1;
    }
    if (!positionsValid_) {
        positions_.clear();
        positions_.reserve(keys_.size());
        for (size_t i = 0; i < keys_.size(); ++i)
            positions_.emplace(keys_[i], int(i));
        positionsValid_ = true;
    }
    const auto it = positions_.find(rowid);
    return it == positions_.end() ? -1 : it->second;
}

void RecordsetKeyset::Append(qint64 rowid)
{
    sorted_ = sorted_ && (keys_.empty() || rowid > keys_.back());
    if (positionsValid_)
        positions_.emplace(rowid, int(keys_.size()));
    keys_.push_back(rowid);
}

void RecordsetKeyset::Erase(int position)
{
    keys_.erase(keys_.begin() + position);
    positionsValid_ = false;
}

} // namespace dao::detail
