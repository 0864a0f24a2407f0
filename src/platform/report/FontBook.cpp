#include "FontBook.h"

#include "Units.h"

#include <cmath>

namespace report
{

ReportDefinition::Font FontBook::merged(const ReportDefinition::Font &font,
                                        const ReportDefinition::Font &base)
{
    ReportDefinition::Font f = base;
    if (!font.family.isEmpty())
        f.family = font.family;
    if (font.size > 0)
        f.size = font.size;
    if (font.bold)
        f.bold = font.bold;
    if (font.italic)
        f.italic = font.italic;
    return f;
}

int FontBook::id(const ReportDefinition::Font &wanted)
{
    const QString family = wanted.family.isEmpty() ? defaultFamily() : wanted.family;
    const double size = wanted.size > 0 ? wanted.size : defaultSize;
    const bool bold = wanted.bold.value_or(false);
    const bool italic = wanted.italic.value_or(false);
    const QString key = QStringLiteral("%1|%2|%3|%4").arg(family).arg(size).arg(bold).arg(italic);
    const auto it = ids_.constFind(key);
    if (it != ids_.constEnd())
        return *it;
    QFont font(family);
    // Pixel sizes in layout dots, so that the drawing scale alone maps the page
    // to the device, with no second scaling by the device's resolution.
    font.setPixelSize(int(std::lround(units::pt(size))));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    fonts_.push_back(font);
    metrics_.emplace_back(font);
    const int id = int(fonts_.size()) - 1;
    ids_.insert(key, id);
    return id;
}

} // namespace report
