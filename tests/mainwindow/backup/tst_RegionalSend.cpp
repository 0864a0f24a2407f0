#include "ArchiveEntries.h"
#include "mainwindow/RegionalSend.h"
#include "platform/fs/DriveMap.h"
#include "platform/mail/MailRecorder.h"
#include "platform/ui/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <optional>

namespace
{

const QString Archive = QStringLiteral("C:\\MervaskLab\\Eksport\\DaneDoWIW.txt.ZIP");
const QString SendNow =
    QStringLiteral("Plik spakowany w katalogu: C:\\MervaskLab\\Eksport\\DaneDoWIW.txt.ZIP!\r"
                   "Czy wysłać teraz?");
const QString MailLeft = QStringLiteral("Czy wiadomość została wysłana?");

QString Real(const QString &windowsPath)
{
    return fs::DriveMap::ToReal(windowsPath);
}

QStringList EntriesOf(const QString &windowsPath)
{
    return ArchiveEntries(Real(windowsPath));
}

} // namespace

class tst_RegionalSend : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> drives_;
    std::optional<QWidget> frameCzekaj_;
    std::optional<QWidget> frameDoWIW_;
    QList<ui::ShownDialog> log_;

    void Send(const QStringList &answers)
    {
        ui::ScriptedUi scripted;
        for (const QString &answer : answers) {
            scripted.Answer(answer);
        }
        RegionalSend(&*frameCzekaj_, &*frameDoWIW_).Run(QStringLiteral("05.03.2010"));
        log_ = scripted.Log();
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(frameCzekaj_->isHidden() && frameDoWIW_->isHidden());
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const ui::ShownDialog &shown : log_) {
            texts.append(shown.text);
        }
        return texts;
    }

