#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace report
{

// The rows of one table as a report reads them, in the table's order.
class TableData
{
public:
    QString name;
    QStringList fields;
    QList<QVariantList> rows;

    // The index of a field named without regard to case, or -1.
    int fieldIndex(const QString &field) const;
};

} // namespace report
