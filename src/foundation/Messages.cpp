#include "foundation/Messages.h"

#include "foundation/FormAlarm.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/SendKeys.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QLineEdit>
#include <exception>

namespace
{

// The number and description of the exception being handled.
QString currentErrorText()
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return QStringLiteral("0");
    try {
        std::rethrow_exception(current);
    } catch (const RuntimeError &error) {
        return QString::number(error.Number()) + error.Description();
    } catch (const std::exception &error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
    }
    return QStringLiteral("0");
}

} // namespace

void ShowError(const QString &caption, const RuntimeError &error)
{
    ui::MsgBox(QString::number(error.Number()) + error.Description(), ui::vbExclamation, caption);
}

void ShowError(const QString &caption)
{
    ui::MsgBox(currentErrorText(), ui::vbExclamation, caption);
}

void ShowInfo(const QString &text, const QString &caption)
{
    ui::MsgBox(text, ui::vbInformation, caption);
}

void ShowWarning(const QString &text, const QString &caption)
{
    ui::MsgBox(text, ui::vbExclamation, caption);
}

void ShowRefusal(QWidget &window, const Refusal &refusal)
{
    ui::MsgBox(refusal.text, refusal.style, refusal.title);
    if (refusal.focus.isEmpty())
        return;
    auto *control = window.findChild<QWidget *>(refusal.focus);
    if (!control || !control->isEnabled())
        return;
    control->setFocus();
    if (auto *box = qobject_cast<QLineEdit *>(control); box && refusal.selectAll)
        box->selectAll();
}

void ShowAlarm(const QString &text, const QString &caption, int delaySeconds, bool closeButton)
{
    FormAlarm &alarm = ui::WindowRegistry::Instance<FormAlarm>();
    alarm.Prepare(text, caption, delaySeconds, closeButton);
    // Its width changes with each text, so it is centred anew every time.
    ui::ShowModal(alarm, ui::Placement::CentredOnOwner);
    QApplication::beep();
}

void SendTab()
{
    ui::SendTab();
}

bool TrapErrors(const QString &caption, const std::function<void()> &action,
                const std::function<void()> &restore)
{
    try {
        action();
        return true;
    } catch (const RuntimeError &error) {
        if (restore)
            restore();
        ShowError(caption, error);
    }
    return false;
}
