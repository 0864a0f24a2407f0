// Linked into every test program: a dialog its test did not script fails the
// test function that is running, with the dialog named, and the program goes
// on with its next function instead of aborting.

#include "platform/ui/ScriptedUi.h"
#include "platform/ui/UnscriptedDialog.h"

#include <QTest>

namespace
{

const bool installed = [] {
    ui::ScriptedUi::SetUnscriptedHandler([](const QString &problem) {
        if (!QTest::currentTestFunction()) {
            throw ui::UnscriptedDialog(problem.toStdString());
        }
        QTest::qFail(qPrintable(QStringLiteral("unscripted ") + problem), __FILE__, __LINE__);
    });
    return true;
}();

} // namespace
