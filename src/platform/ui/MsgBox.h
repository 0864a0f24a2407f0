#pragma once

#include <QList>
#include <QString>

#include <memory>

class QMessageBox;

namespace ui
{

// Style numbers: one button set, plus one icon, plus the default button.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;

// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Shows a modal message box and returns the answer. A box without a title
// carries the application's title; a CR in the prompt is a line break. In
// scripted mode the test's queued answer is returned instead.
int MsgBox(const QString &prompt, int buttonsAndIcon = vbOKOnly, const QString &title = {});

// The answers a box of this style offers, in the order of its buttons.
QList<int> MsgBoxAnswers(int buttonsAndIcon);

// The answer that Esc (or closing the box) gives; 0 when the box cannot be
// left that way (Abort/Retry/Ignore).
int MsgBoxEscapeAnswer(int buttonsAndIcon);

// The caption of the button of one answer ("&Tak", "Anuluj" ...).
QString MsgBoxButtonText(int answer);

// The box that MsgBox shows, built and not shown. Each button carries its
// answer in the property "answer".
std::unique_ptr<QMessageBox> CreateMsgBox(const QString &prompt, int buttonsAndIcon,
                                          const QString &title);

// The answer of a box after it has been closed.
int MsgBoxAnswer(const QMessageBox &box, int buttonsAndIcon);

} // namespace ui
