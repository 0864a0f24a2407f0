#pragma once

namespace dao::detail
{

// Where a recordset of `count` rows stands: on a row, before the first (BOF),
// after the last (EOF), or on a row just deleted, from which any move is
// allowed. The moves return false where the old engine refused them (3021).
class RecordsetCursor
{
public:
    void ToFirst(int count);
    void PlaceAt(int position);
    bool Next(int count);
    bool Previous(int count);
    // The current row was deleted: the next row takes its position.
    void Deleted() { ghost_ = true; }

    int Position() const { return pos_; }
    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    bool Ghost() const { return ghost_; }
    bool HasCurrent(int count) const
    {
        return !bof_ && !eof_ && !ghost_ && pos_ >= 0 && pos_ < count;
    }
    // The first position a FindNext looks at.
    int FindStart(int count) const
    {
        return ghost_ ? pos_ : (bof_ ? 0 : (eof_ ? count : pos_ + 1));
    }

private:
    int pos_ = -1;
    bool bof_ = true;
    bool eof_ = true;
    bool ghost_ = false;
};

} // namespace dao::detail
