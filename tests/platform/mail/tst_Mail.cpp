#include "ErrorNumberOf.h"
#include "platform/fs/DriveMap.h"
#include "platform/mail/MAPIMessages.h"
#include "platform/mail/MAPISession.h"
#include "platform/mail/MailRecorder.h"
#include "platform/shell/ShellRecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using mail::MailRecorder;
using shell::ShellRecorder;

namespace
{

const QString kSubject = QStringLiteral("MervaskLab - Zakład: 1234567, z dnia: 05.01.2026");
const QString kAttachment = QStringLiteral("C:\\MervaskLab\\Eksport\\wynik.pdf");

// The steps of the old send: sign on, compose, fill in, send, sign off.
int Send(const QString &recipient, const QString &attachment)
{
    mail::MAPISession session;
    mail::MAPIMessages message;
    const int number = ErrorNumberOf([&] {
        session.SignOn();
        message.SessionID = session.SessionID();
        message.Compose();
        message.RecipAddress = recipient;
        message.MsgSubject = kSubject;
        message.MsgNoteText = QStringLiteral(" ");
        message.AttachmentPathName = attachment;
        message.Send(true);
    });
    session.SignOff();
    return number;
}

} // namespace

class tst_Mail : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString attachmentReal_;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(dir_.path() + QStringLiteral("/c/MervaskLab/Eksport")));
        attachmentReal_ = dir_.path() + QStringLiteral("/c/MervaskLab/Eksport/wynik.pdf");
        QFile file(attachmentReal_);
        QVERIFY(file.open(QIODevice::WriteOnly));
        fs::DriveMap::SetDrivesFolder(dir_.path());
    }
    void cleanupTestCase() { fs::DriveMap::SetDrivesFolder(QString()); }

    void recorderSeesTheMessageAndScriptsFailures()
    {
        MailRecorder recorder;
        QCOMPARE(Send(QStringLiteral(" piw@example.pl "), kAttachment), 0);
        QCOMPARE(recorder.Sent().size(), 1);
        const MailRecorder::Message sent = recorder.Sent().first();
        QCOMPARE(sent.recipient, QStringLiteral("piw@example.pl"));
        QCOMPARE(sent.subject, kSubject);
        QCOMPARE(sent.body, QStringLiteral(" "));
        QCOMPARE(sent.attachment, kAttachment);

        recorder.FailNextSignOn(32050);
        QCOMPARE(Send(QString(), QString()), 32050);
        recorder.FailNextSend(32001);
        QCOMPARE(Send(QString(), QString()), 32001);
        QCOMPARE(Send(QString(), QString()), 0);
        QCOMPARE(recorder.Sent().size(), 2);
        QCOMPARE(recorder.SignOnCount(), 3);
        QCOMPARE(recorder.SignOffCount(), 3);

        mail::MAPIMessages withoutSession;
        QCOMPARE(ErrorNumberOf([&] { withoutSession.Send(); }), 32053);
    }

    // Without the mail recorder the message goes to the hand-off program, whose
    // start the shell recorder catches.
    void handOffArguments_data()
    {
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<bool>("withAttachment");
        QTest::addColumn<QStringList>("tail");
        QTest::newRow("recipient and attachment")
            << "piw@example.pl" << true << QStringList{"--attach", "FILE", "piw@example.pl"};
        QTest::newRow("no recipient") << "" << true << QStringList{"--attach", "FILE"};
        QTest::newRow("no attachment")
            << "piw@example.pl" << false << QStringList{"piw@example.pl"};
    }
    void handOffArguments()
    {
        QFETCH(QString, recipient);
        QFETCH(bool, withAttachment);
        QFETCH(QStringList, tail);
        ShellRecorder shellRecorder;
        QCOMPARE(Send(recipient, withAttachment ? kAttachment : QString()), 0);
        QCOMPARE(shellRecorder.Calls().size(), 1);
        QCOMPARE(shellRecorder.Calls()[0].program, QStringLiteral("xdg-email"));
        QVERIFY(shellRecorder.Calls()[0].waited);
        QCOMPARE(shellRecorder.Calls()[0].arguments,
                 QStringList({"--utf8", "--subject", kSubject, "--body", " "}) +
                     tail.replaceInStrings(QStringLiteral("FILE"), attachmentReal_));
    }

    void handOffFailures_data()
    {
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("recipient");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<int>("number");
        const QString to = QStringLiteral("a@b.pl");
        QTest::newRow("syntax") << 1 << to << kAttachment << 32002;
        QTest::newRow("file not found") << 2 << to << kAttachment << 32011;
        QTest::newRow("no mail client") << 3 << to << kAttachment << 32026;
        QTest::newRow("no permission") << 5 << to << kAttachment << 75;
        QTest::newRow("did not start") << -1 << to << kAttachment << 32026;
        QTest::newRow("attachment missing") << 0 << to << "C:\\MervaskLab\\brak.pdf" << 32011;
        QTest::newRow("recipient read as an option") << 0 << "--attach /etc/passwd"
                                                     << "" << 32014;
    }
    void handOffFailures()
    {
        QFETCH(int, exitCode);
        QFETCH(QString, recipient);
        QFETCH(QString, attachment);
        QFETCH(int, number);
        ShellRecorder shellRecorder;
        if (exitCode < 0) {
            shellRecorder.QueueStartFailure();
        } else {
            shellRecorder.QueueExitCode(exitCode);
        }
        QCOMPARE(Send(recipient, attachment), number);
        QCOMPARE(shellRecorder.Calls().size(), exitCode == 0 ? 0 : 1);
    }

    void signOnFailsWithoutTheHandOffProgram()
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir_.path()));
        const int number = Send(QString(), QString());
        qputenv("PATH", path);
        QCOMPARE(number, 32050);
    }
};

QTEST_GUILESS_MAIN(tst_Mail)
#include "tst_Mail.moc"
