#include "batches/BatchListExport.h"

#include "foundation/TextProcedures.h"
#include "platform/fs/TextStream.h"

namespace
{

QString text(const dao::Recordset &batches, int position, const char *field)
{
    return ValueText(batches.ValueAt(position, batches.FieldIndex(QLatin1String(field))));
}

} // namespace

QString BatchListExport::Line(const dao::Recordset &batches, int position)
{
    const QChar tab = QLatin1Char('\t');
    return TrimBlanks(text(batches, position, "Partia")) + tab + text(batches, position, "WNI") +
           tab + TrimBlanks(text(batches, position, "DataUboju"));
}

void BatchListExport::Write(const dao::Recordset &batches, fs::TextStream &out)
{
    const int rows = batches.RecordCount();
    for (int position = 0; position < rows; ++position)
        out.WriteLine(Line(batches, position));
}
