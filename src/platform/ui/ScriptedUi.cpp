#include "ScriptedUi.h"

#include "MsgBox.h"
#include "UnscriptedDialog.h"

#include <QtDebug>

#include <stdexcept>
#include <utility>

namespace ui
{

namespace
{

ScriptedUi *current = nullptr;
ScriptedUi::UnscriptedHandler &unscriptedHandler()
{
    static ScriptedUi::UnscriptedHandler handler;
    return handler;
}

const QList<QPair<QString, int>> &AnswerNames()
{
    static const QList<QPair<QString, int>> names = {
        {QStringLiteral("OK"), vbOK},         {QStringLiteral("Cancel"), vbCancel},
        {QStringLiteral("Abort"), vbAbort},   {QStringLiteral("Retry"), vbRetry},
        {QStringLiteral("Ignore"), vbIgnore}, {QStringLiteral("Yes"), vbYes},
        {QStringLiteral("No"), vbNo}};
    return names;
}

QString AnswerName(int answer)
{
    for (const auto &[name, code] : AnswerNames()) {
        if (code == answer)
            return name;
    }
    return QString::number(answer);
}

QString KindName(ShownDialog::Kind kind)
{
    switch (kind) {
    case ShownDialog::Message:
        return QStringLiteral("message box");
    case ShownDialog::Input:
        return QStringLiteral("input box");
    case ShownDialog::OpenFile:
        return QStringLiteral("open dialog");
    case ShownDialog::SaveFile:
        return QStringLiteral("save dialog");
    case ShownDialog::Calendar:
        return QStringLiteral("calendar");
    case ShownDialog::Window:
        return QStringLiteral("modal window");
    }
    return {};
}

QString Describe(const ShownDialog &shown)
{
    return QStringLiteral("%1 \"%2\" titled \"%3\"")
        .arg(KindName(shown.kind), shown.text, shown.title);
}

template <class T> T TakeFirst(QList<T> &queue)
{
    T first = queue.constFirst();
    queue.removeFirst();
    return first;
}

} // namespace

ScriptedUi::ScriptedUi() : previous_(current)
{
    current = this;
}

ScriptedUi::~ScriptedUi()
{
    current = previous_;
    if (!verified_ && !Verify())
        qCritical().noquote() << "Scripted dialogs went wrong:\n" << Problems();
}

ScriptedUi *ScriptedUi::Current()
{
    return current;
}

ScriptedUi::UnscriptedHandler ScriptedUi::SetUnscriptedHandler(UnscriptedHandler handler)
{
    return std::exchange(unscriptedHandler(), std::move(handler));
}

void ScriptedUi::Answer(int answer)
{
    if (answer < vbOK || answer > vbNo)
        throw std::invalid_argument("no such message box answer");
    messages_.append(answer);
}

void ScriptedUi::Answer(const QString &button)
{
    for (const auto &[name, code] : AnswerNames()) {
        if (name.compare(button, Qt::CaseInsensitive) == 0) {
            messages_.append(code);
            return;
        }
    }
    throw std::invalid_argument("no such message box answer: " + button.toStdString());
}

void ScriptedUi::AnswerInput(const QString &text)
{
    inputs_.append(text);
}

void ScriptedUi::CancelInput()
{
    inputs_.append(std::nullopt);
}

void ScriptedUi::AnswerFile(const QString &path)
{
    files_.append(path);
}

void ScriptedUi::CancelFile()
{
    files_.append(std::nullopt);
}

void ScriptedUi::AnswerDate(const QDate &date)
{
    dates_.append(date);
}

void ScriptedUi::AnswerWindow(const QString &objectName, WindowAction action)
{
    windows_.append({objectName, std::move(action)});
}

ShownDialog ScriptedUi::Last() const
{
    return log_.isEmpty() ? ShownDialog{} : log_.constLast();
}

bool ScriptedUi::Verify()
{
    verified_ = true;
    RecordUnused();
    return problems_.isEmpty();
}

void ScriptedUi::RecordUnused()
{
    for (int answer : std::as_const(messages_))
        problems_.append(QStringLiteral("unused message box answer %1").arg(AnswerName(answer)));
    for (const auto &input : std::as_const(inputs_))
        problems_.append(QStringLiteral("unused input box answer \"%1\"").arg(input.value_or("")));
    for (const auto &file : std::as_const(files_))
        problems_.append(QStringLiteral("unused file dialog answer \"%1\"").arg(file.value_or("")));
    for (const QDate &date : std::as_const(dates_))
        problems_.append(QStringLiteral("unused calendar date %1").arg(date.toString(Qt::ISODate)));
    for (const WindowAnswer &window : std::as_const(windows_))
        problems_.append(QStringLiteral("unused modal window %1").arg(window.objectName));
    messages_.clear();
    inputs_.clear();
    files_.clear();
    dates_.clear();
    windows_.clear();
}

void ScriptedUi::Unscripted(const ShownDialog &shown, const QString &why)
{
    const QString problem = Describe(shown) + QStringLiteral(": ") + why;
    problems_.append(problem);
    if (!unscriptedHandler())
        throw UnscriptedDialog(problem.toStdString());
    unscriptedHandler()(problem);
}

int ScriptedUi::TakeMessage(ShownDialog shown)
{
    log_.append(shown);
    const auto closed = [&] {
        log_.last().answer = QStringLiteral("(closed)");
        return MsgBoxEscapeAnswer(shown.style) ? MsgBoxEscapeAnswer(shown.style)
                                               : MsgBoxAnswers(shown.style).constFirst();
    };
    if (messages_.isEmpty()) {
        Unscripted(shown, QStringLiteral("no answer queued"));
        return closed();
    }
    const int answer = TakeFirst(messages_);
    if (!MsgBoxAnswers(shown.style).contains(answer)) {
        Unscripted(shown, QStringLiteral("the box has no button %1").arg(AnswerName(answer)));
        return closed();
    }
    log_.last().answer = AnswerName(answer);
    return answer;
}

std::optional<QString> ScriptedUi::TakeInput(ShownDialog shown)
{
    log_.append(shown);
    if (inputs_.isEmpty()) {
        Unscripted(shown, QStringLiteral("no answer queued"));
        return std::nullopt;
    }
    const std::optional<QString> answer = TakeFirst(inputs_);
    log_.last().answer = answer.value_or(QString());
    return answer;
}

std::optional<QString> ScriptedUi::TakeFile(ShownDialog shown)
{
    log_.append(shown);
    if (files_.isEmpty()) {
        Unscripted(shown, QStringLiteral("no file queued"));
        return std::nullopt;
    }
    const std::optional<QString> answer = TakeFirst(files_);
    log_.last().answer = answer.value_or(QString());
    return answer;
}

QDate ScriptedUi::TakeDate(ShownDialog shown)
{
    log_.append(shown);
    if (dates_.isEmpty()) {
        Unscripted(shown, QStringLiteral("no date queued"));
        return QDate();
    }
    const QDate answer = TakeFirst(dates_);
    log_.last().answer = answer.toString(QStringLiteral("dd.MM.yyyy"));
    return answer;
}

ScriptedUi::WindowAction ScriptedUi::TakeWindow(ShownDialog shown)
{
    log_.append(shown);
    if (windows_.isEmpty()) {
        Unscripted(shown, QStringLiteral("no window action queued"));
        return {};
    }
    WindowAnswer next = TakeFirst(windows_);
    if (next.objectName != shown.text) {
        Unscripted(shown, QStringLiteral("the window queued next is %1").arg(next.objectName));
        return {};
    }
    return std::move(next.action);
}

} // namespace ui
