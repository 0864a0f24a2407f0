#pragma once

#include "RecordsetModel.h"
#include "SelBookmarks.h"

#include "platform/db/Bookmark.h"
#include "platform/db/Recordset.h"

#include <QFont>
#include <QHash>
#include <QTableView>

class QFontMetricsF;
class QLabel;

namespace ui
{

class DataControl;
class GridHeader;

// The data-bound grid: a read-only table over a data control's recordset. Its
// current row follows the recordset's current row, and a row the user clicks
// becomes the recordset's current row. Marked rows (SelBookmarks) are shown
// selected; a click does not mark a row by itself.
class DBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DBGrid(QWidget *parent = nullptr);

    void Bind(DataControl *data, const QList<RecordsetModel::Column> &columns);
    // Binds a model made elsewhere; the grid takes it over.
    void Bind(RecordsetModel *model);
    RecordsetModel *Model() const { return model_; }

    QString Caption() const;
    void setCaption(const QString &caption);

    // The current row's position, -1 when there is none.
    int Row() const;
    // The current row's bookmark (3021 when there is none).
    dao::Bookmark Bookmark() const;
    ui::SelBookmarks &SelBookmarks() { return marks_; }

signals:
    // The current row or column changed, by the user or by the recordset.
    void RowColChange();
    void DblClick();

protected:
    void changeEvent(QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void updateGeometries() override;

private:
    static constexpr int FittedRows = 30;
    static constexpr int FittedChars = 50;
    // Texts whose widths a grid keeps; past them it starts again.
    static constexpr qsizetype MeasuredTexts = 4096;

    void Reloaded();
    // Sizes every column to its heading and, unless the window fixed its
    // width, to its contents; widenOnly never makes a column narrower.
    void FitColumns(bool widenOnly);
    // A cell text's width, measured once per text: shaping a text costs more
    // than reading its row, and the texts of a list mostly repeat (the same
    // dates and names down a column, the same rows when the list is read
    // again).
    int TextWidth(const QFontMetricsF &metrics, const QModelIndex &cell);
    // Widens the columns once the program is back in its event loop: rows
    // added one by one (an import) are measured once, not after every row.
    void FitColumnsLater();
    void FollowRecordset();
    void CurrentCellChanged(const QModelIndex &current);
    void ShowMarks();

    RecordsetModel *model_ = nullptr;
    bool fitPending_ = false;
    QFont measuredIn_;
    QHash<QString, int> measured_;
    GridHeader *header_;
    QLabel *caption_;
    ui::SelBookmarks marks_;
    dao::Recordset marked_;
    bool following_ = false;
};

} // namespace ui
