#include "RecordsetBlockCache.h"

#include <algorithm>
#include <cstdlib>

namespace dao::detail
{

std::shared_ptr<RecordsetBlock> RecordsetBlock::Make(int rows, int width, int fromSlot, int count)
{
    auto block = std::make_shared<RecordsetBlock>();
    const int from = std::clamp(fromSlot, 0, rows);
    const int end = count < 0 ? rows : std::clamp(fromSlot + count, from, rows);
    block->width = width;
    block->first = from;
    block->values.resize(size_t(end - from) * size_t(width));
    block->state.assign(size_t(rows), NotRead);
    std::fill(block->state.begin() + from, block->state.begin() + end, Gone);
    return block;
}

std::shared_ptr<RecordsetBlock> RecordsetBlock::Filled(const RecordsetBlock &base,
                                                       const RecordsetBlock &more)
{
    if (base.width != more.width || base.state.empty())
        return std::make_shared<RecordsetBlock>(more);
    // The rows either read, from the first to the last.
    const auto readSpan = [](const RecordsetBlock &block, int rows) {
        int low = rows;
        int high = 0;
        for (int slot = 0; slot < rows && size_t(slot) < block.state.size(); ++slot) {
            if (block.state[size_t(slot)] != NotRead) {
                low = std::min(low, slot);
                high = slot + 1;
            }
        }
        return std::make_pair(low, high);
    };
    const int rows = int(more.state.size());
    const auto [baseLow, baseHigh] = readSpan(base, rows);
    const auto [moreLow, moreHigh] = readSpan(more, rows);
    const int low = std::min(baseLow, moreLow);
    const int high = std::max({baseHigh, moreHigh, low});
    auto block = Make(rows, more.width, low, high - low);
    for (int slot = 0; slot < rows; ++slot) {
        const bool fromBase =
            size_t(slot) < base.state.size() && base.state[size_t(slot)] != NotRead;
        const RecordsetBlock &source = fromBase ? base : more;
        block->state[size_t(slot)] = source.state[size_t(slot)];
        if (const Variant *row = source.Row(slot))
            std::copy_n(row, size_t(more.width), block->RowToFill(slot));
    }
    return block;
}

bool RecordsetBlock::HasUnread() const
{
    return std::find(state.begin(), state.end(), NotRead) != state.end();
}

int RecordsetBlockCache::SpanFor(int block) const
{
    return block == nextSequential_ ? std::min(span_ * 2, kMaxSpan) : 1;
}

RecordsetBlockRead RecordsetBlockCache::Plan(int block, int slot) const
{
    const int page = slot - slot % RecordsetBlock::kPageRows;
    const auto *held = Find(block);
    if (!held) {
        const int span = SpanFor(block);
        if (span > 1)
            return {block, span, 0, 0};
        return {block, 1, page, RecordsetBlock::kPageRows};
    }
    const RecordsetBlock &partial = **held;
    bool readBeyond = false;
    for (size_t at = size_t(slot) + 1; at < partial.state.size() && !readBeyond; ++at)
        readBeyond = partial.state[at] != RecordsetBlock::NotRead;
    if (readBeyond)
        return {block, 1, page, RecordsetBlock::kPageRows};
    return {block, 1, page, RecordsetBlock::kRows - page};
}

std::vector<int> RecordsetBlockCache::Store(int first,
                                            std::vector<std::shared_ptr<RecordsetBlock>> &read)
{
    span_ = std::max(1, int(read.size()));
    nextSequential_ = first + int(read.size());
    std::vector<int> evicted;
    for (size_t i = 0; i < read.size(); ++i) {
        if (blocks_.size() >= limit_ && !blocks_.empty() && !blocks_.count(first + int(i))) {
            auto farthest = blocks_.begin();
            for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
                if (std::abs(it->first - first) > std::abs(farthest->first - first))
                    farthest = it;
            }
            evicted.push_back(farthest->first);
            blocks_.erase(farthest);
        }
        blocks_[first + int(i)] = std::move(read[i]);
    }
    return evicted;
}

const Variant *RecordsetBlockCache::HeldRow(int position, int width) const
{
    const auto *block = Find(BlockOf(position));
    if (!block || (*block)->Width() != width)
        return nullptr;
    return (*block)->Row(SlotOf(position));
}

void RecordsetBlockCache::Rewritten(int position, const Variant *values, int width)
{
    const auto it = blocks_.find(BlockOf(position));
    if (it == blocks_.end())
        return;
    const int slot = SlotOf(position);
    if (it->second->Width() != width || !it->second->Row(slot)) {
        blocks_.erase(it);
        return;
    }
    // Written in place: the blocks are this recordset's alone, and the row
    // handed out before now counts as handed out with what was saved.
    auto &block = const_cast<RecordsetBlock &>(*it->second);
    std::copy_n(values, size_t(width), block.RowToFill(slot));
}

void RecordsetBlockCache::Erased(int position, int count)
{
    constexpr int kRows = RecordsetBlock::kRows;
    // What was held of the row now at `at`.
    const auto before = [this, position](int at) -> std::pair<quint8, const Variant *> {
        const int was = at < position ? at : at + 1;
        const auto it = blocks_.find(BlockOf(was));
        if (it == blocks_.end() || !it->second->WasRead(SlotOf(was)))
            return {RecordsetBlock::NotRead, nullptr};
        return {it->second->state[size_t(SlotOf(was))], it->second->Row(SlotOf(was))};
    };
    std::unordered_map<int, std::shared_ptr<const RecordsetBlock>> moved;
    for (const auto &[number, block] : blocks_) {
        if (number < BlockOf(position)) {
            moved.emplace(number, block);
            continue;
        }
        const int start = number * kRows;
        const int rows = std::min(kRows, count - start);
        int low = rows;
        int high = 0;
        for (int slot = 0; slot < rows; ++slot) {
            if (before(start + slot).first != RecordsetBlock::NotRead) {
                low = std::min(low, slot);
                high = slot + 1;
            }
        }
        if (low >= high)
            continue;
        auto fresh = RecordsetBlock::Make(rows, block->Width(), low, high - low);
        for (int slot = low; slot < high; ++slot) {
            const auto [state, row] = before(start + slot);
            fresh->state[size_t(slot)] = state;
            if (row)
                std::copy_n(row, size_t(fresh->width), fresh->RowToFill(slot));
        }
        moved.emplace(number, std::move(fresh));
    }
    blocks_.swap(moved);
}

} // namespace dao::detail
