#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;
class QPushButton;

// The calendar for any date (PickDate). It closes on a day picked with the
// mouse, on Enter, on either button and on any key; each way hands back the
// calendar's value, so there is no cancelling.
class FormKalendarz : public QDialog
{
    Q_OBJECT

public:
    explicit FormKalendarz(QWidget *parent = nullptr);

    // Shown modally under the caption, preset to `preset` when given (else
    // keeping its value); the calendar's value when it closes.
    static QDate Pick(const std::optional<QDate> &preset, const QString &caption);

    QCalendarWidget *Kalendarz;
    QPushButton *Command1;
    QPushButton *Command2;

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
};
