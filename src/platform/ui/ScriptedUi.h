#pragma once

#include "ShownDialog.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace ui
{

// Test seam: while an object of this class exists, message boxes, input boxes,
// open/save dialogs, the calendar and modal windows do not wait for a user.
// Each takes the next answer that the test queued for its kind and is logged.
// A dialog without a queued answer (or with one it does not offer) is recorded
// as a problem and never blocks the test: with an unscripted handler set (the
// test programs set one that fails the running test function with the
// dialog's text), the dialog is then closed as a user would close it without
// choosing (Cancel, No or OK; no input, no file, no date; the window hidden);
// without one, it throws UnscriptedDialog.
//
//     ui::ScriptedUi ui;
//     ui.Answer("No");
//     PRESS(&form, "ComUsun");          // tests/support/Press.h
//     QCOMPARE(ui.Last().text, "Czy usunąć ...");
//     SCRIPTED_UI_VERIFY(ui);
class ScriptedUi
{
public:
    // What a test does with a window shown modally; the window is hidden
    // afterwards unless the action already closed it.
    using WindowAction = std::function<void(QWidget &)>;

    ScriptedUi();
    ~ScriptedUi();
    ScriptedUi(const ScriptedUi &) = delete;
    ScriptedUi &operator=(const ScriptedUi &) = delete;

    // The next message box's answer: vbOK .. vbNo, or "OK", "Cancel",
    // "Abort", "Retry", "Ignore", "Yes", "No".
    void Answer(int answer);
    void Answer(const QString &button);
    void AnswerInput(const QString &text);
    void CancelInput();
    // The next open/save dialog's choice, a Windows path as the register
    // would receive it.
    void AnswerFile(const QString &path);
    void CancelFile();
    void AnswerDate(const QDate &date);
    // The next modal window must be the one of this objectName.
    void AnswerWindow(const QString &objectName, WindowAction action = {});

    const QList<ShownDialog> &Log() const { return log_; }
    // The last dialog shown; an empty record when there was none.
    ShownDialog Last() const;
    void ClearLog() { log_.clear(); }

    // True when no dialog went unscripted and every queued answer was used.
    bool Verify();
    QString Problems() const { return problems_.join(QLatin1Char('\n')); }

    static ScriptedUi *Current();

    // Told of each unscripted dialog; returns the handler it replaces.
    using UnscriptedHandler = std::function<void(const QString &problem)>;
    static UnscriptedHandler SetUnscriptedHandler(UnscriptedHandler handler);

    // Used by the seam: log the dialog and hand out its answer.
    int TakeMessage(ShownDialog shown);
    std::optional<QString> TakeInput(ShownDialog shown);
    std::optional<QString> TakeFile(ShownDialog shown);
    QDate TakeDate(ShownDialog shown);
    WindowAction TakeWindow(ShownDialog shown);

private:
    struct WindowAnswer {
        QString objectName;
        WindowAction action;
    };

    // Records the problem; returns only when a handler took it.
    void Unscripted(const ShownDialog &shown, const QString &why);
    void RecordUnused();

    QList<int> messages_;
    QList<std::optional<QString>> inputs_;
    QList<std::optional<QString>> files_;
    QList<QDate> dates_;
    QList<WindowAnswer> windows_;
    QList<ShownDialog> log_;
    QStringList problems_;
    bool verified_ = false;
    ScriptedUi *previous_;
};

} // namespace ui

// Fails the running Qt test with the problems of a scripted seam.
#define SCRIPTED_UI_VERIFY(scripted)                                                               \
    QVERIFY2((scripted).Verify(), qPrintable((scripted).Problems()))
