#pragma once

#include "DaoTypes.h"
#include "FieldDef.h"

#include <QVector>

#include <optional>
#include <vector>

namespace dao::detail
{

// The values of a pending AddNew or Edit, which fields were assigned, and
// for an Edit what the row held when the edit began (what the write is
// checked against).
class RecordsetEditBuffer
{
public:
    EditModeEnum Mode() const { return mode_; }
    bool Pending() const { return mode_ != dbEditNone; }
    void Cancel();
    void StartAdd(int width);
    // `now` is the row as it is; `base` what the write is checked against.
    void StartEdit(qint64 rowid, std::vector<Variant> now,
                   std::vector<std::optional<Variant>> base);

    const Variant &Value(int index) const { return values_[size_t(index)]; }
    void Set(int index, Variant value);
    const std::vector<Variant> &Values() const { return values_; }
    const std::vector<bool> &Assigned() const { return assigned_; }
    std::vector<int> AssignedIndexes() const;
    qint64 Rowid() const { return rowid_; }
    const std::vector<std::optional<Variant>> &Base() const { return base_; }
    // True when `row` holds what the edit began from, in every column known then.
    bool StillAsRead(const std::vector<Variant> &row) const;
    // The table's columns changed: what was assigned to columns still there
    // moves with them; `now(i)` is where the earlier column i is now (-1 gone).
    template <typename Where> void Remap(int previousWidth, int width, Where now);

private:
    EditModeEnum mode_ = dbEditNone;
    std::vector<Variant> values_;
    std::vector<bool> assigned_;
    qint64 rowid_ = 0;
    // By column; empty for a column that appeared since the edit began.
    std::vector<std::optional<Variant>> base_;
};

template <typename Where> void RecordsetEditBuffer::Remap(int previousWidth, int width, Where now)
{
    if (mode_ == dbEditNone)
        return;
    std::vector<Variant> values(static_cast<size_t>(width));
    std::vector<bool> assigned(size_t(width), false);
    std::vector<std::optional<Variant>> base(static_cast<size_t>(width));
    for (int i = 0; i < previousWidth; ++i) {
        const int to = now(i);
        if (to >= 0) {
            values[size_t(to)] = values_[size_t(i)];
            assigned[size_t(to)] = assigned_[size_t(i)];
            if (size_t(i) < base_.size())
                base[size_t(to)] = base_[size_t(i)];
        }
    }
    values_.swap(values);
    assigned_.swap(assigned);
    base_.swap(base);
}

} // namespace dao::detail
