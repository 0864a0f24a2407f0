#pragma once

class QMenuBar;

namespace ui
{

// F10 takes the keyboard to the menu bar's first title, as Alt does, and F10
// again leaves it; the arrows and Enter then work the menus. The title the
// keyboard is on is shown highlighted.
void MenuBarOnF10(QMenuBar *bar);

} // namespace ui
