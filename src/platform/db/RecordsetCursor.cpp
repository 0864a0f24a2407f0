#include "RecordsetCursor.h"

namespace dao::detail
{

void RecordsetCursor::ToFirst(int count)
{
    ghost_ = false;
    pos_ = count == 0 ? -1 : 0;
    bof_ = eof_ = count == 0;
}

void RecordsetCursor::PlaceAt(int position)
{
    pos_ = position;
    bof_ = eof_ = ghost_ = false;
}

bool RecordsetCursor::Next(int count)
{
    // From a deleted row a move is always allowed, even when it was the last.
    if (!ghost_ && (eof_ || count == 0))
        return false;
    const int next = ghost_ ? pos_ : (bof_ ? 0 : pos_ + 1);
    if (next < count) {
        PlaceAt(next);
        return true;
    }
    pos_ = count;
    eof_ = true;
    bof_ = count == 0;
    ghost_ = false;
    return true;
}

bool RecordsetCursor::Previous(int count)
{
    if (!ghost_ && (bof_ || count == 0))
        return false;
    const int previous = eof_ ? count - 1 : pos_ - 1;
    if (previous >= 0) {
        PlaceAt(previous);
        return true;
    }
    pos_ = -1;
    bof_ = true;
    eof_ = count == 0;
    ghost_ = false;
    return true;
}

} // namespace dao::detail
