#pragma once

#include "foundation/Refusal.h"
#include "platform/RuntimeError.h"

#include <QString>

#include <functional>

class QWidget;

// The shared ways of telling the user something. All boxes are modal and go
// through the message-box seam of the platform, so tests answer them.

// The error report: a box, style 48, whose text is the error's number directly
// followed by its description, under the given caption. Without an error
// argument it reports the exception being handled (call it inside a catch
// block); outside one it shows the number 0, as an empty error would.
void ShowError(const QString &caption, const RuntimeError &error);
void ShowError(const QString &caption);

// The one error trap of the windows' handlers: runs the action; a run-time
// error first lets `restore` put the window back into a consistent state
// (no half-open frame, no pending edit), then is reported through ShowError
// under the caption. True when the action ran through.
bool TrapErrors(const QString &caption, const std::function<void()> &action,
                const std::function<void()> &restore = {});

// The information box (style 64) and the warning box (style 48), OK only.
void ShowInfo(const QString &text, const QString &caption);
void ShowWarning(const QString &text, const QString &caption);

// A rule's refusal: its box, then the focus into the control of `window` that
// it names, when there is one that can take it, with the text selected when
// the refusal asks for that.
void ShowRefusal(QWidget &window, const Refusal &refusal);

// The alarm box FormAlarm: sized from the text and caption, closed by its button
// (when shown) or by itself one tick after the delay; a beep follows.
void ShowAlarm(const QString &text, const QString &caption, int delaySeconds, bool closeButton);

// Moves the focus to the next control in tab order, as a Tab key would.
void SendTab();
