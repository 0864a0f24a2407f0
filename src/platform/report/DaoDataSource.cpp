#include "DaoDataSource.h"

#include "ReportError.h"

#include "platform/db/Recordset.h"

#include <QRegularExpression>

namespace report
{

TableData DaoDataSource::readTable(const QString &name)
{
    // The name comes from a definition file; only a plain name may become the
    // table of a statement.
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw ReportError::badField(name, QStringLiteral("niedozwolona nazwa tabeli"));
    dao::Recordset rs = database_.OpenRecordset(name);
    TableData table;
    table.name = name;
    const dao::Fields fields = rs.Fields();
    const int columns = fields.Count();
    for (int f = 0; f < columns; ++f)
        table.fields.append(fields(f).Name());
    const int rows = rs.RecordCount();
    table.rows.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QVariantList values;
        values.reserve(columns);
        for (int f = 0; f < columns; ++f)
            values.append(rs.ValueAt(r, f));
        table.rows.append(std::move(values));
    }
    rs.Close();
    return table;
}

} // namespace report
