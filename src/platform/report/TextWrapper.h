#pragma once

#include <QFont>
#include <QList>
#include <QString>

namespace report
{

// Breaks a text into the lines that fit a width. CR, CR LF and LF all end a
// line; an empty text is one empty line.
class TextWrapper
{
public:
    struct Line {
        QString text;
        double width = 0;
    };

    static QList<Line> wrap(const QString &text, const QFont &font, double width);
    static QString normalizedBreaks(const QString &text);
};

} // namespace report
