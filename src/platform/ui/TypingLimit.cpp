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
        if (input.size() <= std::max<qsizetype>(length_, shown_.size()) || !Typed())
            return Acceptable;
        // What was typed or pasted ends at the cursor and begins no earlier
        // than where the text shown before differs. Of it, what fits stays,
        // as far as typing it key by key would have gone.
        qsizetype start = 0;
        while (start < cursor && start < shown_.size() && input.at(start) == shown_.at(start))
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
