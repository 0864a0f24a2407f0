#include "CalendarDate.h"

#include "ScriptedUi.h"
#include "ShownDialog.h"

namespace ui
{

QDate CalendarDate(const QString &caption, const QDate &preset,
                   const std::function<QDate()> &showCalendar)
{
    if (ScriptedUi *script = ScriptedUi::Current()) {
        ShownDialog shown;
        shown.kind = ShownDialog::Calendar;
        shown.title = caption;
        shown.date = preset;
        return script->TakeDate(shown);
    }
    return showCalendar();
}

} // namespace ui
