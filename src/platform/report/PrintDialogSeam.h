#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace report
{

// The desktop's print dialog, which tests replace by queued answers: while a
// script runs no dialog is shown, each showing takes the next answer, and a
// showing without one throws instead of waiting for a click that never comes.
class PrintDialogSeam
{
public:
    using Configure = std::function<void(QPrinter &)>;

    // True when the operator confirmed; the printer then holds the choice.
    static bool exec(QPrinter &printer, QWidget *parent);

    static void beginScript();
    static void endScript();
    // Confirms the next dialog, after `configure` has set the printer up as
    // the operator would have (a file to print to, a page range).
    static void queueAccept(Configure configure = {});
    static void queueCancel();
    static int shownCount();   // dialogs shown since beginScript
    static int pendingCount(); // answers not used yet
};

} // namespace report
