#pragma once

#include "platform/RuntimeError.h"

#include <QChar>
#include <QLineEdit>
#include <QString>

namespace ui
{

// The masked edit box: a text box with an input mask such as "##.##.####"
// ('#' is a digit place, every other character is shown as it stands) or with
// no mask at all, when it takes free text. The cursor skips the fixed
// characters, so typing "05032024" fills "05.03.2024".
//
// Text() is what the register reads: "" while no place is filled (an untouched
// or cleared box), otherwise the mask with the typed digits and PromptChar on
// the empty places ("12.03.____").
class MaskEdBox : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int ErrInvalidPropertyValue = rterr::InvalidPropertyValue;

    explicit MaskEdBox(QWidget *parent = nullptr);

    QString Mask() const { return mask_; }
    // "" removes the mask; the text is kept when it fits the new mask.
    void setMask(const QString &mask);
    QChar PromptChar() const { return prompt_; }
    void setPromptChar(QChar prompt);

    QString Text() const;
    // "" clears the box. With a mask the text must fit it, place by place
    // (a digit or PromptChar on '#', the character itself elsewhere);
    // otherwise the run-time error 380 is raised and the box is unchanged.
    void setText(const QString &text);

private:
    bool Fits(const QString &text) const;
    void ApplyMask();

    QString mask_;
    QChar prompt_ = QLatin1Char('_');
};

} // namespace ui
