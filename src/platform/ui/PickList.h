#pragma once

#include <functional>

class QComboBox;
class QObject;
class QWidget;

namespace ui
{

// An editable pick list named `name`; what is typed is not added to its
// entries. However long its entries, they never widen it nor the frame it
// lies in: it asks for room for a text box's worth of characters and takes
// what its layout gives it. A longer entry scrolls in its box, is read from
// its start when the user is not typing in it, and shows whole in its open
// list.
QComboBox *PickList(QWidget *parent, const char *name);

// A pick in a pick list is the user's choice of an entry: a click or Enter in
// its open list, Enter in its box, or an arrow key on the closed list. Qt also
// reports leaving the box as a pick when its text matches an entry that is not
// the current one (Tab, a click elsewhere, another window coming up); that is
// no choice, and `onPick` does not run for it; it gets the entry's index.
// `context` ends the connection.
void OnPick(QComboBox *list, QObject *context, const std::function<void(int)> &onPick);

// A pick moves the focus to the next field, as Tab does.
void PickMovesOn(QComboBox *list);

} // namespace ui
