#include "foundation/FormKalendarz1.h"

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
