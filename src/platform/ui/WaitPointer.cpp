#include "platform/ui/WaitPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace ui
{

WaitPointer::~WaitPointer()
{
    Restore();
}

void WaitPointer::Show()
{
    if (!shown_ && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        shown_ = true;
    }
}

void WaitPointer::Restore()
{
    if (shown_) {
        QGuiApplication::restoreOverrideCursor();
        shown_ = false;
    }
}

} // namespace ui
