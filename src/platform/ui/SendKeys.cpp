#include "SendKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <initializer_list>
#include <utility>

namespace ui
{

namespace
{

using Stroke = std::pair<Qt::Key, Qt::KeyboardModifiers>;

void Press(QWidget *target, const Stroke &stroke)
{
    QKeyEvent press(QEvent::KeyPress, stroke.first, stroke.second);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, stroke.first, stroke.second);
    QCoreApplication::sendEvent(target, &release);
}

void Queue(std::initializer_list<Stroke> strokes)
{
    const QList<Stroke> keys(strokes);
    QTimer::singleShot(0, qApp, [keys] {
        for (const Stroke &stroke : keys) {
            QWidget *focus = QApplication::focusWidget();
            if (!focus)
                return;
            Press(focus, stroke);
        }
    });
}

} // namespace

void SendTab()
{
    Queue({{Qt::Key_Tab, Qt::NoModifier}});
}

void SendHomeShiftEnd()
{
    Queue({{Qt::Key_Home, Qt::NoModifier}, {Qt::Key_End, Qt::ShiftModifier}});
}

void SendEnd()
{
    Queue({{Qt::Key_End, Qt::NoModifier}});
}

void SendBackspace()
{
    Queue({{Qt::Key_Backspace, Qt::NoModifier}});
}

} // namespace ui
