#include "DBGrid.h"

#include "DataControl.h"
#include "GridHeader.h"

#include "platform/db/DaoError.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QStyle>

#include <cmath>

namespace ui
{

DBGrid::DBGrid(QWidget *parent)
    : QTableView(parent), header_(new GridHeader(this)), caption_(new QLabel(this)),
      marks_([this] { ShowMarks(); })
{
    setHorizontalHeader(header_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Rows are marked by the register through SelBookmarks, never by a click.
    setSelectionMode(QAbstractItemView::NoSelection);
    // The last column takes the room the others leave, so no strip of the
    // grid stays empty while a text beside it is cut.
    header_->setStretchLastSection(true);
    caption_->setObjectName(QStringLiteral("Caption"));
    caption_->setTextFormat(Qt::PlainText);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setAutoFillBackground(true);
    caption_->hide();
}

void DBGrid::Bind(DataControl *data, const QList<RecordsetModel::Column> &columns)
{
    Bind(new RecordsetModel(data, columns, this));
}

void DBGrid::Bind(RecordsetModel *model)
{
    RecordsetModel *previous = model_;
    QItemSelectionModel *previousSelection = selectionModel();
    if (previous && previous->DataSource())
        disconnect(previous->DataSource(), nullptr, this, nullptr);
    model_ = model;
    model_->setParent(this);
    setModel(model_);
    // The view owns neither the model nor the selection model that it drops.
    delete previousSelection;
    delete previous;
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DBGrid::CurrentCellChanged);
    connect(model_->DataSource(), &DataControl::currentRowChanged, this, &DBGrid::FollowRecordset);
    connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::Reloaded);
    // Rows written in place (a fill of the whole list) may be wider too.
    connect(model_, &QAbstractItemModel::dataChanged, this, &DBGrid::FitColumnsLater);
    FitColumns(false);
    Reloaded();
}

void DBGrid::FitColumns(bool widenOnly)
{
    // A column is never narrower than its heading; one whose width the window
    // leaves open also takes the width of what it shows, up to a limit, so a
    // long memo does not push every other column out of sight.
    const QFontMetrics metrics(font());
    const QFontMetricsF exact(font());
    // Widths measured in another font or size are measured anew.
    if (!(font() == measuredIn_) || measured_.size() > MeasuredTexts) {
        measured_.clear();
        measuredIn_ = font();
    }
    const int widest = metrics.averageCharWidth() * FittedChars;
    // The room an item view leaves around a cell's text, and the grid line
    // that the cell gives up.
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
                       (showGrid() ? 1 : 0);
    // The first rows, and those in sight when the list was scrolled to a row
    // further down.
    const int rows = qMin(model_->rowCount(), FittedRows);
    const int firstShown = qMax(rowAt(0), rows);
    const int bottom = rowAt(viewport()->height() - 1);
    const int lastShown =
        qMin(bottom < 0 ? model_->rowCount() - 1 : bottom, firstShown + FittedRows - 1);
    const QList<RecordsetModel::Column> &columns = model_->Columns();
    for (int i = 0; i < columns.size(); ++i) {
        const bool fixed = columns.at(i).width > 0;
        int width = columns.at(i).width;
        if (!fixed) {
            // Measured from the texts themselves: a layout of every cell
            // through the item delegate costs more than the whole list's read.
            int text = 0;
            for (int row = 0; row < rows && text < widest; ++row)
                text = qMax(text, TextWidth(exact, model_->index(row, i)));
            for (int row = firstShown; row <= lastShown && text < widest; ++row)
                text = qMax(text, TextWidth(exact, model_->index(row, i)));
            width = qMin(text + margin, widest);
        }
        width = qMax(width, header_->sectionSizeHint(i));
        if (!widenOnly || width > columnWidth(i))
            setColumnWidth(i, width);
    }
}

int DBGrid::TextWidth(const QFontMetricsF &metrics, const QModelIndex &cell)
{
    const QString text = cell.data(Qt::DisplayRole).toString();
    auto found = measured_.constFind(text);
    // A text fits its cell only when its whole laid-out width does, fractions
    // of a pixel included.
    if (found == measured_.cend())
        found = measured_.insert(text, int(std::ceil(metrics.horizontalAdvance(text))));
    return *found;
}

void DBGrid::FitColumnsLater()
{
    if (fitPending_)
        return;
    fitPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            fitPending_ = false;
            if (model_)
                FitColumns(true);
        },
        Qt::QueuedConnection);
}

QString DBGrid::Caption() const
{
    return caption_->text();
}

void DBGrid::setCaption(const QString &caption)
{
    caption_->setText(caption);
    caption_->setVisible(!caption.isEmpty());
    header_->SetBand(caption.isEmpty() ? 0 : caption_->sizeHint().height());
    updateGeometries();
}

void DBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    // Placed also while the window is still hidden: a caption set before the
    // first showing is drawn across the whole grid, not in a label's default
    // width.
    if (!caption_->isHidden()) {
        const int frame = frameWidth();
        caption_->setGeometry(frame, frame, width() - 2 * frame, header_->Band());
        caption_->raise();
    }
}

int DBGrid::Row() const
{
    return model_ ? model_->CurrentPosition() : -1;
}

dao::Bookmark DBGrid::Bookmark() const
{
    if (Row() < 0)
        throw dao::Error::Make(dao::err::NoCurrentRecord);
    return model_->Recordset().Bookmark();
}

void DBGrid::Reloaded()
{
    // Marks belong to the recordset they were made in; another one starts
    // without them.
    const dao::Recordset recordset = model_->Recordset();
    if (!(recordset == marked_)) {
        marked_ = recordset;
        marks_.Clear();
    }
    // New rows may be wider; a column the user has set stays as wide.
    FitColumnsLater();
    ShowMarks();
    FollowRecordset();
}

void DBGrid::FollowRecordset()
{
    if (!model_)
        return;
    following_ = true;
    const int row = model_->CurrentPosition();
    if (row >= 0 && row < model_->rowCount()) {
        const QModelIndex cell = model_->index(row, qMax(currentIndex().column(), 0));
        setCurrentIndex(cell);
        scrollTo(cell);
    } else {
        selectionModel()->clearCurrentIndex();
    }
    following_ = false;
}

void DBGrid::CurrentCellChanged(const QModelIndex &current)
{
    if (!following_ && current.isValid() && current.row() != model_->CurrentPosition()) {
        model_->Recordset().setAbsolutePosition(current.row());
        RecordsetModel::ShowRow(model_->Recordset(), current.row());
    }
    emit RowColChange();
}

void DBGrid::ShowMarks()
{
    if (!model_)
        return;
    QItemSelection selection;
    const dao::Recordset recordset = model_->Recordset();
    for (int i = 0; i < marks_.Count() && recordset.IsOpen(); ++i) {
        const int row = recordset.PositionOf(marks_.Item(i));
        if (row >= 0 && row < model_->rowCount())
            selection.select(model_->index(row, 0), model_->index(row, model_->columnCount() - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void DBGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    // Headings measured in another font or style may no longer fit.
    if (model_ && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        FitColumns(true);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

} // namespace ui
