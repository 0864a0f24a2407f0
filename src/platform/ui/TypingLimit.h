#pragma once

class QLineEdit;

namespace ui
{

// Refuses typing that would make the box's text longer than `length`; of a
// paste or a drop, what fits is kept. A text put in whole by the program (a
// stored value, an entry chosen from a list) is kept as it is: the save then
// judges it, instead of a box that cuts it without a word. Deleting shortens
// it; what is typed into it stays only as far as the rest leaves room.
void LimitTyping(QLineEdit *box, int length);

} // namespace ui
