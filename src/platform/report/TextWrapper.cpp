#include "TextWrapper.h"

#include <QTextLayout>
#include <QTextOption>

namespace report
{

QString TextWrapper::normalizedBreaks(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(u'\t', u' ');
    return t;
}

QList<TextWrapper::Line> TextWrapper::wrap(const QString &text, const QFont &font, double width)
{
    QList<Line> lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString &paragraph : normalizedBreaks(text).split(u'\n')) {
        if (paragraph.isEmpty()) {
            lines.append(Line{});
            continue;
        }
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            const QString part = paragraph.mid(line.textStart(), line.textLength());
            lines.append(
                Line{part.trimmed().isEmpty() ? QString() : part, line.naturalTextWidth()});
        }
        layout.endLayout();
    }
    return lines;
}

} // namespace report
