#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWidget>

// Presses a window's control the way the user does, and fails the calling
// test when the control is missing, disabled or hidden, or its window is not
// shown: a button that was never wired or cannot be reached must not pass as
// pressed.
namespace press
{

// Lets the events of the moment run: what is queued now (posted events, zero
// timers such as the keys a pick sends) and what they queue in turn, a few
// rounds deep, without waiting for any time to pass. A test that checks that
// nothing more happens afterwards settles first.
inline void Settle(int rounds = 6)
{
    for (int round = 0; round < rounds; ++round) {
        bool ran = false;
        QTimer::singleShot(0, [&ran] { ran = true; });
        while (!ran)
            QCoreApplication::processEvents();
    }
}

// Why the user cannot reach the widget inside `window`; empty when they can.
inline QString Unreachable(const QWidget *control, const QWidget *window, const char *name)
{
    if (!control)
        return QStringLiteral("no control %1 in %2").arg(QLatin1String(name), window->objectName());
    if (!control->isEnabled())
        return QStringLiteral("%1 is disabled").arg(QLatin1String(name));
    if (!control->isVisibleTo(window))
        return QStringLiteral("%1 is hidden").arg(QLatin1String(name));
    if (!window->isVisible())
        return QStringLiteral("%1 is not shown").arg(window->objectName());
    return {};
}

// The control named `name` inside `window`, or nullptr with why in `problem`.
inline QAbstractButton *FindButton(QWidget *window, const char *name, QString &problem)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    problem = Unreachable(button, window, name);
    return problem.isEmpty() ? button : nullptr;
}

inline QWidget *FindWidget(QWidget *window, const char *name, QString &problem)
{
    auto *widget = window->findChild<QWidget *>(QLatin1String(name));
    problem = Unreachable(widget, window, name);
    return problem.isEmpty() ? widget : nullptr;
}

// True when the user can open a menu that holds the action: one of the menus
// it sits in is itself reachable, or it sits in a shown menu bar.
inline bool InReachableMenu(const QAction *action, int depth = 0)
{
    if (depth > 8)
        return false;
    for (QObject *holder : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder)) {
            const QAction *opener = menu->menuAction();
            if (opener != action && opener->isVisible() && opener->isEnabled() &&
                InReachableMenu(opener, depth + 1))
                return true;
        } else if (auto *bar = qobject_cast<QMenuBar *>(holder)) {
            if (!bar->isHidden())
                return true;
        }
    }
    return false;
}

inline QAction *FindAction(QWidget *window, const char *name, QString &problem)
{
    auto *action = window->findChild<QAction *>(QLatin1String(name));
    if (!action)
        problem =
            QStringLiteral("no menu item %1 in %2").arg(QLatin1String(name), window->objectName());
    else if (!action->isEnabled())
        problem = QStringLiteral("menu item %1 is disabled").arg(QLatin1String(name));
    else if (!action->isVisible())
        problem = QStringLiteral("menu item %1 is hidden").arg(QLatin1String(name));
    else if (!InReachableMenu(action))
        problem =
            QStringLiteral("menu item %1 is in no menu the user can open").arg(QLatin1String(name));
    else if (!window->isVisible())
        problem = QStringLiteral("%1 is not shown").arg(window->objectName());
    else
        return action;
    return nullptr;
}

