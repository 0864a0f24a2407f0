#pragma once

#include <QString>

// Why a register's edit frame cannot be saved: the box to show and where the
// focus goes afterwards.
struct RegisterFault {
    QString text;
    int style = 0; // message-box style
    QString title; // empty: the application's title
    QString focus; // objectName of the control to focus; empty: unchanged
};
