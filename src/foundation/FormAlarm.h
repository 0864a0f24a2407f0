#pragma once

#include <QDateTime>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The alarm box: a message that closes itself one tick after its delay, or
// through its close button when that is shown. Two signs appear in turn
// during the countdown. One instance for the whole run, only hidden.
class FormAlarm : public QDialog
{
    Q_OBJECT

public:
    // Width and left edge of the box in twips, from the message and caption.
    // The left edge would centre the box on one fixed line of the screen; the
    // box is shown centred on the window it warns about instead, so only the
    // width is used.
    struct Placement {
        int width;
        int left;
    };
    static Placement PlacementFor(const QString &text, const QString &caption);

    explicit FormAlarm(QWidget *parent = nullptr);

    QLabel *Label1;    // the message
    QLineEdit *MEBZwl; // the delay in seconds, as text
    QTimer *Timer1;    // drives the countdown
    QPushButton *ComZamk;
    QLabel *Picture1;
    QLabel *Picture2;

    // Fills and sizes the box for one alarm (caption, text, delay, close
    // button); ShowAlarm centres it on the window it warns about.
    void Prepare(const QString &text, const QString &caption, int delaySeconds, bool closeButton);

    // One countdown step at the given time; the timer calls it with the clock.
    void Tick(const QDateTime &now);
    quint8 Phase() const { return phase_; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void ComZamk_Click();

    void buildControls();
    void resetCountdown();
    int delayFromBox() const;

    QDateTime startTime_; // invalid while no countdown has begun
    quint8 phase_ = 1;
};
