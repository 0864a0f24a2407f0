#include "EnterAsTab.h"

#include "SendKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include <utility>

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

// The control that Tab moves on to from `from`: the next one in the focus
// chain that is shown, enabled and takes the focus by Tab.
QWidget *NextTabStop(QWidget *from)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
            w->isVisibleTo(from->window()) && !w->focusProxy())
            return w;
    }
    return nullptr;
}

// Presses the focused command button on Enter. The window's own key handling
// (a default button, Enter-as-Tab) is not asked: the key is the button's.
class ButtonEnter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!IsEnter(event))
            return false;
        // A tool bar's button reached by Tab (the preview's "Drukuj") too.
        QAbstractButton *button = qobject_cast<QPushButton *>(watched);
        if (!button)
            button = qobject_cast<QToolButton *>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
            return false;
        button->click();
        return true;
    }
};

} // namespace

void InstallButtonEnter()
{
    static QPointer<ButtonEnter> installed;
    if (installed || !qApp)
        return;
    installed = new ButtonEnter(qApp);
    qApp->installEventFilter(installed);
}

EnterAsTab::EnterAsTab(QWidget *window) : QObject(window), window_(window)
{
    InstallButtonEnter();
    // Key presses go to the focused control, not to its window, so the filter
    // watches the application and keeps to the controls of its own window.
    qApp->installEventFilter(this);
}

EnterAsTab::EnterAsTab(QObject *owner, const QList<QWidget *> &controls, EnterAsTabOptions options)
    : QObject(owner), listed_(true), leaveEnter_(std::move(options.leaveEnter)),
      keepCaret_(options.keepCaret), passOver_(std::move(options.passOver))
{
    for (QWidget *control : controls)
        control->installEventFilter(this);
}

bool EnterAsTab::listedEvent(QObject *watched, QEvent *event)
{
    if (IsEnter(event)) {
        if (leaveEnter_.contains(watched))
            return false;
        SendTab();
        // The Tabs arrive one after the other, each moving on from where the
        // one before left the focus.
        for (QWidget *next = NextTabStop(static_cast<QWidget *>(watched));
             next && passOver_.contains(next); next = NextTabStop(next))
            SendTab();
        return true;
    }
    if (keepCaret_ && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
            reason != Qt::ShortcutFocusReason)
            return false;
        // The box gets the focus as from any other cause instead.
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
    return false;
}

bool EnterAsTab::eventFilter(QObject *watched, QEvent *event)
{
    // Made for a list of controls: the filter sits on those controls alone.
    if (listed_)
        return listedEvent(watched, event);
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
