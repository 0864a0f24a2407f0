#include "ShowModal.h"

#include "ScriptedUi.h"
#include "ShownDialog.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace ui
{

namespace
{

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

void ShowModal(QWidget &window)
{
    if (ScriptedUi *script = ScriptedUi::Current()) {
        ShowScripted(*script, window);
        return;
    }
    if (window.isVisible()) {
        window.raise();
        window.activateWindow();
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
    }
}

} // namespace ui
