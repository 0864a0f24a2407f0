#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

// Presses a window's control the way the user does, and fails the calling
// test when the control is missing, disabled or hidden: a button that was
// never wired or cannot be reached must not pass as pressed.
namespace press
{

// The control named `name` inside `window`, or nullptr after a failed QVERIFY
// in the caller (use through the macros below).
inline QAbstractButton *FindButton(QWidget *window, const char *name, QString &problem)
{
    auto *button = window->findChild<QAbstractButton *>(QLatin1String(name));
    if (!button)
        problem =
            QStringLiteral("no control %1 in %2").arg(QLatin1String(name), window->objectName());
    else if (!button->isEnabled())
        problem = QStringLiteral("%1 is disabled").arg(QLatin1String(name));
    else if (!button->isVisibleTo(window))
        problem = QStringLiteral("%1 is hidden").arg(QLatin1String(name));
    else
        return button;
    return nullptr;
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
    else
        return action;
    return nullptr;
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
// missing, disabled or hidden.
#define TRIGGER_MENU(window, name)                                                                 \
    do {                                                                                           \
        QString press_problem_;                                                                    \
        QAction *press_action_ = press::FindAction((window), (name), press_problem_);              \
        QVERIFY2(press_action_, qPrintable(press_problem_));                                       \
        press_action_->trigger();                                                                  \
    } while (false)
