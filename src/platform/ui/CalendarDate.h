#pragma once

#include <QDate>
#include <QString>

#include <functional>

namespace ui
{

// The date a calendar picker hands back: the picker's own modal window
// (`showCalendar`) normally, the test's queued date in scripted mode. The
// caption and the preset date are what the picker opens with.
QDate CalendarDate(const QString &caption, const QDate &preset,
                   const std::function<QDate()> &showCalendar);

} // namespace ui
