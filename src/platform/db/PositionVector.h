#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace dao::detail
{

// Values by the position of a recordset's rows. Rows deleted one after
// another through a list are taken out where the last one was, so a gap is
// kept there: taking out a value moves only the values between the gap and
// it, and deleting n rows in order, or walking on while deleting, costs the
// n values once instead of the whole list each time.
template <typename T> class PositionVector
{
public:
    size_t size() const { return data_.size() - gap_; }
    bool empty() const { return size() == 0; }
    const T &operator[](size_t i) const { return data_[i < start_ ? i : i + gap_]; }
    T &operator[](size_t i) { return data_[i < start_ ? i : i + gap_]; }
    const T &back() const { return (*this)[size() - 1]; }

    void Adopt(std::vector<T> &&values)
    {
        data_ = std::move(values);
        start_ = data_.size();
        gap_ = 0;
    }
    void Assign(size_t count, const T &value)
    {
        data_.assign(count, value);
        start_ = count;
        gap_ = 0;
    }
    void Release() { Adopt(std::vector<T>()); }
    void Fill(const T &value) { std::fill(data_.begin(), data_.end(), value); }

    void push_back(const T &value)
    {
        moveGap(size());
        if (gap_ > 0) {
            data_[start_++] = value;
            --gap_;
        } else {
            data_.push_back(value);
            ++start_;
        }
    }
    void Erase(size_t position)
    {
        moveGap(position);
        ++gap_;
    }
    // The values from `first` on, `count` of them, one after the other.
    const T *Range(size_t first, size_t count) const
    {
        if (start_ > first && start_ < first + count)
            moveGap(start_ - first < first + count - start_ ? first : first + count);
        return data_.data() + (first < start_ ? first : first + gap_);
    }
    template <typename Visit> void ForEach(Visit visit)
    {
        for (size_t i = 0; i < start_; ++i)
            visit(data_[i]);
        for (size_t i = start_ + gap_; i < data_.size(); ++i)
            visit(data_[i]);
    }

private:
    // The gap moves without changing any value's position, so a reader of a
    // const vector may move it too.
    void moveGap(size_t position) const
    {
        if (gap_ == 0) {
            start_ = position;
        } else if (position < start_) {
            std::move_backward(data_.begin() + std::ptrdiff_t(position),
                               data_.begin() + std::ptrdiff_t(start_),
                               data_.begin() + std::ptrdiff_t(start_ + gap_));
            start_ = position;
        } else if (position > start_) {
            std::move(data_.begin() + std::ptrdiff_t(start_ + gap_),
                      data_.begin() + std::ptrdiff_t(position + gap_),
                      data_.begin() + std::ptrdiff_t(start_));
            start_ = position;
        }
    }

    mutable std::vector<T> data_;
    mutable size_t start_ = 0; // where the gap begins
    size_t gap_ = 0;           // the values taken out, kept as room
};

} // namespace dao::detail
