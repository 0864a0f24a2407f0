#include "PrintDialogSeam.h"

#include "ReportError.h"

#include <QPrintDialog>
#include <QPrinter>

#include <deque>
#include <optional>

namespace report
{

namespace
{

struct Script {
    bool active = false;
    int shown = 0;
    std::deque<std::optional<PrintDialogSeam::Configure>> answers; // nullopt: cancel
};

Script &script()
{
    static Script s;
    return s;
}

} // namespace

bool PrintDialogSeam::exec(QPrinter &printer, QWidget *parent)
{
    Script &s = script();
    if (!s.active) {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    ++s.shown;
    if (s.answers.empty())
        throw RuntimeError(err::NoPrintAnswer,
                           QStringLiteral("Okno wydruku bez przygotowanej odpowiedzi"));
    const auto answer = std::move(s.answers.front());
    s.answers.pop_front();
    if (!answer)
        return false;
    if (*answer)
        (*answer)(printer);
    return true;
}

void PrintDialogSeam::beginScript()
{
    script() = Script{true, 0, {}};
}

void PrintDialogSeam::endScript()
{
    script() = Script{};
}

void PrintDialogSeam::queueAccept(Configure configure)
{
    script().answers.emplace_back(configure ? std::move(configure) : Configure([](QPrinter &) {}));
}

void PrintDialogSeam::queueCancel()
{
    script().answers.emplace_back(std::nullopt);
}

int PrintDialogSeam::shownCount()
{
    return script().shown;
}

int PrintDialogSeam::pendingCount()
{
    return int(script().answers.size());
}

} // namespace report
