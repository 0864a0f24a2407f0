#pragma once

#include "platform/db/Bookmark.h"
#include "platform/db/DaoError.h"
#include "platform/db/Field.h"
#include "platform/db/Fields.h"
#include "platform/db/Recordset.h"

#include <QVariantList>

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

// Every field of the current row of `rs`, in table order: what an edit frame
// is filled from. During an Edit, the row as it is on file.
inline QVariantList RowValues(const dao::Recordset &rs)
{
    QVariantList values;
    const dao::Fields fields = rs.Fields();
    for (int i = 0; i < fields.Count(); ++i)
        values.append(fields(i).Value());
    return values;
}

// Starts the Edit of the current row of `rs` only while the row on file still
// holds `loaded`, the values the user was shown: 3167 when it is gone, 3197
// when it changed, with no edit left pending. Called inside the transaction
// that writes the row, so that no other workstation writes in between.
inline void EditAsLoaded(dao::Recordset &rs, const QVariantList &loaded)
{
    rs.Edit();
    if (RowValues(rs) != loaded) {
        rs.CancelUpdate();
        throw dao::Error::Make(dao::err::DataChanged);
    }
}
