#pragma once

#include <QLocale>

namespace ui
{

// Qt's own dialogs (file, print, the standard buttons) in the workstation's
// language, as the old program's common dialogs followed the system's. Loads
// Qt's translation for the locale into the running application; false when
// none is installed for it (the dialogs then stay in English).
bool InstallQtTranslation(const QLocale &locale = QLocale());

} // namespace ui
