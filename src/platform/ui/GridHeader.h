#pragma once

#include <QHeaderView>

namespace ui
{

// The column header of a data-bound grid, with a band above the column titles
// where the grid shows its caption.
class GridHeader : public QHeaderView
{
public:
    explicit GridHeader(QWidget *parent);

    int Band() const { return band_; }
    void SetBand(int height);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    int band_ = 0;
};

} // namespace ui
