#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace report
{

class ReportData;

// The rows being printed: for each table either the row of the band that is
// printing it, or else the first selected row of the table.
class RowContext
{
public:
    explicit RowContext(const ReportData &data) : data_(&data) {}

    RowContext with(const QString &table, int row) const;
    // Throws RuntimeError (err::BadField) for a field the table does not have.
    QVariant value(const QString &table, const QString &field) const;
    // The field of every selected row of the table.
    QVariantList values(const QString &table, const QString &field) const;
    // True when every condition of the formula holds for the current rows.
    bool holds(const class SelectionFormula &formula) const;

private:
    const ReportData *data_;
    QHash<QString, int> current_; // lower-case table name -> row index
};

} // namespace report
