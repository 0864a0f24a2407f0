#include "foundation/FormAlarm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace
{

constexpr int TwipsPerPixel = 15;
constexpr int MinimumWidth = 3180;
constexpr int MaximumWidth = 10000;
constexpr int CentreLine = 5800;
constexpr int BoxHeight = 2100;
constexpr int TickMilliseconds = 250;

} // namespace

FormAlarm::Placement FormAlarm::PlacementFor(const QString &text, const QString &caption)
{
    // The shorter of the two sets the width.
    const qsizetype characters = text.size() > caption.size() ? caption.size() : text.size();
    const int width = std::clamp(int(characters) * 200 + 600, MinimumWidth, MaximumWidth);
    return {width, CentreLine - width / 2};
}

FormAlarm::FormAlarm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAlarm"));
    buildControls();
    connect(Timer1, &QTimer::timeout, this, &FormAlarm::Timer1_Timer);
    connect(ComZamk, &QPushButton::clicked, this, &FormAlarm::ComZamk_Click);
    Form_Load();
}

void FormAlarm::buildControls()
{
    setModal(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    MEBZwl = new QLineEdit(this);
    MEBZwl->setObjectName(QStringLiteral("MEBZwl"));
    MEBZwl->setVisible(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TickMilliseconds);
    ComZamk = new QPushButton(QStringLiteral("&Zamknij"), this);
    ComZamk->setObjectName(QStringLiteral("ComZamk"));
    ComZamk->setAutoDefault(false);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32));
    Picture1->setVisible(false);
    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32));
    Picture2->setVisible(false);

    auto *signs = new QHBoxLayout;
    signs->addWidget(Picture2);
    signs->addStretch();
    signs->addWidget(Picture1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 1);
    layout->addLayout(signs);
    layout->addWidget(ComZamk, 0, Qt::AlignHCenter);
    layout->addWidget(MEBZwl);
}

void FormAlarm::Prepare(const QString &text, const QString &caption, int delaySeconds,
                        bool closeButton)
{
    const Placement placement = PlacementFor(text, caption);
    setWindowTitle(caption);
    Label1->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    MEBZwl->setText(QString::number(delaySeconds));
    ComZamk->setVisible(closeButton);
    setFixedWidth(placement.width / TwipsPerPixel);
    setMinimumHeight(BoxHeight / TwipsPerPixel);
}

void FormAlarm::Form_Load()
{
    resetCountdown();
}

void FormAlarm::Timer1_Timer()
{
    Tick(QDateTime::currentDateTime());
}

void FormAlarm::Tick(const QDateTime &now)
{
    const int delay = delayFromBox();
    if (!isVisible())
        return;
    if (!startTime_.isValid())
        startTime_ = now;
    const qint64 seconds = startTime_.secsTo(now);
    switch (phase_) {
    case 1:
        if (seconds >= 1) {
            phase_ = 2;
            Picture2->setVisible(true);
        }
        break;
    case 2:
        if (seconds > delay) {
            phase_ = 3;
            Picture1->setVisible(true);
        }
        break;
    default:
        hide();
        break;
    }
}

void FormAlarm::ComZamk_Click()
{
    hide();
}

int FormAlarm::delayFromBox() const
{
    // An empty box counts as one second; so does a text that is no number.
    bool ok = false;
    const int delay = MEBZwl->text().trimmed().toInt(&ok);
    return ok ? delay : 1;
}

void FormAlarm::resetCountdown()
{
    phase_ = 1;
    startTime_ = QDateTime();
    Picture1->setVisible(false);
    Picture2->setVisible(false);
}

void FormAlarm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Timer1->start();
}

void FormAlarm::hideEvent(QHideEvent *event)
{
    // Whatever closed the box, the next alarm starts its countdown afresh.
    Timer1->stop();
    resetCountdown();
    QDialog::hideEvent(event);
}

void FormAlarm::keyPressEvent(QKeyEvent *event)
{
    // The box has no cancel key: it closes by its delay or its button.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
