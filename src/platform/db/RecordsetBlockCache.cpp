#include "RecordsetBlockCache.h"

#include <algorithm>
#include <cstdlib>

namespace dao::detail
{

std::shared_ptr<RecordsetBlock> RecordsetBlock::Make(int rows, int width, int fromSlot, int count)
{
    auto block = std::make_shared<RecordsetBlock>();
    block->values.resize(size_t(rows) * size_t(width));
    const int end = count < 0 ? rows : std::min(rows, fromSlot + count);
    block->state.assign(size_t(rows), NotRead);
    std::fill(block->state.begin() + std::clamp(fromSlot, 0, rows), block->state.begin() + end,
              Gone);
    return block;
}

std::shared_ptr<RecordsetBlock> RecordsetBlock::Filled(const RecordsetBlock &base,
                                                       const RecordsetBlock &more)
{
    auto block = std::make_shared<RecordsetBlock>(more);
    const size_t width = size_t(more.Width());
    if (base.Width() != more.Width() && !base.state.empty())
        return block;
    const size_t rows = std::min(base.state.size(), more.state.size());
    for (size_t slot = 0; slot < rows; ++slot) {
        if (base.state[slot] == NotRead)
            continue;
        block->state[slot] = base.state[slot];
        std::copy_n(base.values.begin() + qsizetype(slot * width), width,
                    block->values.begin() + qsizetype(slot * width));
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

bool RecordsetBlockCache::Validate(qint64 dataVersion)
{
    if (dataVersion == version_)
        return false;
    blocks_.clear();
    version_ = dataVersion;
    return true;
}

} // namespace dao::detail
