#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace ui
{

// Enter (or Return) in a text box or a pick list of one window moves the focus
// to the next control, as Tab does. Multi-line boxes keep Enter as a new line.
// The filter lives as long as the window that it was made for.
class EnterAsTab : public QObject
{
public:
    explicit EnterAsTab(QWidget *window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> window_;
};

} // namespace ui
