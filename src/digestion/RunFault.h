#pragma once

#include <QString>

// Why a run or tray frame cannot be saved: the box to show and the control
// that gets the focus afterwards.
struct RunFault {
    QString text;
    int style = 0; // message-box style
    QString title; // empty: the application's title
    QString focus; // objectName of the control to focus
};
