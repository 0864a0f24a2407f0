#include "PrintingFixture.h"

#include "foundation/Globals.h"
#include "foundation/ResultSend.h"
#include "platform/fs/DriveMap.h"
#include "platform/mail/MAPIMessages.h"
#include "platform/mail/MAPISession.h"
#include "platform/mail/MailRecorder.h"
#include "platform/shell/ShellRecorder.h"
#include "platform/ui/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <memory>

namespace
{

const QString ResultFile = QStringLiteral("C:\\MervaskLab\\Eksport\\20240305\\1061\\12 wynik.pdf");
const QString Subject = QStringLiteral("MervaskLab - Zakład: 10610001, z dnia: 05.03.2024");

enum class Signer { None, Silent, Signing };

} // namespace

Q_DECLARE_METATYPE(Signer)

// The questions of the result send in each branch, what reaches the mail
// client, and whether the batch ends up marked as sent.
class tst_ResultSend : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrintingFixture> fixture_;

    void installSigner(bool signs) const
    {
        const QString path = fs::DriveMap::ToReal(SignerProgram);
        QDir().mkpath(QFileInfo(path).path());
        QFile script(path);
        QVERIFY(script.open(QIODevice::WriteOnly));
        // A stand-in that signs by copying: "-f" and the file arrive as two arguments.
        script.write(signs ? "#!/bin/sh\n[ \"$1\" = \"-f\" ] && cp \"$2\" \"$2.sig\"\n"
                           : "#!/bin/sh\nexit 0\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void send(const QString &wni = QStringLiteral("10610001"))
    {
        mail::MAPISession session;
        mail::MAPIMessages messages;
        ResultToSend result{ResultFile, wni, PrintingFixture::Day,
                            QStringLiteral("MervaskLab - Zakład: "),
                            PrintingFixture::BatchList(12)};
        WyslijWynik(result,
                    [&](const QString &r, const QString &s, const QString &n, const QString &a) {
                        return Send_Mail(session, messages, r, s, n, a);
                    });
    }

    static bool Sent()
    {
        dao::Recordset rs = PrintingFixture::BatchList(12);
        return rs(QStringLiteral("TNWyslane")).Value().toBool();
    }

private slots:
    void init()
    {
        fixture_ = std::make_unique<PrintingFixture>();
        QVERIFY(fixture_->IsValid());
        fixture_->AddBatch(12, QStringLiteral("10610001"));
        fixture_->AddInspectorate(QStringLiteral("1061"), QStringLiteral("PIW Łódź"),
                                  QStringLiteral("Łódź"), QStringLiteral("piw@lodz.example"),
                                  QStringLiteral("szyfr@lodz.example"));
        const QString file = fixture_->Real(ResultFile);
        QDir().mkpath(QFileInfo(file).path());
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4\n");
    }
    void cleanup() { fixture_.reset(); }

    void branches_data()
    {
        QTest::addColumn<QString>("wni");
        QTest::addColumn<Signer>("signer");
        QTest::addColumn<int>("mailFailure");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("attachment");
        QTest::addColumn<bool>("sent");

        const QString now =
            QStringLiteral("Przygotowanie pliku zakończone powodzeniem!\rCzy wysłać teraz?");
        const QString anyway =
            QStringLiteral("Brak adresata wiadomości w bazie PIW!\rCzy chcesz wysłać mimo to?");
        const QString sign = QStringLiteral("Czy podpisać plik elektronicznie teraz?");
        const QString unsigned_ = QStringLiteral("Plik nie został podpisany elektronicznie!");
        const QString signed_ = QStringLiteral("Czy wysłać zaszyfrowany plik teraz?");
        const QString noSigner =
            QStringLiteral("Brak programu do podpisu elekronicznego: proCertumSecureSign.exe!");
        const QString noSig =
            QStringLiteral("Plik: ") + ResultFile +
            QStringLiteral(" nie został podpisany! Wykonaj podpis elektroniczny ponownie!");
        const QString cancelled =
            QStringLiteral("Przerwano wysyłanie pliku na życzenie użytkownika!\r32001-");
        const QString wni = QStringLiteral("10610001");
        const QString unknown = QStringLiteral("99990001");

        // Each box shown, then the answer it gets.
        QTest::newRow("not now") << wni << Signer::None << 0 << QStringList{"No"}
                                 << QStringList{now} << "" << false;
        QTest::newRow("no recipient, given up")
            << unknown << Signer::None << 0 << QStringList{"Yes", "No"} << QStringList{now, anyway}
            << "" << false;
        QTest::newRow("no recipient, sent anyway")
            << unknown << Signer::None << 0 << QStringList{"Yes", "Yes", "No", "OK"}
            << QStringList{now, anyway, sign, unsigned_} << ResultFile << true;
        QTest::newRow("no signer")
            << wni << Signer::None << 0 << QStringList{"Yes", "Yes", "OK", "Yes", "OK"}
            << QStringList{now, sign, noSigner, signed_, noSig} << "" << false;
        QTest::newRow("signer without .sig")
            << wni << Signer::Silent << 0 << QStringList{"Yes", "Yes", "Yes", "OK"}
            << QStringList{now, sign, signed_, noSig} << "" << false;
        QTest::newRow("signed file not sent")
            << wni << Signer::Signing << 0 << QStringList{"Yes", "Yes", "No"}
            << QStringList{now, sign, signed_} << "" << false;
        QTest::newRow("signed") << wni << Signer::Signing << 0 << QStringList{"Yes", "Yes", "Yes"}
                                << QStringList{now, sign, signed_} << ResultFile + ".sig" << true;
        QTest::newRow("cancelled mail")
            << wni << Signer::None << 32001 << QStringList{"Yes", "No", "OK", "OK"}
            << QStringList{now, sign, unsigned_, cancelled} << "" << false;
    }

    void branches()
    {
        QFETCH(QString, wni);
        QFETCH(Signer, signer);
        QFETCH(int, mailFailure);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, shown);
        QFETCH(QString, attachment);
        QFETCH(bool, sent);
        if (signer != Signer::None)
            installSigner(signer == Signer::Signing);
        shell::ShellRecorder shellRecorder(shell::ShellRecorder::Mode::PassThrough);
        mail::MailRecorder mailRecorder;
        if (mailFailure)
            mailRecorder.FailNextSend(mailFailure);
        ui::ScriptedUi scripted;
        for (const QString &answer : answers)
            scripted.Answer(answer);

        send(wni);

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), shown.size());
        for (int i = 0; i < shown.size(); ++i) {
            QVERIFY2(scripted.Log()[i].text.startsWith(shown[i]),
                     qPrintable(scripted.Log()[i].text));
            const bool question = answers[i] != QLatin1String("OK");
            QCOMPARE(scripted.Log()[i].style, question ? 292 : 64);
            QCOMPARE(scripted.Log()[i].title, question ? QStringLiteral("Wysyłanie!")
                                              : shown[i].startsWith(QStringLiteral("Przerwano"))
                                                  ? QStringLiteral("EKSPORT DO PLIKU")
                                                  : QStringLiteral("INFORMACJA"));
        }
        if (signer != Signer::None) {
            QCOMPARE(shellRecorder.Calls().size(), 1);
            QCOMPARE(shellRecorder.Calls()[0].arguments,
                     QStringList({"-f", fixture_->Real(ResultFile)}));
            QVERIFY(shellRecorder.Calls()[0].waited);
        }
        QCOMPARE(mailRecorder.Sent().size(), attachment.isEmpty() ? 0 : 1);
        if (!attachment.isEmpty()) {
            const auto &message = mailRecorder.Sent()[0];
            QCOMPARE(message.attachment, attachment);
            QCOMPARE(message.recipient,
                     wni == "10610001" ? QStringLiteral("piw@lodz.example") : QString());
            QCOMPARE(message.subject, QStringLiteral("MervaskLab - Zakład: ") + wni +
                                          QStringLiteral(", z dnia: 05.03.2024"));
            QCOMPARE(message.body, QStringLiteral(" "));
        }
        QCOMPARE(mailRecorder.SignOnCount(), mailRecorder.SignOffCount());
        QCOMPARE(Sent(), sent);
    }

    // PARAMETRY "EmailWynik" names the PIW column of the recipient; an empty
    // address leaves the recipient to the operator.
    void recipient_data()
    {
        QTest::addColumn<QVariant>("column");
        QTest::addColumn<QVariant>("email");
        QTest::addColumn<QString>("recipient");
        QTest::newRow("Email") << QVariant("Email") << QVariant(" piw@x.example ")
                               << "piw@x.example";
        QTest::newRow("EmailSzyfr")
            << QVariant("EmailSzyfr") << QVariant("piw@x.example") << "szyfr@x.example";
        QTest::newRow("no EmailWynik row")
            << QVariant() << QVariant("piw@x.example") << "piw@x.example";
        QTest::newRow("Null address") << QVariant("Email") << QVariant() << "";
    }

    void recipient()
    {
        QFETCH(QVariant, column);
        QFETCH(QVariant, email);
        QFETCH(QString, recipient);
        StaleDb.Execute(
            column.isValid()
                ? QStringLiteral("UPDATE PARAMETRY SET PARAM1 = '%1' WHERE KLUCZ = 'EmailWynik'")
                      .arg(column.toString())
                : QStringLiteral("DELETE FROM PARAMETRY WHERE KLUCZ = 'EmailWynik'"));
        fixture_->AddInspectorate(QStringLiteral("2000"), QStringLiteral("PIW Iksów"),
                                  QStringLiteral("Iksów"), email,
                                  QStringLiteral("szyfr@x.example"));
        mail::MailRecorder mailRecorder;
        ui::ScriptedUi scripted;
        for (const char *answer : {"Yes", "No", "OK"})
            scripted.Answer(QLatin1String(answer));

        send(QStringLiteral("  20000001"));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(mailRecorder.Sent().size(), 1);
        QCOMPARE(mailRecorder.Sent()[0].recipient, recipient);
        QVERIFY(Sent());
    }

    void mailErrors_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("75") << 75 << "Brak dostępu do ścieżki/pliku!\rSpróbuj wysłać ponownie!\r75";
        QTest::newRow("32050") << 32050 << "Problemy z wysłaniem widomości! \rSpróbuj ponownie!";
        QTest::newRow("no mail client") << 32026 << "Błąd eksportu! 32026";
        QTest::newRow("32002") << 32002 << "Błąd eksportu! 32002";
    }

    void mailErrors()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        mail::MailRecorder mailRecorder;
        if (number == 32050)
            mailRecorder.FailNextSignOn(number);
        else
            mailRecorder.FailNextSend(number);
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("OK"));
        mail::MAPISession session;
        mail::MAPIMessages messages;

        QVERIFY(!Send_Mail(session, messages, QStringLiteral("a@b.example"), Subject,
                           QStringLiteral(" "), ResultFile));

        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY2(scripted.Last().text.startsWith(text), qPrintable(scripted.Last().text));
        QCOMPARE(scripted.Last().style, 64);
        QCOMPARE(session.SessionID(), 0L);
    }
};

QTEST_MAIN(tst_ResultSend)
#include "tst_ResultSend.moc"
