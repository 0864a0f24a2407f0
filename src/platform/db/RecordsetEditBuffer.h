#pragma once

#include "DaoTypes.h"
#include "FieldDef.h"

#include <QVector>

#include <vector>

namespace dao::detail
{

// The values of a pending AddNew or Edit, which fields were assigned, and
// for an Edit the digest of the row the write is checked against.
class RecordsetEditBuffer
{
public:
    EditModeEnum Mode() const { return mode_; }
    bool Pending() const { return mode_ != dbEditNone; }
    void Cancel();
    void StartAdd(int width);
    // `now` is the row as it is; `expected` the digest of the row the write
    // is checked against.
    void StartEdit(qint64 rowid, std::vector<Variant> now, quint64 expected);

    const Variant &Value(int index) const { return values_[size_t(index)]; }
    void Set(int index, Variant value);
    const std::vector<Variant> &Values() const { return values_; }
    const std::vector<bool> &Assigned() const { return assigned_; }
    std::vector<int> AssignedIndexes() const;
    qint64 Rowid() const { return rowid_; }
    quint64 Expected() const { return expected_; }
    // The table's columns changed: what was assigned to columns still there
    // moves with them; `now(i)` is where the earlier column i is now (-1 gone).
    template <typename Where> void Remap(int previousWidth, int width, Where now);

private:
    EditModeEnum mode_ = dbEditNone;
    std::vector<Variant> values_;
    std::vector<bool> assigned_;
    qint64 rowid_ = 0;
    quint64 expected_ = 0;
};

template <typename Where> void RecordsetEditBuffer::Remap(int previousWidth, int width, Where now)
{
    if (mode_ == dbEditNone)
        return;
    std::vector<Variant> values(static_cast<size_t>(width));
    std::vector<bool> assigned(size_t(width), false);
    for (int i = 0; i < previousWidth; ++i) {
        const int to = now(i);
        if (to >= 0) {
            values[size_t(to)] = values_[size_t(i)];
            assigned[size_t(to)] = assigned_[size_t(i)];
        }
    }
    values_.swap(values);
    assigned_.swap(assigned);
}

} // namespace dao::detail
