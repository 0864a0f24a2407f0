#include "PickList.h"

#include "NamedControls.h"
#include "SendKeys.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace ui
{

namespace
{

// About as wide as a text box: the room is counted in capitals, which are
// wider than a text's average letter.
constexpr int PickListChars = 12;

// Notes that the list is losing the focus. Qt reports the false pick while it
// delivers that focus change, so the mark lasts until the events of the moment
// have been handled.
class LeavingWatch : public QObject
{
public:
    explicit LeavingWatch(QComboBox *list) : QObject(list)
    {
        list->installEventFilter(this);
        if (QLineEdit *box = list->lineEdit())
            box->installEventFilter(this);
    }

    static LeavingWatch *Of(QComboBox *list)
    {
        for (QObject *child : list->children()) {
            if (auto *watch = dynamic_cast<LeavingWatch *>(child))
                return watch;
        }
        return new LeavingWatch(list);
    }

    bool Leaving() const { return leaving_; }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut && !leaving_) {
            leaving_ = true;
            QTimer::singleShot(0, this, [this] { leaving_ = false; });
        } else if (event->type() == QEvent::FocusIn) {
            // A list that has the focus again is no longer leaving.
            leaving_ = false;
        }
        return false;
    }

private:
    bool leaving_ = false;
};

// Its open list is as wide as its longest entry, up to the screen's width.
class PickListBox : public QComboBox
{
public:
    using QComboBox::QComboBox;

    void showPopup() override
    {
        QAbstractItemView *list = view();
        const QFontMetrics metrics(list->font());
        int widest = 0;
        for (int i = 0; i < count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
        // The room an item view leaves around a text, its frame and its
        // scroll bar.
        const QStyle *style = list->style();
        const int room = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1) +
                         2 * list->frameWidth() +
                         style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        list->setMinimumWidth(widest + room);
        QComboBox::showPopup();
    }
};

// An entry longer than its box is read from its start whenever the user is
// not typing in it: after the program put it in whole, and once the user has
// left it. The caret comes back where it stood as soon as the user returns,
// by the focus or by a key.
class ShownFromStart : public QObject
{
public:
    explicit ShownFromStart(QComboBox *list) : QObject(list), list_(list), box_(list->lineEdit())
    {
        list->installEventFilter(this);
        box_->installEventFilter(this);
        connect(box_, &QLineEdit::textChanged, this, [this] {
            // A text put in whole leaves the box nothing to undo.
            if (!list_->hasFocus() && !box_->isUndoAvailable())
                ShowStart(int(box_->text().size()));
        });
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::FocusOut:
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                ShowStart(caret_ >= 0 ? caret_ : box_->cursorPosition());
            break;
        case QEvent::FocusIn:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
            if (caret_ >= 0) {
                box_->setCursorPosition(caret_);
                caret_ = -1;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void ShowStart(int caret)
    {
        box_->setCursorPosition(0);
        caret_ = caret;
    }

    QComboBox *list_;
    QLineEdit *box_;
    // Where the caret stands for the user while the box shows its start.
    int caret_ = -1;
};

} // namespace

QComboBox *PickList(QWidget *parent, const char *name)
{
    auto *list = Named(new PickListBox(parent), name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(PickListChars);
    new ShownFromStart(list);
    return list;
}

void OnPick(QComboBox *list, QObject *context, const std::function<void(int)> &onPick)
{
    const LeavingWatch *watch = LeavingWatch::Of(list);
    QObject::connect(list, &QComboBox::activated, context, [watch, onPick](int index) {
        if (!watch->Leaving())
            onPick(index);
    });
}

void PickMovesOn(QComboBox *list)
{
    OnPick(list, list, [](int) { SendTab(); });
}

} // namespace ui
