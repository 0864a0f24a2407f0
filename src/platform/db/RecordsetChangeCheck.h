#pragma once

#include "RecordsetBlockCache.h"

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace dao::detail
{

// What an Update or a Delete is checked against: the rows as this recordset
// read them. An Update after Edit writes only over the row as the caller was
// last handed it, a Delete only over the row as this recordset first read it
// (3197 changed, 3167 deleted otherwise), so that one workstation's save
// never silently undoes another's, and a row another workstation changed, or
// a new row that took over a deleted row's rowid, is never removed unseen.
// The readings are good while this program writes nothing into the table
// (the connection's count of writes into it tells); a rollback or a write
// into another table leaves them good.
class RecordsetChangeCheck
{
public:
    // A row as this recordset read it: gone when it was already deleted then.
    struct RowAsRead {
        bool gone = false;
        std::vector<Variant> values;
    };

    // Everything forgotten (the recordset closes).
    void Forget();
    // The columns were read again (`same`: by the same names and types), as
    // generation `generation`; `writes` is the count of writes into the table.
    void ColumnsChanged(bool same, quint64 generation, quint64 writes);
    // This program wrote into the file; `writes` into this table so far.
    void TableWritten(quint64 writes);

    // The caller was handed the row `values` (inside `block`).
    void Shown(qint64 rowid, std::shared_ptr<const RecordsetBlock> block, const Variant *values,
               quint64 writes, quint64 generation);
    // The row values last handed out (for telling whether the current row was).
    const Variant *ShownValues() const { return seen_.values; }
    // What an Edit of `rowid` is checked against: the row as it was handed
    // out, when it still counts; nullptr otherwise.
    const Variant *AsShown(qint64 rowid, quint64 writes, quint64 generation) const;
    // An Update was refused over `base`: saving the same stale values again is
    // refused too, until the row is handed out anew.
    void UpdateRefused(qint64 rowid, const std::vector<std::optional<Variant>> &base,
                       quint64 generation);

    // A block read from the file; kept only where none was kept already.
    void FirstRead(int block, const std::shared_ptr<const RecordsetBlock> &values);
    // The row at `position` as first read; nullopt when it never was.
    std::optional<RowAsRead> AsRead(qint64 rowid, int position) const;
    // A Delete was refused over `read`: those values stay the ones compared
    // with until the row is handed out again, whatever the end of the
    // refused transaction drops.
    void DeleteRefused(qint64 rowid, RowAsRead read);
    bool HasRefusedDelete() const { return refusedDelete_.has_value(); }
    // The row `rowid` was handed out again, as `block` (nullptr when not cached).
    void HandedAgain(qint64 rowid, int block, const std::shared_ptr<const RecordsetBlock> *cached);

private:
    struct SeenRow {
        qint64 rowid = 0;
        std::shared_ptr<const RecordsetBlock> block;
        const Variant *values = nullptr;
        quint64 writes = 0;
        quint64 generation = 0;
        bool refused = false;
    };
    struct RefusedDelete {
        qint64 rowid = 0;
        RowAsRead row;
    };

    SeenRow seen_;
    // Blocks as first read since the keyset was loaded and this program last
    // wrote into the table: rows read again after another workstation's commit
    // do not replace them, so a Delete can tell that a row changed meanwhile.
    std::unordered_map<int, std::shared_ptr<const RecordsetBlock>> firstRead_;
    quint64 firstReadWrites_ = 0; // this program's writes into the table then
    std::optional<RefusedDelete> refusedDelete_;
};

} // namespace dao::detail
