#include "Document.h"

#include "Units.h"

#include <QMap>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace report
{

void Document::Page::append(const Page &other, double dy)
{
    for (TextRun t : other.texts) {
        t.baseline.ry() += dy;
        texts.push_back(std::move(t));
    }
    for (Line l : other.lines) {
        l.line.translate(0, dy);
        lines.push_back(l);
    }
    for (Picture p : other.pictures) {
        p.rect.translate(0, dy);
        pictures.push_back(std::move(p));
    }
}

void Document::paintPage(int index, QPainter &painter, const QPaintDevice &device) const
{
    const Page &page = pages.at(std::size_t(index));
    painter.save();
    painter.scale(device.logicalDpiX() / units::dotsPerInch,
                  device.logicalDpiY() / units::dotsPerInch);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Line &l : page.lines) {
        QPen pen(Qt::black, l.width);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(l.line);
    }
    for (const Picture &p : page.pictures)
        painter.drawImage(p.rect, p.image);
    painter.setPen(Qt::black);
    for (const TextRun &t : page.texts) {
        painter.setFont(fonts.at(std::size_t(t.font)));
        painter.drawText(t.baseline, t.text);
    }
    painter.restore();
}

QString Document::pageText(int index) const
{
    // Runs on one base line (within a tenth of a millimetre) form one line.
    QMap<qint64, std::vector<const TextRun *>> rows;
    for (const TextRun &t : pages.at(std::size_t(index)).texts)
        rows[std::llround(t.baseline.y() / units::mm(0.1))].push_back(&t);
    QStringList lines;
    for (auto &row : rows) {
        std::sort(row.begin(), row.end(), [](const TextRun *a, const TextRun *b) {
            return a->baseline.x() < b->baseline.x();
        });
        QStringList parts;
        for (const TextRun *t : row)
            parts.append(t->text.trimmed());
        lines.append(parts.join(u' '));
    }
    return lines.join(u'\n');
}

} // namespace report
