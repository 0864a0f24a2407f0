#include "MenuBarKeys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QStyle>

namespace ui
{

namespace
{

QAction *FirstTitle(const QMenuBar *bar)
{
    for (QAction *title : bar->actions()) {
        if (title->isVisible() && title->isEnabled() && !title->isSeparator())
            return title;
    }
    return nullptr;
}

// The menu bar's own Alt handling (an Alt pressed and released alone) does the
// work: it takes the keyboard to the first title or gives it back, as F10
// should.
void ToggleAsAlt(QMenuBar *bar)
{
    QWidget *window = bar->window();
    // For a modifier key, QKeyEvent reports the modifiers as they are after
    // the key: this press reads as Alt held.
    QKeyEvent pressed(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &pressed);
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &released);
}

} // namespace

void MenuBarOnF10(QMenuBar *bar)
{
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), bar->window());
    f10->setContext(Qt::WindowShortcut);
    const QPointer<QMenuBar> target(bar);
    QObject::connect(f10, &QShortcut::activated, bar, [target] {
        if (!target || !target->isVisible())
            return;
        if (target->style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, target)) {
            ToggleAsAlt(target);
            return;
        }
        // A style without Alt navigation: open the first menu instead.
        target->setActiveAction(target->activeAction() ? nullptr : FirstTitle(target));
    });
}

} // namespace ui
