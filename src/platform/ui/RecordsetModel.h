#pragma once

#include "platform/db/DaoTypes.h"
#include "platform/db/Recordset.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace ui
{

class DataControl;

// The rows of a data control's recordset as a read-only table for a grid. A
// cell is read from the recordset only when the view asks for it, so a grid
// reads the rows it shows. A column bound to a field that the table lacks
// stays empty.
class RecordsetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Column {
        QString header;
        QString field;
        int width = 0; // pixels; 0 leaves the grid's default
    };

    RecordsetModel(DataControl *data, QList<Column> columns, QObject *parent = nullptr);

    DataControl *DataSource() const;
    // The data control's recordset and current row; none once it is gone.
    dao::Recordset Recordset() const;
    int CurrentPosition() const;
    const QList<Column> &Columns() const { return columns_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // A field's value as the grid shows it: dates "dd.mm.yyyy", Null empty.
    static QString DisplayText(const dao::Variant &value);
    // Reads the row at `position` as drawing reads it, so that it counts as
    // shown: the row a user moves to is the row they see, drawn yet or not,
    // and a delete or a correction of it is held against it.
    static void ShowRow(const dao::Recordset &recordset, int position);

private:
    void Reload();
    void ResolveFields();
    void ValuesChanged();
    void CurrentChanged();

    // Another workstation's lock kept rows unread: none is read again before
    // the redraw, or before the rows change.
    QTimer *redraw_ = nullptr;
    mutable bool locked_ = false;
    QPointer<DataControl> data_;
    QList<Column> columns_;
    QList<int> fieldIndexes_;
    int rows_ = 0;
    int current_ = -1;
};

} // namespace ui
