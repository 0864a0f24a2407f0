#pragma once

#include <QMargins>

class QWidget;

namespace ui
{

// The frame a window manager draws around a top-level window: the frame it
// has, once it has been framed; before that a title bar and thin borders
// as a desktop draws them, so that a first showing is not larger than the
// screen either.
QMargins WindowFrame(const QWidget &window);

// Makes a top-level window no larger than the free area of its screen (the
// screen less the taskbar), its frame included, and moves it into that area,
// so that none of its controls is off the screen. A maximised window is left
// to the window manager.
void FitOnScreen(QWidget &window);

// A frame laid over a list and placed by its window rather than by a layout:
// each time it is shown it grows to what its rows need with the caption it
// has by then (the caption takes a line of its own), keeping its middle, and
// stays inside its window.
void FitFrameOnShow(QWidget *frame);

} // namespace ui
