#include "RecordsetEditBuffer.h"

namespace dao::detail
{

void RecordsetEditBuffer::Cancel()
{
    mode_ = dbEditNone;
    values_.clear();
    assigned_.clear();
    expected_ = 0;
}

void RecordsetEditBuffer::StartAdd(int width)
{
    Cancel();
    values_.assign(size_t(width), Variant());
    assigned_.assign(size_t(width), false);
    mode_ = dbEditAdd;
}

void RecordsetEditBuffer::StartEdit(qint64 rowid, std::vector<Variant> now, quint64 expected)
{
    values_ = std::move(now);
    assigned_.assign(values_.size(), false);
    expected_ = expected;
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

} // namespace dao::detail
