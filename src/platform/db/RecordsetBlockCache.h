#pragma once

#include "DaoTypes.h"

#include <QtGlobal>

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <vector>

namespace dao::detail
{

// Up to RecordsetBlock::kRows neighbouring rows of a recordset: for each row
// whether it was read, or found gone, and the values of the rows from `first`
// on that were read, row after row. A block reached by a jump (the end of a
// list, a found row) is read a page at a time, the rest of it when it is
// needed, and holds values only for what was read.
struct RecordsetBlock {
    static constexpr int kRows = 64;
    static constexpr int kPageRows = 8;
    enum State : quint8 { NotRead = 0, Present = 1, Gone = 2 };

    std::vector<Variant> values;
    std::vector<quint8> state;
    int width = 0;
    int first = 0;

    // A block of `rows` rows of `width` values: the rows from `fromSlot` on
    // (`count` of them, or all) gone until read, the others not read.
    static std::shared_ptr<RecordsetBlock> Make(int rows, int width, int fromSlot = 0,
                                                int count = -1);
    // `base` with the rows it has not read taken from `more`, a later read of
    // the same block.
    static std::shared_ptr<RecordsetBlock> Filled(const RecordsetBlock &base,
                                                  const RecordsetBlock &more);
    int Width() const { return width; }
    bool HasUnread() const;
    // Whether the row at `slot` was read (found or gone).
    bool WasRead(int slot) const
    {
        return slot >= 0 && size_t(slot) < state.size() && state[size_t(slot)] != NotRead;
    }
    // The values of the row at `slot`; nullptr when it was not read or is gone.
    const Variant *Row(int slot) const
    {
        if (slot < 0 || size_t(slot) >= state.size() || state[size_t(slot)] != Present)
            return nullptr;
        return values.data() + size_t(slot - first) * size_t(width);
    }
    // Where the values of the row at `slot`, inside the rows read, go.
    Variant *RowToFill(int slot) { return values.data() + size_t(slot - first) * size_t(width); }
};

// What one statement reads: `span` whole blocks from `block` on, or, when
// `rows` is not 0, that many rows of `block` from `fromSlot` on.
struct RecordsetBlockRead {
    int block = 0;
    int span = 1;
    int fromSlot = 0;
    int rows = 0;
};

// The blocks of rows a recordset has read, by block number (position / kRows).
// Whether they still stand for the file is the recordset's to decide. It keeps
// a limited number: beyond it the block farthest from the one stored goes, so
// a walk leaves its past behind and a grid keeps the pages around the one it
// shows. It also tells how many blocks the next read should take: a walk
// reads ever more blocks per statement, any other access one.
class RecordsetBlockCache
{
public:
    static constexpr size_t kDefaultLimit = 16;
    static constexpr int kMaxSpan = 8;

    explicit RecordsetBlockCache(size_t limit = kDefaultLimit) : limit_(limit) {}

    static int BlockOf(int position) { return position / RecordsetBlock::kRows; }
    static int SlotOf(int position) { return position % RecordsetBlock::kRows; }

    // The block, or nullptr when it must be read.
    const std::shared_ptr<const RecordsetBlock> *Find(int block) const
    {
        const auto it = blocks_.find(block);
        return it == blocks_.end() ? nullptr : &it->second;
    }
    // How many blocks to read from `block` on.
    int SpanFor(int block) const;
    // What to read for the row at `slot` of `block`, which is not yet read: a
    // walk reads whole blocks, a jump the row's page, and a move on within a
    // block read in part the rest of it.
    RecordsetBlockRead Plan(int block, int slot) const;
    // Takes the blocks read from `first` on, in place of any held under
    // their numbers; returns the numbers of those that had to go to make room.
    std::vector<int> Store(int first, std::vector<std::shared_ptr<RecordsetBlock>> &read);
    // The row at `position` as held, when it was read by `width` columns;
    // nullptr otherwise.
    const Variant *HeldRow(int position, int width) const;
    // The row at `position` was written as `values` (`width` of them); a
    // row held as handed out is then held with what was saved, as the
    // change check holds it.
    void Rewritten(int position, const Variant *values, int width);
    // The row at `position` was deleted: the rows after it move up by one,
    // `count` rows are left.
    void Erased(int position, int count);
    void Clear() { blocks_.clear(); }
    size_t Size() const { return blocks_.size(); }

private:
    size_t limit_;
    std::unordered_map<int, std::shared_ptr<const RecordsetBlock>> blocks_;
    int nextSequential_ = -1; // the block a walk reads next
    int span_ = 1;            // blocks read by the last statement
};

} // namespace dao::detail
