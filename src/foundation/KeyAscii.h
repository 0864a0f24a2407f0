#pragma once

#include <QKeyEvent>

// The character code of a key press as the old KeyPress event saw it: the
// keys that type a character, Enter, Esc and Backspace give their code; Tab,
// arrows, function and modifier keys give 0 (they raise no KeyPress).
inline int KeyAscii(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return 13;
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return 0;
    return text.at(0).unicode();
}
