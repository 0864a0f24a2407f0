#include "WindowFit.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui
{

namespace
{

// Borders of a frame not yet drawn, and the least height of its title bar
// in lines of the title's text.
constexpr int ExpectedBorder = 4;
constexpr int TitleLines = 2;

QRect FreeArea(const QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

class FrameFitter : public QObject
{
public:
    explicit FrameFitter(QWidget *frame) : QObject(frame), frame_(frame)
    {
        frame_->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == frame_ && event->type() == QEvent::Show)
            Fit();
        return false;
    }

private:
    void Fit()
    {
        const QWidget *parent = frame_->parentWidget();
        // A layout that holds the frame sizes it itself.
        if (!parent || (parent->layout() && parent->layout()->indexOf(frame_) >= 0))
            return;
        frame_->ensurePolished();
        const QSize needed = frame_->sizeHint()
                                 .expandedTo(frame_->minimumSizeHint())
                                 .expandedTo(frame_->minimumSize());
        QRect place = frame_->geometry();
        const QPoint middle = place.center();
        place.setSize(place.size().expandedTo(needed));
        if (frame_->hasHeightForWidth())
            place.setHeight(std::max(place.height(), frame_->heightForWidth(place.width())));
        if (place.size() == frame_->size())
            return;
        place.moveLeft(middle.x() - place.width() / 2);
        // It keeps its top unless it would run out at the bottom.
        const QRect room = parent->rect();
        place.moveLeft(std::clamp(place.left(), 0, std::max(0, room.width() - place.width())));
        place.moveTop(std::clamp(place.top(), 0, std::max(0, room.height() - place.height())));
        frame_->setGeometry(place);
    }

    QWidget *frame_;
};

} // namespace

QMargins WindowFrame(const QWidget &window)
{
    if (const QWindow *handle = window.windowHandle()) {
        const QMargins framed = handle->frameMargins();
        if (!framed.isNull())
            return framed;
    }
    const int title = std::max(window.style()->pixelMetric(QStyle::PM_TitleBarHeight),
                               QFontMetrics(QGuiApplication::font()).height() * TitleLines);
    return {ExpectedBorder, title + ExpectedBorder, ExpectedBorder, ExpectedBorder};
}

void FitOnScreen(QWidget &window)
{
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect free = FreeArea(window);
    if (free.isEmpty())
        return;
    const QMargins frame = WindowFrame(window);
    const QSize room = free.size().shrunkBy(frame);
    if (window.width() > room.width() || window.height() > room.height()) {
        // A size taken from the content stays one: the next showing measures
        // the content again.
        const bool resized = window.testAttribute(Qt::WA_Resized);
        window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
        window.setAttribute(Qt::WA_Resized, resized);
    }
    // A window's position is that of its frame.
    const QSize outer = window.size().grownBy(frame);
    QPoint at = window.pos();
    at.setX(
        std::clamp(at.x(), free.left(), std::max(free.left(), free.right() + 1 - outer.width())));
    at.setY(
        std::clamp(at.y(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height())));
    if (at != window.pos())
        window.move(at);
}

void FitFrameOnShow(QWidget *frame)
{
    new FrameFitter(frame);
}

} // namespace ui
