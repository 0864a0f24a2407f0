#pragma once

#include "platform/db/Recordset.h"

// Fills the row that `rs` is adding or editing and stores it. When a field
// or the store is refused, the row is abandoned, so the record set is left
// ready for the next AddNew or Edit, and the error goes on to the caller.
template <class Fill> void StoreRow(dao::Recordset &rs, Fill fill)
{
    try {
        fill();
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
}