private slots:
    void init()
    {
        drives_.emplace();
        fs::DriveMap::SetDrivesFolder(drives_->path());
        QVERIFY(QDir().mkpath(Real(QStringLiteral("C:\\MervaskLab\\Eksport"))));
        QFile data(Real(RegionalSend::DataFile));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write("dane dla WIW\r\n");
        frameCzekaj_.emplace();
        frameDoWIW_.emplace();
    }
    void cleanup()
    {
        frameCzekaj_.reset();
        frameDoWIW_.reset();
        fs::DriveMap::SetDrivesFolder(QString());
        drives_.reset();
    }

    void noToTheFirstQuestionDoesNothing()
    {
        mail::MailRecorder mail;
        Send({QStringLiteral("No")});
        QCOMPARE(Texts(), QStringList{"Czy wysłać dane do WIW?"});
        QCOMPARE(log_.first().title, QStringLiteral("Wysyłanie!"));
        QCOMPARE(log_.first().style, 292);
        QVERIFY(!QFile::exists(Real(Archive)));
        QCOMPARE(mail.SignOnCount(), 0);
    }

    void mailsThePackedFile()
    {
        mail::MailRecorder mail;
        Send({QStringLiteral("Yes"), QStringLiteral("Yes"), QStringLiteral("Yes"),
              QStringLiteral("OK")});
        QCOMPARE(Texts(), (QStringList{"Czy wysłać dane do WIW?", SendNow, MailLeft, "aaa"}));
        QCOMPARE(log_[2].style, 292);
        QCOMPARE(log_[2].title, QStringLiteral("Wysyłanie!"));
        QCOMPARE(log_.last().style, 0);
        QCOMPARE(mail.Sent().size(), 1);
        const mail::MailRecorder::Message &sent = mail.Sent().first();
        QCOMPARE(sent.recipient, QString());
        QCOMPARE(sent.subject, QStringLiteral("Dane MervaskLab z dn. 05.03.2010"));
        QCOMPARE(sent.body, QStringLiteral(" "));
        QCOMPARE(sent.attachment, Archive);
        QCOMPARE(EntriesOf(Archive), QStringList{"MervaskLab/Eksport/DaneDoWIW.txt"});
        QCOMPARE(mail.SignOffCount(), 1);
    }

    // The mail client returns once its compose window is open; a message the
    // operator discarded there was not sent.
    void aDiscardedMessageIsACancel()
    {
        mail::MailRecorder mail;
        Send({QStringLiteral("Yes"), QStringLiteral("Yes"), QStringLiteral("No"),
              QStringLiteral("OK")});
        QCOMPARE(Texts(), (QStringList{"Czy wysłać dane do WIW?", SendNow, MailLeft,
                                       "Przerwano wysyłanie pliku na życzenie użytkownika!\r"
                                       "32001-Użytkownik anulował operację."}));
        QCOMPARE(log_.last().title, QStringLiteral("EKSPORT DO PLIKU"));
        QCOMPARE(mail.SignOffCount(), 1);
    }

    void aFailedPackIsNotOffered()
    {
        QVERIFY(QFile::remove(Real(RegionalSend::DataFile)));
        mail::MailRecorder mail;
        Send({QStringLiteral("Yes"), QStringLiteral("OK")});
        QCOMPARE(log_.size(), 2);
        QVERIFY(log_.last().text.contains(RegionalSend::DataFile));
        QCOMPARE(log_.last().style, 0);
        QVERIFY(!QFile::exists(Real(Archive)));
        QCOMPARE(mail.SignOnCount(), 0);
    }

    void noToSendingKeepsTheArchive()
    {
        mail::MailRecorder mail;
        Send({QStringLiteral("Yes"), QStringLiteral("No")});
        QCOMPARE(Texts().last(), SendNow);
        QVERIFY(QFile::exists(Real(Archive)));
        QCOMPARE(mail.Sent().size(), 0);
    }

    void mailFailuresAreReportedWithoutAaa_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("cancelled") << 32001
                                   << "Przerwano wysyłanie pliku na życzenie użytkownika!\r"
                                      "32001-Użytkownik anulował operację.";
        QTest::newRow("no mail client") << 32026 << "Błąd eksportu! 32026Brak programu pocztowego.";
        QTest::newRow("sign-on failed")
            << 32050 << "Problemy z wysłaniem widomości! \rSpróbuj ponownie!";
        QTest::newRow("bad recipient") << 32014 << "Błąd eksportu! 32014Nieznany adresat.";
    }
    void mailFailuresAreReportedWithoutAaa()
    {
        QFETCH(int, error);
        QFETCH(QString, text);
        mail::MailRecorder mail;
        if (error == 32050) {
            mail.FailNextSignOn(error);
        } else {
            mail.FailNextSend(error);
        }
        QStringList answers{"Yes", "Yes"};
        if (!text.isEmpty()) {
            answers.append(QStringLiteral("OK"));
        }
        Send(answers);
        QCOMPARE(mail.Sent().size(), 0);
        QVERIFY(!Texts().contains(QStringLiteral("aaa")));
        if (!text.isEmpty()) {
            QCOMPARE(log_.last().text, text);
            QCOMPARE(log_.last().title, QStringLiteral("EKSPORT DO PLIKU"));
            QCOMPARE(log_.last().style, 64);
        }
    }

    void moreThanOneAttachmentIsRefused()
    {
        mail::MailRecorder mail;
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("OK"));
        RegionalSend send(nullptr, nullptr);
        QVERIFY(!send.Send_Mail(QString(), QStringLiteral("t"), QStringLiteral(" "),
                                RegionalSend::DataFile, RegionalSend::DataFile, QString()));
        QVERIFY(scripted.Last().text.startsWith(QStringLiteral("Błąd eksportu! 32002")));
        QCOMPARE(mail.Sent().size(), 0);
        QCOMPARE(mail.SignOffCount(), 1);
        SCRIPTED_UI_VERIFY(scripted);
    }
};

QTEST_MAIN(tst_RegionalSend)
#include "tst_RegionalSend.moc"
