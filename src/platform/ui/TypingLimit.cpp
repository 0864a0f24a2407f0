#include "platform/ui/TypingLimit.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace ui
{
namespace
{

class LengthLimit : public QValidator
{
public:
    LengthLimit(int length, QLineEdit *box)
        : QValidator(box), length_(length), box_(box), shown_(box->text())
    {
        connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { shown_ = text; });
    }

    State validate(QString &input, int &cursor) const override
    {
        if (input.size() <= length_ || !Typed())
            return Acceptable;
        // Characters deleted and none typed: a long entry may be shortened.
        const qsizetype removed = shown_.size() - input.size();
        if (removed > 0 && input == shown_.left(cursor) + shown_.mid(cursor + removed))
            return Acceptable;
        // What was typed or pasted ends at the caret; it begins where the text
        // first differs from the one shown before, or earlier, and at least as
        // far back as the text grew. Of it, what fits stays, as far as typing
        // it key by key would have gone.
        const qsizetype latest = cursor - std::max<qsizetype>(0, -removed);
        qsizetype start = 0;
        while (start < latest && start < shown_.size() && input.at(start) == shown_.at(start))
            ++start;
        const qsizetype over = input.size() - length_;
        if (over > cursor - start)
            return Invalid;
        input.remove(cursor - over, over);
        cursor -= int(over);
        return input == shown_ ? Invalid : Acceptable;
    }

private:
    // The box keeps undo steps only for what the user typed, pasted or
    // dropped into it, none for a text put in whole by the program (a stored
    // value, an entry picked or completed from a list).
    bool Typed() const { return box_->isUndoAvailable(); }

    int length_;
    QLineEdit *box_;
    QString shown_;
};

} // namespace

void LimitTyping(QLineEdit *box, int length)
{
    box->setValidator(new LengthLimit(length, box));
}

} // namespace ui
