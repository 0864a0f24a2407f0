#pragma once

#include <QString>

// Why a sample cannot be saved: the number of the save's check that refused
// it, the box to show and the control that gets the focus afterwards.
struct SampleFault {
    int check = 0;
    QString text;
    int style = 0; // message-box style
    QString title; // empty: the application's title
    QString focus; // objectName of the control to focus
};
