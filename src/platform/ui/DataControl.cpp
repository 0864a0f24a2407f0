#include "DataControl.h"

#include "RecordsetModel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace ui
{

DataControl::DataControl(QWidget *parent) : QWidget(parent), caption_(new QLabel(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(
        AddButton(QStringLiteral("First"), QStringLiteral("|◀"), &DataControl::GoFirst));
    layout->addWidget(
        AddButton(QStringLiteral("Previous"), QStringLiteral("◀"), &DataControl::GoPrevious));
    caption_->setObjectName(QStringLiteral("Caption"));
    caption_->setFrameShape(QFrame::Panel);
    caption_->setFrameShadow(QFrame::Sunken);
    caption_->setTextFormat(Qt::PlainText);
    layout->addWidget(caption_, 1);
    KeepCaptionRoom();
    layout->addWidget(AddButton(QStringLiteral("Next"), QStringLiteral("▶"), &DataControl::GoNext));
    layout->addWidget(
        AddButton(QStringLiteral("Last"), QStringLiteral("▶|"), &DataControl::GoLast));
}

DataControl::~DataControl()
{
    Unsubscribe();
}

void DataControl::KeepCaptionRoom()
{
    caption_->setMinimumWidth(caption_->fontMetrics().averageCharWidth() * CaptionChars +
                              2 * caption_->frameWidth());
}

void DataControl::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        KeepCaptionRoom();
}

QToolButton *DataControl::AddButton(const QString &name, const QString &text,
                                    void (DataControl::*go)())
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, go] {
        (this->*go)();
        RecordsetModel::ShowRow(recordset_, CurrentPosition());
    });
    return button;
}

void DataControl::Unsubscribe()
{
    if (subscription_ != 0)
        recordset_.Unsubscribe(subscription_);
    subscription_ = 0;
}

void DataControl::Replace(const dao::Recordset &recordset)
{
    dao::Recordset previous = recordset_;
    setRecordset(recordset);
    if (previous.IsOpen() && !(previous == recordset))
        previous.Close();
}

void DataControl::setRecordset(const dao::Recordset &recordset)
{
    Unsubscribe();
    recordset_ = recordset;
    if (recordset_.IsOpen())
        subscription_ = recordset_.Subscribe([this](dao::RecordsetEvent event) { Listen(event); });
    emit recordsetReplaced();
}

void DataControl::Refresh()
{
    if (!recordset_.IsOpen())
        return;
    recordset_.Requery();
    if (recordset_.RecordCount() > 0)
        recordset_.MoveFirst();
}

void DataControl::Listen(dao::RecordsetEvent event)
{
    switch (event) {
    case dao::RecordsetEvent::CurrentChanged:
        emit currentRowChanged();
        break;
    case dao::RecordsetEvent::RowsChanged:
        emit rowsChanged();
        break;
    case dao::RecordsetEvent::ValuesChanged:
        emit valuesChanged();
        break;
    case dao::RecordsetEvent::Closed:
        // The recordset forgets its listeners as it closes.
        subscription_ = 0;
        emit rowsChanged();
        emit currentRowChanged();
        break;
    }
}

QString DataControl::Caption() const
{
    return caption_->text();
}

void DataControl::setCaption(const QString &caption)
{
    caption_->setText(caption);
}

int DataControl::RowCount() const
{
    return recordset_.IsOpen() ? recordset_.RecordCount() : 0;
}

int DataControl::CurrentPosition() const
{
    return recordset_.IsOpen() ? recordset_.AbsolutePosition() : -1;
}

// The bar never runs past either end: it stays on the first or last row.

void DataControl::GoFirst()
{
    if (RowCount() > 0)
        recordset_.MoveFirst();
}

void DataControl::GoPrevious()
{
    if (RowCount() == 0)
        return;
    if (!recordset_.BOF())
        recordset_.MovePrevious();
    if (recordset_.BOF())
        recordset_.MoveFirst();
}

void DataControl::GoNext()
{
    if (RowCount() == 0)
        return;
    if (!recordset_.EOF())
        recordset_.MoveNext();
    if (recordset_.EOF())
        recordset_.MoveLast();
}

void DataControl::GoLast()
{
    if (RowCount() > 0)
        recordset_.MoveLast();
}

} // namespace ui
