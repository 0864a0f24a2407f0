#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QListWidget;

// The hour-and-minute picker (PickTime). Enter in the hours moves on to the
// minutes; a double click or a key in the minutes closes it, once an hour is
// chosen.
class FormZegar : public QDialog
{
    Q_OBJECT

public:
    explicit FormZegar(QWidget *parent = nullptr);

    // Shown modally with the hour (when given) and the minute preselected;
    // the chosen "HH:MM" (the first item of a list without a choice).
    static QString Pick(const std::optional<QString> &hour, const QString &minute);

    QListWidget *ListGodz; // "00" .. "23"
    QListWidget *ListMin;  // "00" .. "59"
    QLabel *Label1;

    void reject() override;

    // Selects the list item of that text; false (selection kept) when none.
    static bool SelectItem(QListWidget *list, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void ListGodz_KeyPress(int keyAscii);
    void ListMin_DblClick();
    void ListMin_KeyPress(int keyAscii);

    void closeWhenHourChosen();
};
