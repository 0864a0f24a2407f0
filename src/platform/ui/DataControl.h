#pragma once

#include "platform/db/Recordset.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace ui
{

// The data control of a register window: it holds the recordset that the
// window's list shows, tells the bound grid when the recordset is replaced,
// when its current row moves and when its rows or values change, and offers a
// small navigation bar (first, previous, caption, next, last). Disabling the
// control disables the bar.
class DataControl : public QWidget
{
    Q_OBJECT

public:
    explicit DataControl(QWidget *parent = nullptr);
    ~DataControl() override;

    dao::Recordset Recordset() const { return recordset_; }
    // Binds another recordset; the one bound before is left open.
    void setRecordset(const dao::Recordset &recordset);
    // Binds another recordset and closes the one bound before.
    void Replace(const dao::Recordset &recordset);
    // Re-reads the recordset's rows and goes to the first one.
    void Refresh();

    QString Caption() const;
    void setCaption(const QString &caption);

    // 0 and -1 while no open recordset is bound.
    int RowCount() const;
    int CurrentPosition() const;

signals:
    void recordsetReplaced();
    void currentRowChanged();
    void rowsChanged();
    void valuesChanged();

protected:
    void changeEvent(QEvent *event) override;

private:
    // The text box between the arrows keeps room for a few characters, so a
    // window short of width cannot squeeze it to nothing.
    static constexpr int CaptionChars = 8;
    void KeepCaptionRoom();
    void Listen(dao::RecordsetEvent event);
    void Unsubscribe();
    void GoFirst();
    void GoPrevious();
    void GoNext();
    void GoLast();
    QToolButton *AddButton(const QString &name, const QString &text, void (DataControl::*go)());

    dao::Recordset recordset_;
    int subscription_ = 0;
    QLabel *caption_;
};

} // namespace ui
