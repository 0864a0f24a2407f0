#include "MsgBox.h"

#include "DialogText.h"
#include "ScriptedUi.h"
#include "ShownDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QStyle>

#include <algorithm>

namespace ui
{

namespace
{

const char *const AnswerProperty = "answer";

QMessageBox::Icon IconOf(int style)
{
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::ButtonRole RoleOf(int answer)
{
    switch (answer) {
    case vbOK:
        return QMessageBox::AcceptRole;
    case vbCancel:
        return QMessageBox::RejectRole;
    case vbYes:
        return QMessageBox::YesRole;
    case vbNo:
        return QMessageBox::NoRole;
    default:
        // Abort, Retry and Ignore: no role that Qt would pick for Esc.
        return QMessageBox::ActionRole;
    }
}

int DefaultIndex(int style, qsizetype buttonCount)
{
    const int index = (style & 0x300) >> 8;
    return index < buttonCount ? index : 0;
}

} // namespace

QList<int> MsgBoxAnswers(int buttonsAndIcon)
{
    switch (buttonsAndIcon & 0x7) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int MsgBoxEscapeAnswer(int buttonsAndIcon)
{
    const QList<int> answers = MsgBoxAnswers(buttonsAndIcon);
    if (answers.contains(vbCancel))
        return vbCancel;
    if (answers.contains(vbNo))
        return vbNo;
    if (answers.contains(vbOK))
        return vbOK;
    return 0;
}

QString MsgBoxButtonText(int answer)
{
    switch (answer) {
    case vbOK:
        return QStringLiteral("OK");
    case vbCancel:
        return QStringLiteral("Anuluj");
    case vbAbort:
        return QStringLiteral("Przerwij");
    case vbRetry:
        return QStringLiteral("Ponów");
    case vbIgnore:
        return QStringLiteral("Ignoruj");
    // Alt+T and Alt+N answer a question without the mouse.
    case vbYes:
        return QStringLiteral("&Tak");
    case vbNo:
        return QStringLiteral("&Nie");
    default:
        return {};
    }
}

// A box is at least as wide as its title with the title bar's icon and
// buttons beside it, so the window manager does not shorten the title.
static void KeepTitleReadable(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const QStyle *style = box.style();
    const int bar = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight),
                             QFontMetrics(QGuiApplication::font()).height() * 2);
    QFont titleFont = QGuiApplication::font();
    titleFont.setBold(true);
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + 5 * bar;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

std::unique_ptr<QMessageBox> CreateMsgBox(const QString &prompt, int buttonsAndIcon,
                                          const QString &title)
{
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowModality(Qt::ApplicationModal);
    box->setIcon(IconOf(buttonsAndIcon));
    box->setWindowTitle(DialogTitle(title));
    // Messages carry data typed by users; never let it be read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(KeepPathsWhole(ScreenText(prompt)));

    const QList<int> answers = MsgBoxAnswers(buttonsAndIcon);
    const int escape = MsgBoxEscapeAnswer(buttonsAndIcon);
    const int defaultIndex = DefaultIndex(buttonsAndIcon, answers.size());
    for (int i = 0; i < answers.size(); ++i) {
        QPushButton *button = box->addButton(MsgBoxButtonText(answers[i]), RoleOf(answers[i]));
        button->setProperty(AnswerProperty, answers[i]);
        if (i == defaultIndex)
            box->setDefaultButton(button);
        if (answers[i] == escape)
            box->setEscapeButton(button);
    }
    KeepTitleReadable(*box);
    return box;
}

int MsgBoxAnswer(const QMessageBox &box, int buttonsAndIcon)
{
    if (const QAbstractButton *clicked = box.clickedButton())
        return clicked->property(AnswerProperty).toInt();
    const int escape = MsgBoxEscapeAnswer(buttonsAndIcon);
    return escape != 0 ? escape : MsgBoxAnswers(buttonsAndIcon).constFirst();
}

int MsgBox(const QString &prompt, int buttonsAndIcon, const QString &title)
{
    if (ScriptedUi *script = ScriptedUi::Current()) {
        ShownDialog shown;
        shown.kind = ShownDialog::Message;
        shown.text = prompt;
        shown.title = DialogTitle(title);
        shown.style = buttonsAndIcon;
        return script->TakeMessage(shown);
    }
    const std::unique_ptr<QMessageBox> box = CreateMsgBox(prompt, buttonsAndIcon, title);
    box->exec();
    return MsgBoxAnswer(*box, buttonsAndIcon);
}

} // namespace ui
