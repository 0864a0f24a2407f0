#include "platform/fs/DriveMap.h"
#include "platform/shell/SingleInstanceGuard.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using shell::SingleInstanceGuard;

namespace
{

constexpr int kWaitMs = 30000;
constexpr int kExitSecondary = 3;

} // namespace

class tst_SingleInstanceGuard : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> drives_;

    // Another copy of the program, on the same drives folder as this test.
    std::unique_ptr<QProcess> StartProbe()
    {
        auto probe = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("MERVASKLAB_DRIVES"), drives_->path());
        probe->setProcessEnvironment(environment);
        probe->start(QStringLiteral(GUARD_PROBE), QStringList());
        return probe;
    }
    static bool WaitForLine(QProcess &probe, const QByteArray &line)
    {
        while (!probe.canReadLine()) {
            if (!probe.waitForReadyRead(kWaitMs)) {
                return false;
            }
        }
        return probe.readLine().trimmed() == line;
    }
    static bool WaitForEnd(QProcess &probe)
    {
        QSignalSpy finished(&probe, &QProcess::finished);
        return probe.state() == QProcess::NotRunning || finished.wait(kWaitMs);
    }

private slots:
    void init()
    {
        drives_ = std::make_unique<QTemporaryDir>();
        QVERIFY(drives_->isValid());
        fs::DriveMap::SetDrivesFolder(drives_->path());
    }
    void cleanup() { fs::DriveMap::SetDrivesFolder(QString()); }

    void secondCopySignalsTheFirstAndEnds()
    {
        SingleInstanceGuard guard;
        QSignalSpy activated(&guard, &SingleInstanceGuard::activationRequested);
        QVERIFY(guard.TryToRun());
        QVERIFY(guard.IsPrimary());

        auto probe = StartProbe();
        QVERIFY(WaitForEnd(*probe));
        QCOMPARE(probe->exitCode(), kExitSecondary);
        QCOMPARE(probe->readAll().trimmed(), QByteArray("secondary"));
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, kWaitMs);
    }

    void firstCopyInAnotherProcessIsSignalled()
    {
        auto probe = StartProbe();
        QVERIFY(WaitForLine(*probe, "primary"));

        SingleInstanceGuard guard;
        QVERIFY(!guard.TryToRun());
        QVERIFY(!guard.IsPrimary());
        QVERIFY(WaitForLine(*probe, "activated"));
        QVERIFY(WaitForEnd(*probe));
        QCOMPARE(probe->exitCode(), 0);
    }

    void socketOfAKilledCopyIsReplaced()
    {
        auto killed = StartProbe();
        QVERIFY(WaitForLine(*killed, "primary"));
        killed->kill();
        QVERIFY(WaitForEnd(*killed));

        SingleInstanceGuard guard;
        QVERIFY2(QFileInfo::exists(guard.ServerName()), "the killed copy left no socket");
        QSignalSpy activated(&guard, &SingleInstanceGuard::activationRequested);
        QVERIFY(guard.TryToRun());

        auto second = StartProbe();
        QVERIFY(WaitForEnd(*second));
        QCOMPARE(second->exitCode(), kExitSecondary);
        QTRY_COMPARE_WITH_TIMEOUT(activated.count(), 1, kWaitMs);
    }

    void guardsOfOtherDrivesFoldersAreIndependent()
    {
        auto first = std::make_unique<SingleInstanceGuard>();
        QVERIFY(first->TryToRun());
        QTemporaryDir otherDrives;
        fs::DriveMap::SetDrivesFolder(otherDrives.path());
        SingleInstanceGuard other;
        QVERIFY(other.ServerName() != first->ServerName());
        QVERIFY(other.TryToRun());

        // Ending the first copy frees its name for the next start.
        fs::DriveMap::SetDrivesFolder(drives_->path());
        first.reset();
        SingleInstanceGuard next;
        QVERIFY(next.TryToRun());
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstanceGuard)
#include "tst_SingleInstanceGuard.moc"
