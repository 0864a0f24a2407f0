#include "foundation/FormKalendarz.h"

#include "platform/ui/CalendarDate.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include "foundation/KeyAscii.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

FormKalendarz::FormKalendarz(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormKalendarz"));
    Kalendarz = new QCalendarWidget(this);
    Kalendarz->setObjectName(QStringLiteral("Kalendarz"));
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("&Zamknij"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *button : {Command1, Command2}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, &QWidget::hide);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Kalendarz);
    layout->addLayout(buttons);

    connect(Kalendarz, &QCalendarWidget::clicked, this, &QWidget::hide);
    connect(Kalendarz, &QCalendarWidget::activated, this, &QWidget::hide);
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    Form_Load();
}

void FormKalendarz::Form_Load()
{
    Kalendarz->setSelectedDate(QDate::currentDate());
}

void FormKalendarz::reject()
{
    hide();
}

bool FormKalendarz::eventFilter(QObject *watched, QEvent *event)
{
    // Any key that types a character (Enter and Esc too) closes the window;
    // the arrows still move through the days.
    if (event->type() == QEvent::KeyPress && KeyAscii(static_cast<QKeyEvent *>(event)) != 0) {
        hide();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QDate FormKalendarz::Pick(const std::optional<QDate> &preset, const QString &caption)
{
    FormKalendarz &window = ui::WindowRegistry::Instance<FormKalendarz>();
    if (preset)
        window.Kalendarz->setSelectedDate(*preset);
    const QDate opened = window.Kalendarz->selectedDate();
    window.setWindowTitle(caption);
    const QDate picked = ui::CalendarDate(caption, opened, [&window] {
        ui::ShowModal(window);
        return window.Kalendarz->selectedDate();
    });
    window.Kalendarz->setSelectedDate(picked);
    return picked;
}
