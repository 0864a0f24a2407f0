#pragma once

#include "OtherWorkstation.h"
#include "Press.h"

#include "platform/db/DBEngine.h"
#include "platform/ui/ScriptedUi.h"

#include <QStringList>
#include <QWidget>

namespace other_workstation
{

// Presses `button` of `window` as a user does while another workstation
// holds `db` (`how`): the window is drawn before the other takes the file,
// `answers` and then "OK" answer the boxes, and the window is drawn again
// while the last box is up. Returns what went wrong (the button out of reach,
// the other workstation not holding or not letting go, other than exactly
// one lock wait, other boxes than the answered ones and one box refusing with
// 3218); empty when nothing did. The other workstation has let go on return.
inline QString PressWhileHeld(QWidget *window, const char *button, dao::Database db,
                              Holder::How how, ui::ScriptedUi &scripted,
                              const QStringList &answers = {})
{
    window->grab();
    press::Settle();
    QString problem;
    QAbstractButton *pressed = press::FindButton(window, button, problem);
    if (!pressed)
        return problem;
    Holder other(db, how);
    if (!other.Ready())
        return QStringLiteral("the other workstation does not hold the file");
    const qsizetype boxes = scripted.Log().size();
    for (const QString &answer : answers)
        scripted.Answer(answer);
    scripted.Answer(QStringLiteral("OK"));
    const quint64 waits = dao::DBEngine::LockWaits();
    pressed->click();
    window->grab();
    press::Settle();
    const quint64 waited = dao::DBEngine::LockWaits() - waits;
    if (waited != 1)
        return QStringLiteral("%1 lock waits").arg(waited);
    if (scripted.Log().size() != boxes + answers.size() + 1)
        return QStringLiteral("%1 boxes").arg(scripted.Log().size() - boxes);
    if (!scripted.Last().text.startsWith(QStringLiteral("3218")))
        return QStringLiteral("the last box says: ") + scripted.Last().text;
    if (!other.LetGo())
        return QStringLiteral("the other workstation did not let go");
    return {};
}

} // namespace other_workstation
