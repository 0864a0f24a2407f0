#pragma once

#include <QLatin1String>
#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui
{

// Gives a control the name by which the windows' code and tests find it.
template <class W> W *Named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

template <class W> W *Named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// A named text box that takes at most maxLength characters.
QLineEdit *TextBox(QWidget *parent, const char *name, int maxLength);
QLineEdit *TextBox(QWidget *parent, const QString &name, int maxLength);

// A named command button that Enter in a text box never presses.
QPushButton *CommandButton(QWidget *parent, const char *name, const QString &caption);

// The command buttons of a window's bottom edge, in order, kept to the right;
// Enter in a text box presses none of them.
QHBoxLayout *ButtonRow(std::initializer_list<QPushButton *> buttons);

} // namespace ui
