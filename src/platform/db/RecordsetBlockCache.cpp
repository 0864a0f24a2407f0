#include "RecordsetBlockCache.h"

#include <algorithm>
#include <cstdlib>

namespace dao::detail
{

std::shared_ptr<RecordsetBlock> RecordsetBlock::Make(int rows, int width)
{
    auto block = std::make_shared<RecordsetBlock>();
    block->values.resize(size_t(rows) * size_t(width));
    block->state.assign(size_t(rows), Gone);
    return block;
}

int RecordsetBlockCache::SpanFor(int block) const
{
    return block == nextSequential_ ? std::min(span_ * 2, kMaxSpan) : 1;
}

std::vector<int> RecordsetBlockCache::Store(int first,
                                            std::vector<std::shared_ptr<RecordsetBlock>> &read)
{
    span_ = std::max(1, int(read.size()));
    nextSequential_ = first + int(read.size());
    std::vector<int> evicted;
    for (size_t i = 0; i < read.size(); ++i) {
        if (blocks_.size() >= limit_ && !blocks_.empty()) {
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
