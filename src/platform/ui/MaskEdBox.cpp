#include "MaskEdBox.h"

#include "platform/RuntimeError.h"

namespace ui
{

namespace
{

const QChar DigitPlace = QLatin1Char('#');

// The digits a digit place takes: ASCII only, as the input mask does.
bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Our mask language in Qt's: '#' becomes an optional digit, every other
// character a literal.
QString QtInputMask(const QString &mask, QChar prompt)
{
    QString qt;
    for (QChar c : mask) {
        if (c == DigitPlace) {
            qt += QLatin1Char('0');
        } else {
            qt += QLatin1Char('\\');
            qt += c;
        }
    }
    return qt + QLatin1Char(';') + prompt;
}

} // namespace

MaskEdBox::MaskEdBox(QWidget *parent) : QLineEdit(parent) {}

void MaskEdBox::setMask(const QString &mask)
{
    const QString text = Text();
    mask_ = mask;
    ApplyMask();
    if (!text.isEmpty() && (mask_.isEmpty() || Fits(text)))
        QLineEdit::setText(text);
}

void MaskEdBox::setPromptChar(QChar prompt)
{
    const QString text = Text();
    prompt_ = prompt;
    ApplyMask();
    if (!text.isEmpty())
        QLineEdit::setText(text);
}

void MaskEdBox::ApplyMask()
{
    QLineEdit::setInputMask(mask_.isEmpty() ? QString() : QtInputMask(mask_, prompt_));
    QLineEdit::clear();
}

QString MaskEdBox::Text() const
{
    if (mask_.isEmpty())
        return QLineEdit::text();
    const QString shown = displayText();
    for (int i = 0; i < mask_.size() && i < shown.size(); ++i) {
        if (mask_[i] == DigitPlace && shown[i] != prompt_)
            return shown;
    }
    return {};
}

bool MaskEdBox::Fits(const QString &text) const
{
    if (text.size() != mask_.size())
        return false;
    for (int i = 0; i < mask_.size(); ++i) {
        const bool fits =
            mask_[i] == DigitPlace ? IsDigit(text[i]) || text[i] == prompt_ : text[i] == mask_[i];
        if (!fits)
            return false;
    }
    return true;
}

void MaskEdBox::setText(const QString &text)
{
    if (text.isEmpty()) {
        QLineEdit::clear();
        return;
    }
    if (!mask_.isEmpty() && !Fits(text))
        throw RuntimeError(ErrInvalidPropertyValue,
                           QStringLiteral("Nieprawidłowa wartość właściwości"));
    QLineEdit::setText(text);
}

} // namespace ui
