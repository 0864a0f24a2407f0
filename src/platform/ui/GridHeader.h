#pragma once

#include <QFont>
#include <QHeaderView>
#include <QList>
#include <QVariant>

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
    // What the headings' own size hint is computed from: the hint is kept
    // while these stay the same.
    struct Contents {
        const QAbstractItemModel *model = nullptr;
        const QStyle *style = nullptr;
        QFont font;
        bool sortShown = false;
        int sortSection = -1;
        QList<bool> hidden;
        QList<QVariant> data;
        bool operator==(const Contents &) const = default;
    };
    Contents CurrentContents() const;

    int band_ = 0;
    // Every stretch of the last section drops the header's own cached hint,
    // so each layout of the grid would measure every heading again.
    mutable Contents measured_;
    mutable QSize hint_;
};

} // namespace ui
