#pragma once

class QWidget;

namespace ui
{

// Shows a window modally and returns when it is hidden, closed or destroyed
// (closing a window only hides it). A window that is already showing is
// brought to the front instead. In scripted mode the window is shown, the
// test's queued action runs on it, and the window is hidden again.
void ShowModal(QWidget &window);

} // namespace ui
