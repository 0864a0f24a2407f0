#pragma once

#include "platform/db/Bookmark.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/Fields.h"
#include "platform/db/Recordset.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// Fills the row that `rs` is adding or editing and stores it. When a field
// or the store is refused, the row is abandoned, so the record set is left
// ready for the next AddNew or Edit, and the error goes on to the caller.
// A store refused because the row changed or went meanwhile (3197, 3167)
// has already dropped the edit; that error is the one the caller reports.
template <class Fill> void StoreRow(dao::Recordset &rs, Fill fill)
{
    try {
        fill();
        rs.Update();
    } catch (...) {
        if (rs.IsOpen() && rs.EditMode() != dao::dbEditNone)
            rs.CancelUpdate();
        throw;
    }
}

// A row as a window showed it: where it lies, and the value of each field
// the window was filled from. Only RememberRow makes one, from the row a
// record set shows, so a write over a row always carries what was shown of
// it, never a bare bookmark.
class LoadedRow
{
public:
    const dao::Bookmark &Bookmark() const { return bookmark_; }
    const QMap<QString, dao::Variant> &Values() const { return values_; } // by field name
    dao::Variant Value(const QString &field) const { return values_.value(field); }

private:
    explicit LoadedRow(const dao::Bookmark &bookmark) : bookmark_(bookmark) {}

    dao::Bookmark bookmark_;
    QMap<QString, dao::Variant> values_;

    friend LoadedRow RememberRow(const dao::Recordset &rs, const QStringList &fields);
};

// The current row of `rs` as a window is filled from it: its bookmark and the
// value of every field, or of `fields` only. 3021 without a current row.
inline LoadedRow RememberRow(const dao::Recordset &rs, const QStringList &fields = {})
{
    LoadedRow row(rs.Bookmark());
    if (fields.isEmpty()) {
        const dao::Fields all = rs.Fields();
        for (int i = 0; i < all.Count(); ++i)
            row.values_.insert(all(i).Name(), all(i).Value());
    } else {
        for (const QString &field : fields)
            row.values_.insert(field, rs(field).Value());
    }
    return row;
}

namespace record_write
{

// Begins the Edit of the loaded row through `rs`, as it is on file now, only
// while it still holds every value it was loaded with: 3167 when it is gone
// (also when `rs` does not hold it), 3197 when one of them changed, with no
// edit left pending then.
inline void EditAsLoaded(dao::Recordset &rs, const LoadedRow &loaded)
{
    if (rs.PositionOf(loaded.Bookmark()) < 0)
        throw dao::Error::Make(dao::err::RecordDeleted);
    rs.setBookmark(loaded.Bookmark());
    // The edit reads the row as it is on file now.
    rs.Edit();
    for (auto it = loaded.Values().cbegin(); it != loaded.Values().cend(); ++it) {
        if (!(rs(it.key()).Value() == it.value())) {
            rs.CancelUpdate();
            throw dao::Error::Make(dao::err::DataChanged);
        }
    }
}

} // namespace record_write

// Leaves `rs` at the loaded row, as it is on file now, only while it still
// holds every value it was loaded with: 3167 when it is gone (also when `rs`
// does not hold it), 3197 when one of them changed. Nothing is written and no
// edit is left pending. For a store whose checks must see the row before it
// refuses or writes anything else in the same transaction (RunStore); the
// write itself goes through WriteLoadedRow, which compares again.
inline void HoldAsLoaded(dao::Recordset &rs, const LoadedRow &loaded)
{
    record_write::EditAsLoaded(rs, loaded);
    rs.CancelUpdate();
}

// The one way a store writes the row an edit frame was open on: a new row
// when `loaded` is std::nullopt, else the loaded row, and that only while it
// still holds every value the frame was filled from (3167 when it is gone,
// 3197 when a value changed), so that what another workstation wrote
// meanwhile is never written over unseen. Called inside the transaction that
// writes, so that no other workstation writes in between. `fill(rs)` sets the
// fields and the row is stored as StoreRow stores it; `rs` is left at the
// loaded row after a correction. Returns the row written.
template <class Fill>
dao::Bookmark WriteLoadedRow(dao::Recordset &rs, const std::optional<LoadedRow> &loaded, Fill fill)
{
    if (loaded)
        record_write::EditAsLoaded(rs, *loaded);
    else
        rs.AddNew();
    StoreRow(rs, [&] { fill(rs); });
    return loaded ? loaded->Bookmark() : rs.LastModified();
}

// What an edit frame is open on: nothing, a new row, or a row loaded for a
// correction; one value, so that "adding" and the loaded row never disagree.
class FrameEdit
{
public:
    bool IsOpen() const { return open_; }
    bool IsAdding() const { return open_ && !loaded_; }
    void StartAdding()
    {
        open_ = true;
        loaded_.reset();
    }
    void StartCorrecting(LoadedRow loaded)
    {
        open_ = true;
        loaded_ = std::move(loaded);
    }
    void Close()
    {
        open_ = false;
        loaded_.reset();
    }
    // The row a save writes over, std::nullopt when adding; 3021 when the
    // frame is not open.
    const std::optional<LoadedRow> &Target() const
    {
        if (!open_)
            throw dao::Error::Make(dao::err::NoCurrentRecord);
        return loaded_;
    }

private:
    bool open_ = false;
    std::optional<LoadedRow> loaded_;
};

// Deletes the current row of `rs`, the list that showed it, which refuses a
// row changed (3197) or gone (3167) since it showed it; the next row, or the
// new last row, becomes current.
inline void DeleteShownRow(dao::Recordset &rs)
{
    rs.Delete();
    if (rs.RecordCount() > 0) {
        rs.MoveNext();
        if (rs.EOF())
            rs.MoveLast();
    }
}
