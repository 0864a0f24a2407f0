#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace ui
{

// A text box of one window selects its whole text when it gets the focus,
// also by a mouse click (the selection follows once the click is handled).
// The filter lives as long as the window that it was made for.
class SelectAllOnFocus : public QObject
{
public:
    explicit SelectAllOnFocus(QWidget *window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> window_;
};

} // namespace ui
