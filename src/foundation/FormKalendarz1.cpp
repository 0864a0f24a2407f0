#include "foundation/FormKalendarz1.h"

#include "platform/ui/CalendarDate.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QCalendarWidget>
#include <QVBoxLayout>

FormKalendarz1::FormKalendarz1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormKalendarz1"));
    Kalendarz1 = new QCalendarWidget(this);
    Kalendarz1->setObjectName(QStringLiteral("Kalendarz1"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Kalendarz1);
    connect(Kalendarz1, &QCalendarWidget::clicked, this, &QWidget::hide);
    connect(Kalendarz1, &QCalendarWidget::activated, this, &QWidget::hide);
    Form_Load();
}

void FormKalendarz1::Form_Load()
{
    Kalendarz1->setSelectedDate(QDate::currentDate());
}

QDate FormKalendarz1::PickPast(const std::optional<QDate> &preset, const QString &caption)
{
    FormKalendarz1 &window = ui::WindowRegistry::Instance<FormKalendarz1>();
    if (preset)
        window.Kalendarz1->setSelectedDate(*preset);
    const QDate opened = window.Kalendarz1->selectedDate();
    window.setWindowTitle(caption);
    const QDate picked = ui::CalendarDate(caption, opened, [&window] {
        ui::ShowModal(window);
        return window.Kalendarz1->selectedDate();
    });
    window.Kalendarz1->setSelectedDate(picked);
    if (picked <= QDate::currentDate())
        return picked;
    ui::MsgBox(QStringLiteral("Nie możesz wybrać daty późniejszej\rod dnia dzisiejszego!"),
               ui::vbExclamation, QStringLiteral("DATA"));
    // The refused day is not handed on: the caller keeps the date it had.
    window.Kalendarz1->setSelectedDate(opened);
    return opened;
}
