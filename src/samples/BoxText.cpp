#include "samples/BoxText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

namespace
{

constexpr auto StoredText = "storedText";

QString shownForm(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

const QString &Untruncated(QLineEdit *box, const QString &text)
{
    if (text.size() > box->maxLength())
        box->setMaxLength(int(text.size()));
    return text;
}

void SetMemoText(QPlainTextEdit *box, const QString &stored)
{
    box->setProperty(StoredText, stored);
    box->setPlainText(shownForm(stored));
}

QString MemoText(const QPlainTextEdit *box)
{
    const QString shown = box->toPlainText();
    const QString stored = box->property(StoredText).toString();
    if (shown == shownForm(stored))
        return stored;
    QString text = shown;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
