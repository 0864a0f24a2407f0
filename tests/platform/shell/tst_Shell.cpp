#include "ErrorNumberOf.h"
#include "TemporaryFolder.h"
#include "platform/fs/DriveMap.h"
#include "platform/shell/Shell.h"
#include "platform/shell/ShellRecorder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using shell::Shell;
using shell::ShellRecorder;

class tst_Shell : public QObject
{
    Q_OBJECT

    TemporaryFolder dir_;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(dir_.Real("c/MervaskLab")));
        QVERIFY(QFile::link(QStringLiteral("/bin/sh"), dir_.Real("c/MervaskLab/sh.exe")));
        fs::DriveMap::SetDrivesFolder(dir_.Path());
    }
    void cleanupTestCase() { fs::DriveMap::SetDrivesFolder(QString()); }

    void exitCodes_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("true") << "/bin/true" << QStringList() << 0;
        QTest::newRow("false") << "/bin/false" << QStringList() << 1;
        QTest::newRow("exit 3, found on PATH") << "sh" << QStringList{"-c", "exit 3"} << 3;
        QTest::newRow("windows path in other case")
            << "C:\\MERVASKLAB\\SH.EXE" << QStringList{"-c", "exit 4"} << 4;
        QTest::newRow("crash") << "sh" << QStringList{"-c", "kill -9 $$"} << -1;
    }
    void exitCodes()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QCOMPARE(Shell::RunAndWait(program, arguments, shell::vbMinimizedFocus), exitCode);
    }

    // Arguments reach the program as they are; no shell interprets them.
    void argumentsAreNotInterpreted()
    {
        const QString text = QStringLiteral("$(touch gone) ; * 'a' \"b\" Łódź");
        QCOMPARE(Shell::RunAndWait(QStringLiteral("sh"), {"-c", "printf %s \"$1\" > \"$2\"", "sh",
                                                          text, dir_.Real("out.txt")}),
                 0);
        QFile file(dir_.Real("out.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), text);
        QVERIFY(!QFile::exists(QStringLiteral("gone")));
    }

    void missingPrograms()
    {
        QCOMPARE(ErrorNumberOf([] { Shell::RunAndWait(QStringLiteral("C:\\Brak\\x.exe"), {}); }),
                 53);
        QCOMPARE(ErrorNumberOf([] { Shell::RunAndWait(QStringLiteral("no-such-program-x"), {}); }),
                 53);
        QVERIFY(!Shell::Start(QStringLiteral("C:\\Brak\\x.exe"), {}));
    }

    void startDoesNotWait()
    {
        // The program waits for a file that appears only after Start returned.
        QVERIFY(Shell::Start(QStringLiteral("C:\\MervaskLab\\sh.exe"),
                             {"-c", "while [ ! -e \"$1\" ]; do sleep 0.05; done; touch \"$2\"",
                              "sh", dir_.Real("gate"), dir_.Real("done")},
                             shell::vbMinimizedFocus));
        QVERIFY(QFile(dir_.Real("gate")).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir_.Real("done")), 30000);
    }

    void recorderKeepsCallsFromRunning()
    {
        ShellRecorder recorder;
        recorder.QueueExitCode(7);
        recorder.QueueStartFailure();
        recorder.QueueStartFailure();
        QCOMPARE(Shell::RunAndWait(QStringLiteral("C:\\MervaskLab\\7za.exe"), {"a", "x.zip"}), 7);
        QVERIFY(!Shell::Start(QStringLiteral("touch"), {dir_.Real("recorded")}));
        QCOMPARE(ErrorNumberOf([] { Shell::RunAndWait(QStringLiteral("sh"), {}); }), 75);
        QVERIFY(Shell::Start(QStringLiteral("touch"), {dir_.Real("recorded")}));
        QVERIFY(Shell::OpenUrl(QStringLiteral("https://example.invalid/a?b=1&c=2")));

        QCOMPARE(recorder.Calls().size(), 5);
        QCOMPARE(recorder.Calls()[0].arguments, (QStringList{"a", "x.zip"}));
        QVERIFY(recorder.Calls()[0].waited && !recorder.Calls()[3].waited);
        QCOMPARE(recorder.Calls()[4].program, QStringLiteral("xdg-open"));
        QCOMPARE(recorder.Calls()[4].arguments, QStringList{"https://example.invalid/a?b=1&c=2"});
        QVERIFY(!QFile::exists(dir_.Real("recorded")));
        {
            ShellRecorder inner(ShellRecorder::Mode::PassThrough);
            QCOMPARE(Shell::RunAndWait(QStringLiteral("sh"), {"-c", "exit 5"}), 5);
            QCOMPARE(inner.Calls().size(), 1);
        }
        QCOMPARE(Shell::RunAndWait(QStringLiteral("/bin/false"), {}), 0);
        QCOMPARE(recorder.Calls().size(), 6);
    }
};

QTEST_GUILESS_MAIN(tst_Shell)
#include "tst_Shell.moc"
