#pragma once

namespace ui
{

// Keystrokes sent to whichever control has the focus once the current event
// has been handled, as the old platform's queued keystrokes were: the handler
// that sends them finishes first (and may move the focus) before they arrive.

// "{TAB}": the focus moves to the next control in tab order.
void SendTab();
// "{Home}+{End}": the whole text of the focused box is selected.
void SendHomeShiftEnd();
// "{End}": the cursor goes to the end of the text.
void SendEnd();
// "{BACKSPACE}": the character before the cursor (or the selection) is removed.
void SendBackspace();

} // namespace ui
