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

QSize GridHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.rheight() += band_;
    return size;
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    QHeaderView::paintSection(painter, rect.adjusted(0, band_, 0, 0), logicalIndex);
}

} // namespace ui
