#include "RecordsetEditBuffer.h"

namespace dao::detail
{

void RecordsetEditBuffer::Cancel()
{
    mode_ = dbEditNone;
    values_.clear();
    assigned_.clear();
    base_.clear();
}

void RecordsetEditBuffer::StartAdd(int width)
{
    Cancel();
    values_.assign(size_t(width), Variant());
    assigned_.assign(size_t(width), false);
    mode_ = dbEditAdd;
}

void RecordsetEditBuffer::StartEdit(qint64 rowid, std::vector<Variant> now,
                                    std::vector<std::optional<Variant>> base)
{
    values_ = std::move(now);
    assigned_.assign(values_.size(), false);
    base_ = std::move(base);
    rowid_ = rowid;
    mode_ = dbEditInProgress;
}

void RecordsetEditBuffer::Set(int index, Variant value)
{
    values_[size_t(index)] = std::move(value);
    assigned_[size_t(index)] = true;
}

std::vector<int> RecordsetEditBuffer::AssignedIndexes() const
{
    std::vector<int> indexes;
    for (size_t i = 0; i < assigned_.size(); ++i) {
        if (assigned_[i])
            indexes.push_back(int(i));
    }
    return indexes;
}

bool RecordsetEditBuffer::StillAsRead(const std::vector<Variant> &row) const
{
    for (size_t i = 0; i < row.size() && i < base_.size(); ++i) {
        if (base_[i] && !(*base_[i] == row[i]))
            return false;
    }
    return true;
}

} // namespace dao::detail
