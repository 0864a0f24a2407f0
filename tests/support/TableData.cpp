#include "TableData.h"

#include "platform/db/Recordset.h"

void TableData::AddRow(dao::Database db, const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = db.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
    rs.Close();
}

int TableData::RowCount(dao::Database db, const QString &source)
{
    dao::Recordset rs = db.OpenRecordset(source);
    const int count = rs.RecordCount();
    rs.Close();
    return count;
}

QList<QVariant> TableData::Column(dao::Database db, const QString &source, const QString &field)
{
    QList<QVariant> values;
    dao::Recordset rs = db.OpenRecordset(source);
    for (; !rs.EOF(); rs.MoveNext())
        values.append(rs(field).Value());
    rs.Close();
    return values;
}

QList<QVariantMap> TableData::Rows(dao::Database db, const QString &source)
{
    QList<QVariantMap> rows;
    dao::Recordset rs = db.OpenRecordset(source);
    const dao::Fields fields = rs.Fields();
    for (; !rs.EOF(); rs.MoveNext()) {
        QVariantMap row;
        for (int i = 0; i < fields.Count(); ++i)
            row.insert(rs.Fields(i).Name(), rs.Fields(i).Value());
        rows.append(row);
    }
    rs.Close();
    return rows;
}
