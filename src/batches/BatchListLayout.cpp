#include "batches/BatchListLayout.h"

#include <algorithm>
#include <cmath>

namespace
{

void centre(QRect &frame, int width, int height)
{
    frame.moveTo(width / 2 - frame.width() / 2, height / 2 - frame.height() / 2);
}

// The button stands in the row of `right`, left of it by the gap.
void leftOf(QRect &button, const QRect &right, int gap)
{
    button.moveTo(right.left() - button.width() - gap, right.top());
}

} // namespace

int BatchListLayout::Gap(const QRect &closeButton)
{
    return int(std::lround(closeButton.width() / 25.0));
}

void BatchListLayout::Arrange(Controls &c, int width, int height)
{
    const int gap = Gap(c.ComZamk);
    centre(c.FramePartia, width, height);
    c.DTPData.moveLeft(width - c.ComZamk.width() - RightMargin);
    c.LabDataDTP.moveLeft(c.DTPData.left());
    c.ComZamk.moveTo(width - c.ComZamk.width() - RightMargin,
                     int(std::lround(height - 2.6 * c.ComZamk.height())));
    leftOf(c.ComEdytuj, c.ComZamk, gap);
    leftOf(c.ComSzukaj, c.ComEdytuj, gap);
    leftOf(c.ComDrukuj, c.ComSzukaj, gap);
    leftOf(c.ComWczytPart, c.ComDrukuj, gap);
    leftOf(c.ComNastawienie, c.ComWczytPart, gap);
    c.ComDodajPr.moveTo(c.ComZamk.left(), c.ComZamk.top() - gap - c.ComDodajPr.height());
    leftOf(c.ComPopraw, c.ComDodajPr, gap);
    leftOf(c.ComUsun, c.ComPopraw, gap);
    c.DataPartia.moveTo(c.DBGridPartia.left(), c.ComDodajPr.top());
    // A window too small for the rules keeps an empty grid rather than a
    // negative one.
    c.DBGridPartia.setSize(
        {std::max(0, width - 600),
         std::max(0, int(std::lround(c.ComZamk.top() - 3.4 * c.ComZamk.height())))});
    centre(c.FrameSzukaj, width, height);
    c.CheckWczyt.moveTo(c.ComWczytPart.left(), c.ComUsun.top());
}

int BatchListLayout::ToPixels(int twips)
{
    return int(std::lround(twips / double(TwipsPerPixel)));
}

int BatchListLayout::ToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

QRect BatchListLayout::ToPixels(const QRect &twips)
{
    return {ToPixels(twips.left()), ToPixels(twips.top()), ToPixels(twips.width()),
            ToPixels(twips.height())};
}

QRect BatchListLayout::ToTwips(const QRect &pixels)
{
    return {ToTwips(pixels.left()), ToTwips(pixels.top()), ToTwips(pixels.width()),
            ToTwips(pixels.height())};
}
