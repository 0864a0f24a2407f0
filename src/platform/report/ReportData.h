#pragma once

#include "ReportDefinition.h"
#include "SelectionFormula.h"
#include "TableData.h"

#include <QHash>
#include <QList>

namespace report
{

class DataSource;
class RowContext;

// The tables of one report as they were when it was run: every table the
// definition names, read once, and the rows of each that the selection
// formula lets through.
class ReportData
{
public:
    // Throws RuntimeError: a table that cannot be read, or a formula naming a
    // table or field that the report does not have (err::BadFormula).
    ReportData(const ReportDefinition &definition, DataSource &source,
               const SelectionFormula &formula);

    const QList<int> &selected(const QString &table) const;
    // row -1 only checks the field. Throws err::BadField for an unknown one.
    QVariant value(const QString &table, int row, const QString &field) const;
    // The selected rows of the band's table that match its links, in its order.
    QList<int> bandRows(const ReportDefinition::Band &band, const RowContext &context) const;

private:
    struct Entry {
        TableData data;
        QList<int> selected;
    };

    QHash<QString, Entry> tables_; // by lower-case name

    const Entry &entry(const QString &table) const;
    int field(const Entry &e, const QString &table, const QString &name) const;
    void applyFormula(const SelectionFormula &formula);
    void sortRows(QList<int> &rows, const Entry &e, const ReportDefinition::Band &band) const;
};

} // namespace report
