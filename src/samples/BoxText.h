#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

// Texts put into boxes by the program rather than typed.

// Lets the box hold the whole text, also when it is longer than the user may
// type there, and gives the text back for the box's setText: a value read
// from a file or proposed reaches the checks as it stands, never cut short.
const QString &Untruncated(QLineEdit *box, const QString &text);

// A multi-line box keeps the line ends of the text it was given: what is read
// back unchanged is the stored text itself, and lines typed or changed end in
// CR LF, as the stored remarks and the order files have them. A lone CR
// shows as a line break.
void SetMemoText(QPlainTextEdit *box, const QString &stored);
QString MemoText(const QPlainTextEdit *box);
