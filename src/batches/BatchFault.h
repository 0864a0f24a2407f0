#pragma once

#include <QString>

// Why the batch frame cannot be saved: the box to show and where the focus
// goes afterwards.
struct BatchFault {
    QString text;
    int style = 0;          // message-box style
    QString title;          // empty: the application's title
    QString focus;          // objectName of the control to focus; empty: unchanged
    bool selectAll = false; // the focused box's whole text is selected too
};
