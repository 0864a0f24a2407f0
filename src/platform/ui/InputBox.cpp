#include "InputBox.h"

#include "DialogText.h"
#include "ScriptedUi.h"
#include "ShownDialog.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>

namespace ui
{

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (ScriptedUi *script = ScriptedUi::Current()) {
        ShownDialog shown;
        shown.kind = ShownDialog::Input;
        shown.text = prompt;
        shown.title = DialogTitle(title);
        shown.value = defaultText;
        return script->TakeInput(shown).value_or(QString());
    }
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(DialogTitle(title));
    dialog.setLabelText(ScreenText(prompt));
    if (auto *label = dialog.findChild<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Anuluj"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace ui
