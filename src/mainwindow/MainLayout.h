#pragma once

// The main window keeps its visible controls in fixed proportions to its own
// size. Positions are computed in twips (1440 to the inch), the window's scale
// unit; only positions change, never sizes.

struct TwipsRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

class MainLayout
{
public:
    // Design sizes that the layout keeps.
    static constexpr int ButtonWidth = 3045;
    static constexpr int ButtonHeight = 495;
    static constexpr int ButtonGap = 165;
    static constexpr int LabelDataWidth = 2220;
    static constexpr int LabelDataHeight = 435;
    static constexpr int LabMonthWidth = 2220;
    static constexpr int LabMonthHeight = 375;

    // The controls the layout moves, with their current positions and sizes.
    struct Controls {
        TwipsRect Command1;        // "Ewidencja próbek"
        TwipsRect ComPlytki;       // "Użytkownik"
        TwipsRect ComArchiwizacja; // "Archiwizacja"
        TwipsRect ComWysDoWIW;     // "Wyślij dane do WIW"
        TwipsRect ComUzytkownik;   // "Zakłady"
        TwipsRect ComCLab;         // "Export do CLab"
        TwipsRect ComEnd;          // "Koniec"
        TwipsRect LabelData;
        TwipsRect LabMonth;
        TwipsRect LabelVer;
        TwipsRect Frame1;
        TwipsRect FrameCzekaj;
        TwipsRect FrameDoWIW;
        TwipsRect Image1;
        int Line1X1 = 0; // left end of the horizontal rule
        int Line1X2 = 0; // right end
    };

    // The window's inner (scale) and outer (form) size in twips.
    struct WindowSize {
        int ScaleWidth = 0;
        int ScaleHeight = 0;
        int FormWidth = 0;
        int FormHeight = 0;
    };

    // Moves the controls for the window size. Each rule reads the positions
    // that the rules before it have just set; nothing is clipped, so a tiny
    // window may put the column above the visible area. The column's bottom
    // (with a gap under "Koniec") never runs below the window.
    static void Arrange(Controls &c, const WindowSize &size);

    // Twips and pixels at the screen's logical resolution (dots per inch).
    static int TwipsToPixels(int twips, double dpi);
    static int PixelsToTwips(int pixels, double dpi);

private:
    static void placeButtonColumn(Controls &c, const WindowSize &size);
    static void placeBelow(TwipsRect &button, const TwipsRect &above, int left);
};
