#include "DialogText.h"

#include <QGuiApplication>
#include <QRegularExpression>

namespace ui
{

QString ScreenText(const QString &text)
{
    QString screen = text;
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    screen.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return screen;
}

QString KeepPathsWhole(const QString &text)
{
    // A drive's path or a network share's, up to the next blank or line end.
    static const QRegularExpression path(QStringLiteral(R"((?<!\w)(?:[A-Za-z]:\\|\\\\)[^\s]*)"));
    // The word joiner is not drawn and forbids a break on either side.
    const QChar joiner(0x2060);
    QString kept;
    qsizetype done = 0;
    QRegularExpressionMatchIterator found = path.globalMatch(text);
    while (found.hasNext()) {
        const QRegularExpressionMatch match = found.next();
        kept += text.mid(done, match.capturedStart() - done);
        const QString whole = match.captured();
        for (qsizetype i = 0; i < whole.size(); ++i) {
            if (i > 0 && !whole.at(i).isLowSurrogate())
                kept += joiner;
            kept += whole.at(i);
        }
        done = match.capturedEnd();
    }
    return kept + text.mid(done);
}

QString DialogTitle(const QString &title)
{
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

} // namespace ui
