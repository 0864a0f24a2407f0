#include "platform/ui/NamedControls.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace ui
{

QLineEdit *TextBox(QWidget *parent, const char *name, int maxLength)
{
    return TextBox(parent, QLatin1String(name), maxLength);
}

QLineEdit *TextBox(QWidget *parent, const QString &name, int maxLength)
{
    auto *box = Named(new QLineEdit(parent), name);
    box->setMaxLength(maxLength);
    return box;
}

QPushButton *CommandButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = Named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

QHBoxLayout *ButtonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *button : buttons) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    return row;
}

} // namespace ui
