#pragma once

#include "platform/db/Recordset.h"

#include <QString>

namespace fs
{
class TextStream;
}

// The batch list as a tab-separated text file: one line per batch, in the
// list's order, with its number, its owner's WNI as stored and its slaughter
// date "dd.mm.yyyy". Null fields are written as empty texts.
class BatchListExport
{
public:
    // The line of the list's row at `position`.
    static QString Line(const dao::Recordset &batches, int position);

    // Writes every row of the list; the list's current row does not move.
    static void Write(const dao::Recordset &batches, fs::TextStream &out);
};
