#pragma once

#include <QDialog>

class QCalendarWidget;

// The calendar for a date up to today (PickPastDate). It closes on a day
// picked with the mouse or on Enter in the calendar.
class FormKalendarz1 : public QDialog
{
    Q_OBJECT

public:
    explicit FormKalendarz1(QWidget *parent = nullptr);

    QCalendarWidget *Kalendarz1;

    void Form_Load();
};
