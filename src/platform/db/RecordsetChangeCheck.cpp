#include "RecordsetChangeCheck.h"

#include <cstdlib>

namespace dao::detail
{

namespace
{

// Blocks kept as first read: a grid's pages around the current row, not a
// whole walk.
constexpr size_t kMaxFirstRead = 32;

} // namespace

void RecordsetChangeCheck::Forget()
{
    seen_ = SeenRow();
    firstRead_.clear();
    refusedDelete_.reset();
}

void RecordsetChangeCheck::ColumnsChanged(bool same, quint64 generation, quint64 writes)
{
    // Rows are read afresh by the new columns (and after a Requery, by the
    // new keyset).
    firstRead_.clear();
    firstReadWrites_ = writes;
    refusedDelete_.reset();
    // What the caller read stays comparable while the columns are the same.
    if (same && seen_.generation + 1 == generation)
        seen_.generation = generation;
}

void RecordsetChangeCheck::TableWritten(quint64 writes)
{
    // After a write of this program into the table, what was read before it
    // no longer tells another workstation's changes from ours; writes into
    // other tables (a batch's children before the batch) change nothing here.
    if (writes != firstReadWrites_) {
        firstRead_.clear();
        firstReadWrites_ = writes;
    }
}

void RecordsetChangeCheck::Shown(qint64 rowid, std::shared_ptr<const RecordsetBlock> block,
                                 const Variant *values, quint64 writes, quint64 generation)
{
    seen_ = SeenRow{rowid, std::move(block), values, writes, generation, false};
}

const Variant *RecordsetChangeCheck::AsShown(qint64 rowid, quint64 writes, quint64 generation) const
{
    const bool counts = seen_.block && seen_.rowid == rowid &&
                        (seen_.refused || seen_.writes == writes) && seen_.generation == generation;
    return counts ? seen_.values : nullptr;
}

void RecordsetChangeCheck::UpdateRefused(qint64 rowid,
                                         const std::vector<std::optional<Variant>> &base,
                                         quint64 generation)
{
    auto stale = std::make_shared<RecordsetBlock>();
    for (const std::optional<Variant> &value : base)
        stale->values.push_back(value.value_or(Variant()));
    const Variant *values = stale->values.data();
    seen_ = SeenRow{rowid, std::move(stale), values, 0, generation, true};
}

void RecordsetChangeCheck::FirstRead(int block, const std::shared_ptr<const RecordsetBlock> &values)
{
    const auto [kept, added] = firstRead_.try_emplace(block, values);
    if (!added) {
        // Rows of a block read in part are first read when the rest comes.
        if (kept->second != values && kept->second->HasUnread())
            kept->second = RecordsetBlock::Filled(*kept->second, *values);
        return;
    }
    if (firstRead_.size() <= kMaxFirstRead)
        return;
    auto farthest = firstRead_.begin();
    for (auto it = firstRead_.begin(); it != firstRead_.end(); ++it) {
        if (std::abs(it->first - block) > std::abs(farthest->first - block))
            farthest = it;
    }
    firstRead_.erase(farthest);
}

std::optional<RecordsetChangeCheck::RowAsRead> RecordsetChangeCheck::AsRead(qint64 rowid,
                                                                            int position) const
{
    if (refusedDelete_ && refusedDelete_->rowid == rowid)
        return refusedDelete_->row;
    const auto it = firstRead_.find(RecordsetBlockCache::BlockOf(position));
    if (it == firstRead_.end())
        return std::nullopt;
    const RecordsetBlock &block = *it->second;
    const size_t slot = size_t(RecordsetBlockCache::SlotOf(position));
    if (slot >= block.state.size() || block.state[slot] == RecordsetBlock::NotRead)
        return std::nullopt;
    if (block.state[slot] == RecordsetBlock::Gone)
        return RowAsRead{true, {}};
    const Variant *row = block.Row(int(slot));
    return RowAsRead{false, std::vector<Variant>(row, row + block.Width())};
}

void RecordsetChangeCheck::DeleteRefused(qint64 rowid, RowAsRead read)
{
    refusedDelete_ = RefusedDelete{rowid, std::move(read)};
}

void RecordsetChangeCheck::HandedAgain(qint64 rowid, int block,
                                       const std::shared_ptr<const RecordsetBlock> *cached)
{
    // The row a Delete was refused over is shown again: as it is now, it is
    // what the caller has read of it.
    if (!refusedDelete_ || rowid != refusedDelete_->rowid)
        return;
    refusedDelete_.reset();
    if (cached)
        firstRead_[block] = *cached;
}

} // namespace dao::detail