// Double-clicks the widget as a mouse does (press, release, double click,
// release); a list (grid) on its current row, else on its first row, else on
// its empty area.
inline void DoubleClick(QWidget *widget)
{
    QWidget *target = widget;
    QPoint at = widget->rect().center();
    if (auto *list = qobject_cast<QAbstractItemView *>(widget)) {
        QModelIndex row = list->currentIndex();
        if (!row.isValid() && list->model() && list->model()->rowCount() > 0)
            row = list->model()->index(0, 0);
        target = list->viewport();
        at = row.isValid() ? list->visualRect(row).center() : QPoint(2, 2);
    }
    QTest::mousePress(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
    QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    QTest::mouseRelease(target, Qt::LeftButton, {}, at);
}

// Moves the focus away from the field as Tab does. Offscreen the test's
// window is not always the active one, and Qt then sends no focus events of
// its own, so the field gets the one it would get.
inline void Leave(QWidget *field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

// Types `text` into the field as the keyboard does, key by key, at the
// field's cursor (an editable list takes the keys in its text box). A text
// already there is kept unless the field selected it, as a user's typing is.
inline void Type(QWidget *field, const QString &text)
{
    QWidget *target = field;
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        target = combo->lineEdit();
    for (const QChar c : text) {
        // Polish letters come from the keyboard layout, not from a key code
        // of their own: they arrive as key events that carry only their text.
        if (c.unicode() < 0x80)
            QTest::keyClick(target, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces the field's text as the user does: selects all of it (Home then
// Shift+End in a one-line box, Ctrl+A in a longer one) and types over it; an
// empty `text` deletes the selection.
inline void Retype(QWidget *field, const QString &text)
{
    QWidget *target = field;
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        target = combo->lineEdit();
    if (qobject_cast<QLineEdit *>(target)) {
        QTest::keyClick(target, Qt::Key_Home);
        QTest::keyClick(target, Qt::Key_End, Qt::ShiftModifier);
    } else {
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    }
    if (text.isEmpty())
        QTest::keyClick(target, Qt::Key_Delete);
    else
        Type(target, text);
}

// Chooses the entry `text` of a list as a click in its open list does; empty
// when done, else why the user could not.
inline QString Choose(QWidget *field, const QString &text)
{
    auto *combo = qobject_cast<QComboBox *>(field);
    if (!combo)
        return QStringLiteral("%1 is not a list").arg(field->objectName());
    const int at = combo->findText(text, Qt::MatchFixedString);
    if (at < 0)
        return QStringLiteral("%1 has no entry \"%2\"").arg(field->objectName(), text);
    combo->setCurrentIndex(at);
    Q_EMIT combo->activated(at);
    Q_EMIT combo->textActivated(combo->itemText(at));
    return {};
}

// Clicks the row `row` of a list or grid as the mouse does; empty when done,
// else why the user could not.
inline QString SelectRow(QWidget *widget, int row)
{
    auto *list = qobject_cast<QAbstractItemView *>(widget);
    if (!list)
        return QStringLiteral("%1 is not a list").arg(widget->objectName());
    if (!list->model() || row < 0 || row >= list->model()->rowCount())
        return QStringLiteral("%1 has no row %2").arg(widget->objectName()).arg(row);
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    return {};
}

} // namespace press

// Clicks the button (or check box) `name` of `window`; fails the test when it
// is missing, disabled or hidden.
#define PRESS(window, name)                                                                        \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QAbstractButton *press_button_ = press::FindButton((window), (name), press_problem_);      \
        QVERIFY2(press_button_, qPrintable(press_problem_));                                       \
        press_button_->click();                                                                    \
    } while (false)

// Triggers the menu item `name` of `window`; fails the test when it is
// missing, disabled or hidden, or sits in a menu the user cannot open.
#define TRIGGER_MENU(window, name)                                                                 \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QAction *press_action_ = press::FindAction((window), (name), press_problem_);              \
        QVERIFY2(press_action_, qPrintable(press_problem_));                                       \
        press_action_->trigger();                                                                  \
    } while (false)

// Double-clicks the control `name` of `window` (a list or grid on its current
// row); fails the test when the control is missing, disabled or hidden.
#define DOUBLE_CLICK(window, name)                                                                 \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QWidget *press_widget_ = press::FindWidget((window), (name), press_problem_);              \
        QVERIFY2(press_widget_, qPrintable(press_problem_));                                       \
        press::DoubleClick(press_widget_);                                                         \
    } while (false)

// Leaves the field `name` of `window` as Tab does; fails the test when the
// field is missing, disabled or hidden.
#define LEAVE_FIELD(window, name)                                                                  \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QWidget *press_widget_ = press::FindWidget((window), (name), press_problem_);              \
        QVERIFY2(press_widget_, qPrintable(press_problem_));                                       \
        press::Leave(press_widget_);                                                               \
    } while (false)

// Types `text` key by key into the field `name` of `window`; fails the test
// when the field is missing, disabled or hidden.
#define TYPE(window, name, text)                                                                   \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QWidget *press_widget_ = press::FindWidget((window), (name), press_problem_);              \
        QVERIFY2(press_widget_, qPrintable(press_problem_));                                       \
        press::Type(press_widget_, (text));                                                        \
    } while (false)

// Replaces the text of the field `name` of `window` as the user does, by
// selecting it and typing over it (deleting it when `text` is empty); fails
// the test when the field is missing, disabled or hidden.
#define RETYPE(window, name, text)                                                                 \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QWidget *press_widget_ = press::FindWidget((window), (name), press_problem_);              \
        QVERIFY2(press_widget_, qPrintable(press_problem_));                                       \
        press::Retype(press_widget_, (text));                                                      \
    } while (false)

// Chooses the entry `text` of the list `name` of `window`; fails the test
// when the list is missing, disabled or hidden, or has no such entry.
#define CHOOSE(window, name, text)                                                                 \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QWidget *press_widget_ = press::FindWidget((window), (name), press_problem_);              \
        QVERIFY2(press_widget_, qPrintable(press_problem_));                                       \
        press_problem_ = press::Choose(press_widget_, (text));                                     \
        QVERIFY2(press_problem_.isEmpty(), qPrintable(press_problem_));                            \
    } while (false)

// Clicks the row `row` of the list or grid `name` of `window`; fails the test
// when the list is missing, disabled or hidden, or has no such row.
#define SELECT_ROW(window, name, row)                                                              \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QWidget *press_widget_ = press::FindWidget((window), (name), press_problem_);              \
        QVERIFY2(press_widget_, qPrintable(press_problem_));                                       \
        press_problem_ = press::SelectRow(press_widget_, (row));                                   \
        QVERIFY2(press_problem_.isEmpty(), qPrintable(press_problem_));                            \
    } while (false)
