// A test program whose first function meets a box it did not script; the
// dialogs test runs it and reads what it reports.

#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"

#include <QTest>

class UnscriptedProbe : public QObject
{
    Q_OBJECT

private slots:
    void meetsAnUnscriptedBox()
    {
        ui::ScriptedUi script;
        const int answer = ui::MsgBox(QStringLiteral("Czy usunąć partię 5?"),
                                      ui::vbYesNo + ui::vbQuestion, QStringLiteral("PYTANIE"));
        // The box was closed as a user closes it without choosing.
        QCOMPARE(answer, int(ui::vbNo));
        script.Verify();
    }
    void runsAfterwards() { QVERIFY(true); }
};

QTEST_MAIN(UnscriptedProbe)
#include "UnscriptedProbe.moc"
