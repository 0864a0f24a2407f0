#include "RowContext.h"

#include "FieldValue.h"
#include "ReportData.h"
#include "SelectionFormula.h"

namespace report
{

RowContext RowContext::with(const QString &table, int row) const
{
    RowContext next = *this;
    next.current_.insert(table.toLower(), row);
    return next;
}

QVariant RowContext::value(const QString &table, const QString &field) const
{
    const auto it = current_.constFind(table.toLower());
    if (it != current_.constEnd())
        return data_->value(table, *it, field);
    const QList<int> &rows = data_->selected(table);
    if (rows.isEmpty()) {
        data_->value(table, -1, field); // still reports an unknown field
        return QVariant();
    }
    return data_->value(table, rows.first(), field);
}

QVariantList RowContext::values(const QString &table, const QString &field) const
{
    QVariantList list;
    for (int row : data_->selected(table))
        list.append(data_->value(table, row, field));
    if (list.isEmpty())
        data_->value(table, -1, field);
    return list;
}

bool RowContext::holds(const SelectionFormula &formula) const
{
    for (const auto &c : formula.conditions())
        if (!FieldValue::equals(value(c.table, c.field), c.value))
            return false;
    return true;
}

} // namespace report
