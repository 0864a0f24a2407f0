#pragma once

class QWidget;

namespace ui
{

// Where a window shown modally stands.
enum class Placement {
    // The first showing is centred on its owner (the window active at the
    // call); every later one comes back where the window was last left.
    Kept,
    // Every showing is centred on its owner: for a box whose size changes
    // from one showing to the next.
    CentredOnOwner,
};

// Shows a window modally and returns when it is hidden, closed or destroyed
// (closing a window only hides it). A window that is already showing is
// brought to the front instead. In scripted mode the window is shown, the
// test's queued action runs on it, and the window is hidden again.
void ShowModal(QWidget &window, Placement placement = Placement::Kept);

} // namespace ui
