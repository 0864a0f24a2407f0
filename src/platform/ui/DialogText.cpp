#include "DialogText.h"

#include <QGuiApplication>

namespace ui
{

QString ScreenText(const QString &text)
{
    QString screen = text;
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    screen.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return screen;
}

QString DialogTitle(const QString &title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

} // namespace ui
