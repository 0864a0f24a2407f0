#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace ui
{

// What a window keeps of its own on the controls that it lists for
// EnterAsTab.
struct EnterAsTabOptions {
    // Controls of the list on which Enter is left to the control and the
    // window, as on any control that is not listed.
    QList<QWidget *> leaveEnter;
    // A listed box reached by Tab, Shift+Tab or a shortcut gets the focus
    // with the caret where it was, instead of all its text selected, so
    // that a key typed next does not replace it.
    bool keepCaret = false;
    // Controls that Enter passes over: the picker button beside a date or an
    // hour box is reached by Tab and the mouse, while Enter goes on to the
    // next box, so that a date typed and Enter, then an hour, lands in the
    // hour's box.
    QList<QWidget *> passOver;
};

// Enter (or Return) in a text box or a pick list of one window moves the focus
// to the next control, as Tab does. Multi-line boxes keep Enter as a new line.
// The filter lives as long as the window that it was made for.
class EnterAsTab : public QObject
{
public:
    explicit EnterAsTab(QWidget *window);
    // Enter on one of the listed controls (one-line boxes, pick lists or a
    // pick list's box) moves on as a Tab typed after it would: the Tab is
    // sent to the focused control once the Enter has been handled. The filter
    // lives as long as owner.
    EnterAsTab(QObject *owner, const QList<QWidget *> &controls, EnterAsTabOptions options = {});

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool listedEvent(QObject *watched, QEvent *event);

    QPointer<QWidget> window_;
    bool listed_ = false;
    QList<QWidget *> leaveEnter_;
    bool keepCaret_ = false;
    QList<QWidget *> passOver_;
};

// Enter on a focused command button presses it, as Space does, in every
// window of the application, without making any button a default: a chain of
// fields that Enter walks through ends on its button, and the next Enter
// presses that. Installed once for the application; further calls do nothing.
void InstallButtonEnter();

} // namespace ui
