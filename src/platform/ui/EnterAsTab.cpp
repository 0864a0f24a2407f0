#include "EnterAsTab.h"

#include "SendKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
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
        auto *button = qobject_cast<QPushButton *>(watched);
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
      keepCaret_(options.keepCaret)
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
