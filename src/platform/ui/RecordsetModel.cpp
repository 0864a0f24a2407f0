#include "RecordsetModel.h"

#include "DataControl.h"

#include "platform/RuntimeError.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace ui
{

namespace
{
// How long drawing waits for another workstation's lock, and how soon what it
// could not read is drawn again.
constexpr int DrawWaitMs = 200;
constexpr int RedrawMs = 500;
} // namespace

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
    redraw_ = new QTimer(this);
    redraw_->setSingleShot(true);
    redraw_->setInterval(RedrawMs);
    connect(redraw_, &QTimer::timeout, this, &RecordsetModel::ValuesChanged);
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
    locked_ = false;
    ResolveFields();
    rows_ = data_ ? data_->RowCount() : 0;
    current_ = CurrentPosition();
    endResetModel();
}

void RecordsetModel::ValuesChanged()
{
    locked_ = false;
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
    if (locked_)
        return QString();
    try {
        // Drawing waits only briefly for another workstation: the user action
        // that met its lock has waited already, and a full wait for every row
        // would hold the window still for minutes.
        const dao::LockWaitLimit drawing(DrawWaitMs);
        return DisplayText(recordset.ValueAt(index.row(), field));
    } catch (const RuntimeError &error) {
        // A row that cannot be read now shows empty (an error box raised
        // while painting would only be painted over and raised again); rows
        // held by another workstation are drawn again a little later.
        if (error.Number() == dao::err::Locked) {
            locked_ = true;
            redraw_->start();
        }
        return QString();
    }
}

void RecordsetModel::ShowRow(const dao::Recordset &recordset, int position)
{
    if (!recordset.IsOpen() || position < 0)
        return;
    try {
        const dao::LockWaitLimit drawing(DrawWaitMs);
        recordset.ValueAt(position, 0);
    } catch (const RuntimeError &) {
        // Drawn as it can be, as any row is.
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
