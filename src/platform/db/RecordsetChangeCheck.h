#pragma once

#include "PositionVector.h"
#include "RecordsetBlockCache.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace dao::detail
{

// What an Update or a Delete is checked against: each row as this recordset
// last handed it out, to the caller as the current row or to a view through
// ValueAt. A write goes only over a row that still holds what was handed out
// (3197 changed, 3167 deleted otherwise), so that one workstation's save never
// silently undoes another's. Every row handed out while the recordset is open
// counts, however long the list, whatever this program wrote meanwhile; only
// handing a row out again takes its new values. A row is kept as a 64-bit
// digest of its values, by position, so that a million rows cost 8 MB.
class RecordsetChangeCheck
{
public:
    // How a row on file stands against what was handed out of it.
    enum class Against { NeverShown, Same, Changed };

    // Everything forgotten (the recordset closes).
    void Forget();
    // A keyset of `count` rows, read with `width` columns; nothing handed out.
    void Reset(int count, int width);
    // The keyset was read again: rows in it keep what was handed out of them,
    // also rows that were out of the list for a while.
    void Reloaded(const std::vector<qint64> &before, const qint64 *after, int count);
    void Appended();
    void Erased(int position);
    // The columns were read again: `prefix` when the earlier ones are still the
    // first of them, by the same names and types (another workstation added a
    // column, which was never handed out and is not compared).
    void ColumnsChanged(bool prefix, int width);

    // The current row at `position` was handed out as `values`, inside `block`.
    void Shown(int position, std::shared_ptr<const RecordsetBlock> block, const Variant *values);
    // The row values last handed out as the current row.
    const Variant *ShownValues() const { return seenValues_; }
    // Whether `values` at `position` is the row a view was handed last.
    bool LastInView(int position, const Variant *values) const
    {
        return values == viewValues_ && position == viewPosition_;
    }
    // A view was handed the row at `position`.
    void ShownInView(int position, const std::shared_ptr<const RecordsetBlock> &block,
                     const Variant *values);

    // The digest of a row's values; never 0.
    quint64 Digest(const Variant *values, int count) const;
    quint64 ShownDigest(int position) const { return shown_[size_t(position)]; }
    // The row at `position` counts as handed out with `digest` (a refused
    // save stays refused until the row is handed out anew; a save of this
    // recordset is what its caller has seen).
    void SetShown(int position, quint64 digest);
    Against Compare(int position, const std::vector<Variant> &now) const
    {
        return Compare(position, now.data(), int(now.size()));
    }
    Against Compare(int position, const Variant *now, int count) const;

private:
    void forgetHandles();

    PositionVector<quint64> shown_; // by position; 0 when never handed out
    // By rowid, rows handed out that a Requery left out of the list.
    std::unordered_map<qint64, quint64> departed_;
    bool anyShown_ = false;
    int width_ = 0; // the columns digested
    // The current row as last handed out, kept alive so that its address
    // tells it from any later reading.
    std::shared_ptr<const RecordsetBlock> seenBlock_;
    const Variant *seenValues_ = nullptr;
    std::shared_ptr<const RecordsetBlock> viewBlock_;
    const Variant *viewValues_ = nullptr;
    int viewPosition_ = -1;
};

} // namespace dao::detail
