#pragma once

#include <QString>

namespace ui
{

// The register writes line breaks in its messages as CR ("\r", also CR LF);
// this is the text as the screen shows it.
QString ScreenText(const QString &text);

// A text whose paths ("T:\Dane\2024", "C:\MervaskLab\Eksport") are never
// broken across lines: a wrapped line breaks before or after a path, not
// after its drive letter or inside it.
QString KeepPathsWhole(const QString &text);

// A box or dialog without a title carries the application's title.
QString DialogTitle(const QString &title);

} // namespace ui
