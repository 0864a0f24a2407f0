#include "platform/ui/TypingLimit.h"

#include <QLineEdit>
#include <QValidator>

namespace ui
{
namespace
{

class LengthLimit : public QValidator
{
public:
    LengthLimit(int length, QObject *parent) : QValidator(parent), length_(length) {}

    State validate(QString &input, int &) const override
    {
        return input.size() > length_ ? Invalid : Acceptable;
    }

private:
    int length_;
};

} // namespace

void LimitTyping(QLineEdit *box, int length)
{
    box->setValidator(new LengthLimit(length, box));
}

} // namespace ui
