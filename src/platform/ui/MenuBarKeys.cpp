#include "MenuBarKeys.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QShortcut>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

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

// Draws the title that the keyboard is on highlighted, as an open menu's
// title is: the platform's style highlights a title only while its menu is
// open, so a bar entered by F10 or Alt would show no sign of it, and the keys
// that follow would seem to do nothing.
class KeyboardTitleStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget &&
            widget->hasFocus()) {
            QStyleOptionMenuItem shown = *item;
            shown.state |= State_Sunken;
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

void MenuBarOnF10(QMenuBar *bar)
{
    // The application's own style underneath, made anew: a proxy owns its base.
    auto *style = new KeyboardTitleStyle(QStyleFactory::create(bar->style()->name()));
    style->setParent(bar);
    bar->setStyle(style);

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
