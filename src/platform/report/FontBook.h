#pragma once

#include "ReportDefinition.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

#include <vector>

namespace report
{

// The fonts of one laid-out document, each once, sized in layout dots.
class FontBook
{
public:
    // The family when a definition names none; it has every Polish letter.
    static QString defaultFamily() { return QStringLiteral("DejaVu Sans"); }
    static constexpr double defaultSize = 9;

    // Unset parts of `font` are taken from `base`.
    static ReportDefinition::Font merged(const ReportDefinition::Font &font,
                                         const ReportDefinition::Font &base);
    int id(const ReportDefinition::Font &font);
    const QFont &font(int id) const { return fonts_.at(std::size_t(id)); }
    const QFontMetricsF &metrics(int id) const { return metrics_.at(std::size_t(id)); }
    const std::vector<QFont> &fonts() const { return fonts_; }

private:
    std::vector<QFont> fonts_;
    std::vector<QFontMetricsF> metrics_;
    QHash<QString, int> ids_;
};

} // namespace report
