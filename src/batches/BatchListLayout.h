#pragma once

#include <QRect>

// The batch window's layout rules, in twips (15 to a pixel at the usual 96
// dots per inch): the frames centred, two rows of buttons at the bottom right
// built leftwards from "&Zamknij", and the grid filling the rest.
class BatchListLayout
{
public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int RightMargin = 650;
    static constexpr int GridLeft = 180;
    static constexpr int GridTop = 630;

    // Every control the rules move, with its current place and size.
    struct Controls {
        QRect FramePartia;
        QRect FrameSzukaj;
        QRect DTPData;
        QRect LabDataDTP;
        QRect ComZamk;
        QRect ComEdytuj;
        QRect ComSzukaj;
        QRect ComDrukuj;
        QRect ComWczytPart;
        QRect ComNastawienie;
        QRect ComDodajPr;
        QRect ComPopraw;
        QRect ComUsun;
        QRect DataPartia;
        QRect DBGridPartia;
        QRect CheckWczyt;
    };

    // Applies the rules for a window of the outer size W x H, each rule
    // reading what the rules before it set. Sizes stay as they are, except the
    // grid's, which is never made negative.
    static void Arrange(Controls &c, int width, int height);

    // The space between two buttons: the width of "&Zamknij" / 25, rounded.
    static int Gap(const QRect &closeButton);

    static int ToPixels(int twips);
    static int ToTwips(int pixels);
    static QRect ToPixels(const QRect &twips);
    static QRect ToTwips(const QRect &pixels);
};
