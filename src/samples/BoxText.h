#pragma once

#include <QString>

class QLineEdit;
class QPlainTextEdit;

// Texts put into boxes by the program rather than typed.

// The whole text, also when it is longer than the box lets the user type: a
// value read from a file or proposed must reach the checks as it stands.
void SetWholeText(QLineEdit *box, const QString &text);

// A multi-line box keeps the line ends of the text it was given: what is read
// back unchanged is the stored text itself, and lines typed or changed end in
// CR LF, as the stored remarks and the order files have them. A lone CR
// shows as a line break.
void SetMemoText(QPlainTextEdit *box, const QString &stored);
QString MemoText(const QPlainTextEdit *box);
