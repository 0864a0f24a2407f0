#pragma once

#include <QString>

namespace ui
{

// Asks for one line of text in a modal box with "OK" and "Anuluj"; returns the
// text, or "" when the user cancels. In scripted mode the queued answer.
QString InputBox(const QString &prompt, const QString &title = {}, const QString &defaultText = {});

} // namespace ui
