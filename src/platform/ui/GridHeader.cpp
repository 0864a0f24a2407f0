#include "GridHeader.h"

namespace ui
{

GridHeader::GridHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

void GridHeader::SetBand(int height)
{
    if (band_ == height)
        return;
    band_ = height;
    updateGeometry();
    viewport()->update();
}

GridHeader::Contents GridHeader::CurrentContents() const
{
    Contents contents;
    contents.model = model();
    contents.style = style();
    contents.font = font();
    contents.sortShown = isSortIndicatorShown();
    contents.sortSection = sortIndicatorSection();
    if (!contents.model)
        return contents;
    for (int i = 0; i < count(); ++i) {
        contents.hidden.append(isSectionHidden(i));
        for (int role : {Qt::DisplayRole, Qt::FontRole, Qt::DecorationRole, Qt::SizeHintRole})
            contents.data.append(contents.model->headerData(i, orientation(), role));
    }
    return contents;
}

QSize GridHeader::sizeHint() const
{
    Contents contents = CurrentContents();
    if (!hint_.isValid() || !(contents == measured_)) {
        hint_ = QHeaderView::sizeHint();
        measured_ = std::move(contents);
    }
    QSize size = hint_;
    size.rheight() += band_;
    return size;
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect.adjusted(0, band_, 0, 0), logicalIndex);
}

} // namespace ui
