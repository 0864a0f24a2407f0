#pragma once

#include <QDate>
#include <QString>

namespace ui
{

// One dialog as the scripted seam recorded it.
struct ShownDialog {
    enum Kind { Message, Input, OpenFile, SaveFile, Calendar, Window };

    Kind kind = Message;
    QString text;   // the prompt as passed (CR kept); a window's objectName
    QString title;  // the caption the dialog carried
    int style = 0;  // message boxes: buttons + icon + default button
    QString value;  // input box default; file dialogs the proposed name
    QString filter; // file dialogs: "Opis (*.txt)|*.txt|..."
    int filterIndex = 0;
    QDate date;     // calendar: the preset date
    QString answer; // what the dialog returned, as text ("" for a cancel)

    int Buttons() const { return style & 0x7; }
    int Icon() const { return style & 0x70; }
    int DefaultButton() const { return style & 0x300; }
};

} // namespace ui
