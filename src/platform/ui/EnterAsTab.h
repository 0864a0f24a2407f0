#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace ui
{

// Enter (or Return) in a text box or a pick list of one window moves the focus
// to the next control, as Tab does. Multi-line boxes keep Enter as a new line.
// The filter lives as long as the window that it was made for.
class EnterAsTab : public QObject
{
public:
    explicit EnterAsTab(QWidget *window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> window_;
};

// Enter on a focused command button presses it, as Space does, in every
// window of the application, without making any button a default: a chain of
// fields that Enter walks through ends on its button, and the next Enter
// presses that. Installed once for the application; further calls do nothing.
void InstallButtonEnter();

} // namespace ui
