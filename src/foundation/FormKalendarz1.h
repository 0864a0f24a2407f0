#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;

// The calendar for a date up to today (PickPastDate). It closes on a day
// picked with the mouse or on Enter in the calendar.
class FormKalendarz1 : public QDialog
{
    Q_OBJECT

public:
    explicit FormKalendarz1(QWidget *parent = nullptr);

    // Like FormKalendarz::Pick for a date up to today: a later date is refused
    // with the "DATA" warning and the date the calendar opened with is given
    // back instead.
    static QDate PickPast(const std::optional<QDate> &preset, const QString &caption);

    QCalendarWidget *Kalendarz1;

private:
    void Form_Load();
};
