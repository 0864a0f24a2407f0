#include "ReportData.h"

#include "DataSource.h"
#include "FieldValue.h"
#include "ReportError.h"
#include "RowContext.h"

#include <algorithm>

namespace report
{

ReportData::ReportData(const ReportDefinition &definition, DataSource &source,
                       const SelectionFormula &formula)
{
    for (const QString &name : definition.tables) {
        Entry e{source.readTable(name), {}};
        e.data.name = name;
        for (int i = 0; i < e.data.rows.size(); ++i)
            e.selected.append(i);
        tables_.insert(name.toLower(), std::move(e));
    }
    applyFormula(formula);
}

void ReportData::applyFormula(const SelectionFormula &formula)
{
    for (const auto &c : formula.conditions()) {
        const auto it = tables_.find(c.table.toLower());
        if (it == tables_.end())
            throw ReportError::badFormula(
                formula.text(), QStringLiteral("raport nie czyta tabeli %1").arg(c.table));
        const int f = it->data.fieldIndex(c.field);
        if (f < 0)
            throw ReportError::badFormula(
                formula.text(), QStringLiteral("tabela %1 nie ma pola %2").arg(c.table, c.field));
        QList<int> kept;
        for (int row : it->selected)
            if (FieldValue::equals(it->data.rows.at(row).value(f), c.value))
                kept.append(row);
        it->selected = kept;
    }
}

const ReportData::Entry &ReportData::entry(const QString &table) const
{
    const auto it = tables_.constFind(table.toLower());
    if (it == tables_.constEnd())
        throw ReportError::badField(table, QStringLiteral("raport nie czyta tej tabeli"));
    return *it;
}

int ReportData::field(const Entry &e, const QString &table, const QString &name) const
{
    const int f = e.data.fieldIndex(name);
    if (f < 0)
        throw ReportError::badField(QStringLiteral("{%1.%2}").arg(table, name),
                                    QStringLiteral("tabela nie ma takiego pola"));
    return f;
}

const QList<int> &ReportData::selected(const QString &table) const
{
    return entry(table).selected;
}

QVariant ReportData::value(const QString &table, int row, const QString &name) const
{
    const Entry &e = entry(table);
    const int f = field(e, table, name);
    return row < 0 ? QVariant() : e.data.rows.at(row).value(f);
}

QList<int> ReportData::bandRows(const ReportDefinition::Band &band, const RowContext &context) const
{
    const Entry &e = entry(band.table);
    QList<std::pair<int, QVariant>> links;
    for (const auto &link : band.links)
        links.append(
            {field(e, band.table, link.field), context.value(link.sourceTable, link.sourceField)});
    QList<int> rows;
    for (int row : e.selected) {
        const QVariantList &values = e.data.rows.at(row);
        const bool linked = std::all_of(links.begin(), links.end(), [&](const auto &l) {
            return FieldValue::equals(values.value(l.first), l.second);
        });
        if (linked)
            rows.append(row);
    }
    sortRows(rows, e, band);
    return rows;
}

void ReportData::sortRows(QList<int> &rows, const Entry &e,
                          const ReportDefinition::Band &band) const
{
    QList<int> keys;
    for (const QString &name : band.orderBy)
        keys.append(field(e, band.table, name));
    if (keys.isEmpty())
        return;
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        for (int k : keys) {
            const int c =
                FieldValue::compare(e.data.rows.at(a).value(k), e.data.rows.at(b).value(k));
            if (c != 0)
                return c < 0;
        }
        return false;
    });
}

} // namespace report
