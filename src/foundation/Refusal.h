#pragma once

#include <QString>

// A rule refused what the user asked for: the box to show and the control
// that gets the focus afterwards. Every field has a default so that a
// refusal can be built with designated initialisers naming only what it
// sets.
struct Refusal {
    QString text = {};
    int style = 0;          // message-box style
    QString title = {};     // empty: the application's title
    QString focus = {};     // objectName of the control to focus; empty: unchanged
    bool selectAll = false; // the focused box's whole text is selected too
    int check = 0;          // the number of the check that refused, where a window numbers them
};

// How a window's save ended: written; refused by a rule (the refusal was
// shown); or failed with a run-time error (reported).
enum class SaveOutcome { Saved, Refused, Failed };
