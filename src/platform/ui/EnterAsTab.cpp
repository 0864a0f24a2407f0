#include "EnterAsTab.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace ui
{

namespace
{

bool IsEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool IsTextBoxOrPickList(const QObject *object)
{
    return qobject_cast<const QLineEdit *>(object) || qobject_cast<const QComboBox *>(object);
}

} // namespace

EnterAsTab::EnterAsTab(QWidget *window) : QObject(window), window_(window)
{
    // Key presses go to the focused control, not to its window, so the filter
    // watches the application and keeps to the controls of its own window.
    qApp->installEventFilter(this);
}

bool EnterAsTab::eventFilter(QObject *watched, QEvent *event)
{
    if (!IsEnter(event) || !IsTextBoxOrPickList(watched) || !window_)
        return false;
    auto *control = static_cast<QWidget *>(watched);
    if (!window_->isAncestorOf(control))
        return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &tab);
    return true;
}

} // namespace ui
