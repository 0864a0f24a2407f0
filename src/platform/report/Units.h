#pragma once

namespace report
{

// Pages are laid out in dots of 1/1200 inch, whatever they are drawn on later.
namespace units
{
inline constexpr double dotsPerInch = 1200.0;
inline constexpr double dotsPerMm = dotsPerInch / 25.4;
inline constexpr double dotsPerPoint = dotsPerInch / 72.0;

constexpr double mm(double millimetres)
{
    return millimetres * dotsPerMm;
}
constexpr double pt(double points)
{
    return points * dotsPerPoint;
}
} // namespace units

} // namespace report
