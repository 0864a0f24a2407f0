#include "PickList.h"

#include "NamedControls.h"
#include "SendKeys.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

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
        }
        return false;
    }

private:
    bool leaving_ = false;
};

} // namespace

QComboBox *PickList(QWidget *parent, const char *name)
{
    auto *list = Named(new QComboBox(parent), name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(PickListChars);
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
