#include "ShowModal.h"

#include "EnterAsTab.h"
#include "ScriptedUi.h"
#include "ShownDialog.h"
#include "WindowFit.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ui
{

namespace
{

// Where the window was when it was last hidden.
const char *const KeptPlace = "ui_keptPlace";

// The window the user was working in when this one was asked for.
QWidget *OwnerOf(const QWidget &window)
{
    QWidget *focus = QApplication::focusWidget();
    for (QWidget *candidate : {QApplication::activeModalWidget(), QApplication::activeWindow(),
                               focus ? focus->window() : nullptr}) {
        if (candidate && candidate != &window && candidate->isVisible())
            return candidate;
    }
    return nullptr;
}

void CentreOn(QWidget &window, const QWidget &owner)
{
    // The size the showing would give it, taken now; it stays a size from the
    // content, not one set by hand, so the next showing fits its content again.
    if (!window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
        window.setAttribute(Qt::WA_Resized, false);
    }
    const QSize size = window.size();
    const QRect around = owner.frameGeometry();
    QPoint topLeft = around.center() - QPoint(size.width() / 2, size.height() / 2);
    // A small owner near the edge must not push the box off the screen.
    if (const QScreen *screen = owner.screen()) {
        const QRect desk = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), desk.left(),
                                std::max(desk.left(), desk.right() - size.width())));
        topLeft.setY(std::clamp(topLeft.y(), desk.top(),
                                std::max(desk.top(), desk.bottom() - size.height())));
    }
    window.move(topLeft);
}

// Puts the window where it is to appear, whole on the screen. A maximised
// window needs no place.
void Place(QWidget &window, Placement placement)
{
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QVariant kept = window.property(KeptPlace);
    if (placement == Placement::Kept && kept.isValid()) {
        // Qt would centre a dialog anew, and a window manager may add its
        // frame once more: the place the user left it is the one to keep.
        window.move(kept.toPoint());
    } else if (const QWidget *owner = OwnerOf(window)) {
        CentreOn(window, *owner);
    }
    FitOnScreen(window);
}

void KeepPlace(QWidget &window)
{
    if (!(window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        window.setProperty(KeptPlace, window.pos());
}

// Ends the modal loop once the window is no longer visible.
class HideWatcher : public QObject
{
public:
    HideWatcher(QWidget &window, QEventLoop &loop) : window_(window), loop_(loop)
    {
        window_.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A minimised window gets a Hide event too, yet stays visible.
        if (watched == &window_ && event->type() == QEvent::Hide && !window_.isVisible())
            loop_.quit();
        return false;
    }

private:
    QWidget &window_;
    QEventLoop &loop_;
};

void ShowScripted(ScriptedUi &script, QWidget &window)
{
    ShownDialog shown;
    shown.kind = ShownDialog::Window;
    shown.text = window.objectName();
    shown.title = window.windowTitle();
    const ScriptedUi::WindowAction action = script.TakeWindow(shown);
    QPointer<QWidget> guard(&window);
    const auto hide = [&guard] {
        if (guard && guard->isVisible())
            guard->hide();
        if (guard)
            KeepPlace(*guard);
    };
    window.show();
    try {
        if (action)
            action(window);
    } catch (...) {
        hide();
        throw;
    }
    hide();
}

} // namespace

void ShowModal(QWidget &window, Placement placement)
{
    InstallButtonEnter();
    ScriptedUi *script = ScriptedUi::Current();
    if (!window.isVisible()) {
        Place(window, placement);
    } else if (!script) {
        window.raise();
        window.activateWindow();
        return;
    }
    if (script) {
        ShowScripted(*script, window);
        return;
    }
    QPointer<QWidget> guard(&window);
    QEventLoop loop;
    HideWatcher watcher(window, loop);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    loop.exec(QEventLoop::DialogExec);
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(Qt::NonModal);
        KeepPlace(*guard);
    }
}

} // namespace ui
