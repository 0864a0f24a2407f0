#include "SelectAllOnFocus.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace ui
{

SelectAllOnFocus::SelectAllOnFocus(QWidget *window) : QObject(window), window_(window)
{
    qApp->installEventFilter(this);
}

bool SelectAllOnFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusIn || !window_)
        return false;
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box || !window_->isAncestorOf(box))
        return false;
    QTimer::singleShot(0, box, [box] {
        if (box->hasFocus())
            box->selectAll();
    });
    return false;
}

} // namespace ui
