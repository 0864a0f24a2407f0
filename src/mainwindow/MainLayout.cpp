#include "mainwindow/MainLayout.h"

#include <algorithm>
#include <cmath>

void MainLayout::Arrange(Controls &c, const WindowSize &size)
{
    placeButtonColumn(c, size);

    c.Line1X2 = size.FormWidth - c.Line1X1;
    c.Frame1.Top = size.ScaleHeight / 2 - 300;

    c.LabelData.Top = c.ComEnd.Top;
    c.LabMonth.Top = c.LabelData.Top - c.LabMonth.Height - c.LabMonth.Height;

    c.FrameCzekaj.Left = size.FormWidth / 2 - c.FrameCzekaj.Width / 2;
    c.FrameCzekaj.Top = size.FormHeight / 2 - c.FrameCzekaj.Height / 2;
    c.FrameDoWIW.Left = c.FrameCzekaj.Left;
    c.FrameDoWIW.Top = c.FrameCzekaj.Top + c.FrameCzekaj.Height;

    c.LabelVer.Top = c.LabelData.Top + c.LabelData.Height * 3 / 2;
    c.LabelVer.Left = c.LabelData.Left + c.LabelData.Width / 2 - c.LabelVer.Width / 2;

    c.Image1.Left = size.FormWidth / 2 - c.Image1.Width / 2;
}

void MainLayout::placeButtonColumn(Controls &c, const WindowSize &size)
{
    c.Command1.Top = size.ScaleHeight / 2 - 530;
    c.Command1.Left = static_cast<int>(std::lround(size.ScaleWidth * 0.57));
    // A window too short for the column from there (a small screen, or one
    // set to a larger scale) lifts it, so that "Koniec" and the working date
    // beside it stay inside the window.
    int column = 0;
    for (const TwipsRect *button : {&c.Command1, &c.ComPlytki, &c.ComArchiwizacja, &c.ComWysDoWIW,
                                    &c.ComUzytkownik, &c.ComCLab, &c.ComEnd})
        column += button->Height + ButtonGap;
    c.Command1.Top = std::min(c.Command1.Top, size.ScaleHeight - column);

    // The order on screen, top to bottom.
    const int left = c.Command1.Left;
    placeBelow(c.ComPlytki, c.Command1, left);
    placeBelow(c.ComArchiwizacja, c.ComPlytki, left);
    placeBelow(c.ComWysDoWIW, c.ComArchiwizacja, left);
    placeBelow(c.ComUzytkownik, c.ComWysDoWIW, left);
    placeBelow(c.ComCLab, c.ComUzytkownik, left);
    placeBelow(c.ComEnd, c.ComCLab, left);
}

void MainLayout::placeBelow(TwipsRect &button, const TwipsRect &above, int left)
{
    button.Left = left;
    button.Top = above.Top + above.Height + ButtonGap;
}

int MainLayout::TwipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

int MainLayout::PixelsToTwips(int pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}
