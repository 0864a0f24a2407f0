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

// Writes one row through `rs`: a new one, or the row at `loaded`, which the
// record set compares with what it showed. `fill(rs)` sets its fields and the
// row is stored as StoreRow stores it. Returns the row written.
template <class Fill>
dao::Bookmark WriteRowAt(dao::Recordset &rs, const std::optional<dao::Bookmark> &loaded, Fill fill)
{
    if (loaded) {
        rs.setBookmark(*loaded);
        rs.Edit();
    } else {
        rs.AddNew();
    }
    StoreRow(rs, [&] { fill(rs); });
    return loaded ? *loaded : rs.LastModified();
}

// A row as a window showed it: where it lies, and the value of each field
// the window was filled from. A correction goes over the row only while it
// still holds every one of those values (EditAsLoaded, HoldAsLoaded), so that
// what another workstation wrote meanwhile is never written over unseen.
struct LoadedRow {
    dao::Bookmark bookmark;
    QMap<QString, dao::Variant> values; // by field name
};

// The current row of `rs` as a window is filled from it: its bookmark and the
// value of every field, or of `fields` only. 3021 without a current row.
inline LoadedRow RememberRow(const dao::Recordset &rs, const QStringList &fields = {})
{
    LoadedRow row{rs.Bookmark(), {}};
    if (fields.isEmpty()) {
        const dao::Fields all = rs.Fields();
        for (int i = 0; i < all.Count(); ++i)
            row.values.insert(all(i).Name(), all(i).Value());
    } else {
        for (const QString &field : fields)
            row.values.insert(field, rs(field).Value());
    }
    return row;
}

// Starts the Edit of the loaded row through `rs` only while the row on file
// still holds the values it was loaded with: 3167 when it is gone (also when
// `rs` does not hold it), 3197 when one of them changed, with no edit left
// pending. Called inside the transaction that writes the row, so that no
// other workstation writes in between.
inline void EditAsLoaded(dao::Recordset &rs, const LoadedRow &loaded)
{
    if (rs.PositionOf(loaded.bookmark) < 0)
        throw dao::Error::Make(dao::err::RecordDeleted);
    rs.setBookmark(loaded.bookmark);
    // The edit reads the row as it is on file now.
    rs.Edit();
    for (auto it = loaded.values.cbegin(); it != loaded.values.cend(); ++it) {
        if (!(rs(it.key()).Value() == it.value())) {
            rs.CancelUpdate();
            throw dao::Error::Make(dao::err::DataChanged);
        }
    }
}

// EditAsLoaded without the edit: `rs` is left at the loaded row, compared as
// above, for a store whose checks must see the row before it refuses or
// writes anything else in the same transaction.
inline void HoldAsLoaded(dao::Recordset &rs, const LoadedRow &loaded)
{
    EditAsLoaded(rs, loaded);
    rs.CancelUpdate();
}

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
