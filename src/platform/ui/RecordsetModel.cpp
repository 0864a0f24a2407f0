#include "RecordsetModel.h"

#include "DataControl.h"

#include "platform/RuntimeError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace ui
{

RecordsetModel::RecordsetModel(DataControl *data, QList<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), data_(data), columns_(std::move(columns))
{
    connect(data_, &DataControl::recordsetReplaced, this, &RecordsetModel::Reload);
    connect(data_, &DataControl::rowsChanged, this, &RecordsetModel::Reload);
    connect(data_, &DataControl::valuesChanged, this, &RecordsetModel::ValuesChanged);
    connect(data_, &DataControl::currentRowChanged, this, &RecordsetModel::CurrentChanged);
    // A widget's guards are cleared only after it has announced its end.
    connect(data_, &QObject::destroyed, this, [this] {
        data_ = nullptr;
        Reload();
    });
    ResolveFields();
    rows_ = data_->RowCount();
    current_ = data_->CurrentPosition();
}

DataControl *RecordsetModel::DataSource() const
{
    return data_;
}

dao::Recordset RecordsetModel::Recordset() const
{
    return data_ ? data_->Recordset() : dao::Recordset();
}

int RecordsetModel::CurrentPosition() const
{
    return data_ ? data_->CurrentPosition() : -1;
}

void RecordsetModel::ResolveFields()
{
    // Looked up once per change: a field that the table lacks would otherwise
    // be searched for again in every cell.
    const dao::Recordset recordset = Recordset();
    fieldIndexes_.clear();
    for (const Column &column : std::as_const(columns_)) {
        int index = -1;
        try {
            index = recordset.IsOpen() ? recordset.FieldIndex(column.field) : -1;
        } catch (const RuntimeError &) {
            // Shown empty, like a field that the table lacks.
        }
        fieldIndexes_.append(index);
    }
}

void RecordsetModel::Reload()
{
    beginResetModel();
    ResolveFields();
    rows_ = data_ ? data_->RowCount() : 0;
    current_ = CurrentPosition();
    endResetModel();
}

void RecordsetModel::ValuesChanged()
{
    ResolveFields();
    if (rows_ > 0 && !columns_.isEmpty())
        emit dataChanged(index(0, 0), index(rows_ - 1, int(columns_.size()) - 1));
}

void RecordsetModel::CurrentChanged()
{
    const int previous = current_;
    current_ = CurrentPosition();
    for (int row : {previous, current_}) {
        if (row >= 0 && row < rows_)
            emit headerDataChanged(Qt::Vertical, row, row);
    }
}

int RecordsetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int RecordsetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant RecordsetModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
        return {};
    const int field = fieldIndexes_.value(index.column(), -1);
    const dao::Recordset recordset = Recordset();
    if (field < 0 || !recordset.IsOpen())
        return QString();
    try {
        return DisplayText(recordset.ValueAt(index.row(), field));
    } catch (const RuntimeError &) {
        // A row that cannot be read now (a busy file) shows empty; an error box
        // raised while painting would only be painted over and raised again.
        return QString();
    }
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return columns_.value(section).header;
    // The record selector marks the current row.
    return section == current_ ? QStringLiteral("▶") : QString();
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString RecordsetModel::DisplayText(const dao::Variant &value)
{
    if (dao::IsNull(value))
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Prawda") : QStringLiteral("Fałsz");
    case QMetaType::Float:
    case QMetaType::Double:
        return QLocale().toString(value.toDouble(), 'g', 7);
    default:
        return value.toString();
    }
}

} // namespace ui
