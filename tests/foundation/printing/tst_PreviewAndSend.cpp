#include "FixtureTest.h"
#include "Press.h"
#include "PrintingFixture.h"

#include "batches/PrzedDr.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/ResultSend.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/RuntimeError.h"
#include "platform/mail/MailRecorder.h"
#include "platform/report/PrintDialogSeam.h"
#include "platform/report/PrinterChoice.h"
#include "platform/report/ReportPreview.h"
#include "platform/shell/ShellRecorder.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>

using F = PrintingFixture;

namespace
{

const QString Wni = "10610001";
const QString DayFolder = "C:\\MervaskLab\\Eksport\\20240305\\";
const QString ResultFile = DayFolder + "1061\\12 wynik.pdf";

FormDrukRap &Preview()
{
    return ui::WindowRegistry::Instance<FormDrukRap>();
}

QString PdfText(const QString &path)
{
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", path, "-"});
    p.waitForFinished(-1);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Stages batch 12 with three samples and shows its sheet; `inPreview` acts
// in the preview window.
void ShowSheet(ui::ScriptedUi &scripted, const QString &wni, ui::ScriptedUi::WindowAction inPreview)
{
    F::AddBatch(12, wni);
    for (int i = 1; i <= 3; ++i)
        F::AddSample(12, i, 4710 + i, "filary przepony");
    for (const char *table : {"Partia", "Badanie", "NazwaTmp"})
        CzyscPrzedDr(table);
    PrzedDr("Partia", "Partia", "12", false);
    PrzedDr("Badanie", "Partia", "12", true);
    FillWynikTMP(F::BatchList(12));
    scripted.AnswerWindow("FormDrukRap", std::move(inPreview));
    FormDrukRap::OpenResult(ReportFolder + "wyniki.rpt", " {Partia.Partia} = 12", "Drukowanie",
                            F::BatchList(12));
}

void PressSend(QWidget &)
{
    PRESS(&Preview(), "ComWyslij");
}

// The signer is only recorded; the operator signing in it is played by
// writing the signature beside the result.
void InstallSigner(bool signs)
{
    const QString path = F::Real(SignerProgram);
    QDir().mkpath(QFileInfo(path).path());
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (signs)
        QFile(F::Real(ResultFile + ".sig")).open(QIODevice::WriteOnly);
}

bool Sent()
{
    return F::BatchList(12)(QStringLiteral("TNWyslane")).Value().toBool();
}

enum class Signer { None, Silent, Signing };

} // namespace

Q_DECLARE_METATYPE(Signer)

// The report runner with the preview window, the result PDF, and the result
// send in each of its branches.
class tst_PreviewAndSend : public FixtureTest<PrintingFixture>
{
    Q_OBJECT

    void send(const QString &wni)
    {
        mail::MAPISession session;
        mail::MAPIMessages messages;
        ResultToSend result{ResultFile, wni, F::Day, "MervaskLab - Zakład: ", F::BatchList(12)};
        WyslijWynik(result,
                    [&](const QString &r, const QString &s, const QString &n, const QString &a) {
                        return Send_Mail(session, messages, r, s, n, a);
                    });
    }

    void Prepare() override
    {
        F::AddEstablishment(Wni, "Zakład Mięsny „Żubr”", "Łódź");
        F::AddInspectorate("1061", "PIW Łódź", "Łódź", "piw@lodz.example", "szyfr@lodz.example");
    }

private slots:
    void listReports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("zlewnia") << "zlewnia.rpt"
                                 << QStringList{"LISTA ZAKŁADÓW", "Zakład Mięsny „Żubr”", Wni};
        QTest::newRow("producen") << "producen.rpt"
                                  << QStringList{"LISTA PIW", "PIW Łódź", "piw@lodz.example"};
    }

    void listReports()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, texts);
        QString shown;
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormDrukRap", [&](QWidget &w) {
            shown = w.windowTitle() + '\n' + Preview().CRViewer->document().pageText(0);
        });
        FormDrukRap::OpenReport(ReportFolder + file, "Drukowanie");
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(shown.startsWith("Drukowanie\n"));
        for (const QString &text : texts)
            QVERIFY2(shown.contains(text), qPrintable(text));
    }

    // "Wyślij wynik" proposes the batch's default name in the county folder
    // under Eksport and the working day; the PDF there reads as the result and
    // carries the ".pdf" ending the inspectorate's mail client needs.
    void resultPdfAtItsPath_data()
    {
        const QString proposed = DayFolder + "1061\\12MervaskLab20240305-Zaklad10610001";
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("proposed name") << proposed << proposed + ".pdf";
        QTest::newRow("own name with its ending")
            << DayFolder + "1061\\wynik.PDF" << DayFolder + "1061\\wynik.PDF";
    }

    void resultPdfAtItsPath()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        ui::ScriptedUi scripted;
        scripted.AnswerFile(chosen);
        scripted.Answer("No");
        ShowSheet(scripted, Wni, PressSend);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(Preview().cursor().shape(), Qt::ArrowCursor); // the busy pointer is gone
        QCOMPARE(scripted.Log()[1].value, DayFolder + "1061\\12MervaskLab20240305-Zaklad10610001");
        QCOMPARE(scripted.Log()[1].filter, QStringLiteral("Plik PDF (*.pdf)|*.pdf"));
        QCOMPARE(QDir(F::Real(DayFolder + "1061")).entryList(QDir::Files),
                 QStringList{written.section('\\', -1)});
        const QString text = PdfText(F::Real(written));
        for (const char *expected :
             {"12/3/2024", "Zakład Mięsny „Żubr”", "4711", "4712", "4713", "nie stwierdzono"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }

    // A name typed without its ending is asked about as the file that will be
    // written: an existing "wynik.pdf" is replaced only after "Tak"; after
    // "Nie" the dialog comes back and another name can be chosen.
    void existingResultReplacedOnlyWhenAgreed_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("Tak") << true;
        QTest::newRow("Nie") << false;
    }

    void existingResultReplacedOnlyWhenAgreed()
    {
        QFETCH(bool, replace);
        const QString existing = DayFolder + "1061\\wynik.pdf";
        QDir().mkpath(F::Real(DayFolder + "1061"));
        QFile old(F::Real(existing));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("stary wynik");
        old.close();
        ui::ScriptedUi scripted;
        scripted.AnswerFile(DayFolder + "1061\\wynik");
        scripted.Answer(replace ? "Yes" : "No");
        if (!replace)
            scripted.AnswerFile(DayFolder + "1061\\inny");
        scripted.Answer("No"); // send it now?
        ShowSheet(scripted, Wni, PressSend);
        SCRIPTED_UI_VERIFY(scripted);
        const ui::ShownDialog question = scripted.Log()[2];
        QCOMPARE(question.text, QStringLiteral("wynik.pdf już istnieje.\rCzy chcesz go zamienić?"));
        QCOMPARE(question.style, 308);
        const QString written = replace ? existing : DayFolder + "1061\\inny.pdf";
        QVERIFY(PdfText(F::Real(written)).contains("4711"));
        QFile kept(F::Real(existing));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll() == "stary wynik", !replace);
    }

    // A definition that cannot be read is named by the register's own path.
    void missingDefinitionNamedByItsWindowsPath()
    {
        try {
            RenderCrystalReport(ReportFolder + "brak.rpt", "", "", "");
            QFAIL("no error");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.Number(), 53);
            QVERIFY2(error.Description().contains("T:\\Raporty\\brak.rpt"),
                     qPrintable(error.Description()));
        }
    }

    // "Drukarka" only chooses the printer: nothing is printed, "Anuluj" keeps
    // the earlier choice, and the viewer's own print uses the one chosen.
    void printerChoice()
    {
        report::PrinterChoice::SetPrinterSource([] {
            return QStringList{"Biuro", "Laboratorium"};
        });
        report::PrintDialogSeam::beginScript();
        const auto choose = [](const QString &printer) {
            return [printer](QWidget &w) {
                auto &choice = static_cast<report::PrinterChoice &>(w);
                const QList<QListWidgetItem *> items =
                    choice.ListDrukarki->findItems(printer, Qt::MatchExactly);
                if (items.isEmpty()) {
                    PRESS(&choice, "ComAnuluj");
                    return;
                }
                choice.ListDrukarki->setCurrentItem(items.first());
                PRESS(&choice, "ComOK");
            };
        };
        QStringList chosen;
        ui::ScriptedUi scripted;
        ShowSheet(scripted, Wni, [&](QWidget &) {
            for (const char *printer : {"Laboratorium", "(Anuluj)"}) {
                scripted.AnswerWindow("PrinterChoice", choose(printer));
                PRESS(&Preview(), "ComDrukarka");
                chosen << Preview().CRViewer->printerName();
            }
        });
        SCRIPTED_UI_VERIFY(scripted);
        const int printDialogs = report::PrintDialogSeam::shownCount();
        report::PrintDialogSeam::endScript();
        report::PrinterChoice::SetPrinterSource({});
        QCOMPARE(chosen, (QStringList{"Laboratorium", "Laboratorium"}));
        QCOMPARE(printDialogs, 0);
    }

    // The viewer prints without a mouse: Tab reaches its print button, which
    // Enter presses, and Ctrl+P prints wherever the focus is.
    void printFromTheKeyboard()
    {
        report::PrintDialogSeam::beginScript();
        report::PrintDialogSeam::queueCancel();
        report::PrintDialogSeam::queueCancel();
        QList<int> shown;
        ui::ScriptedUi scripted;
        ShowSheet(scripted, Wni, [&](QWidget &w) {
            QVERIFY(QTest::qWaitForWindowActive(&w));
            const auto *bar = w.findChild<QToolBar *>(QStringLiteral("previewToolBar"));
            QVERIFY(bar);
            QWidget *print =
                bar->widgetForAction(bar->findChild<QAction *>(QStringLiteral("actionPrint")));
            for (int i = 0; i < 30 && QApplication::focusWidget() != print; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), print);
            QTest::keyClick(print, Qt::Key_Return);
            shown << report::PrintDialogSeam::shownCount();
            QTest::keyClick(print, Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != print);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
            shown << report::PrintDialogSeam::shownCount();
        });
        SCRIPTED_UI_VERIFY(scripted);
        report::PrintDialogSeam::endScript();
        QCOMPARE(shown, QList<int>({1, 2}));
    }

    // A short WNI names the county folder by itself; a cancelled save writes
    // nothing and says nothing.
    void cancelledSaveIsSilent()
    {
        ui::ScriptedUi scripted;
        scripted.CancelFile();
        ShowSheet(scripted, "106", PressSend);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 2);
        QCOMPARE(scripted.Log()[1].value, DayFolder + "106\\12MervaskLab20240305-Zaklad106");
        QVERIFY(QDir(F::Real(DayFolder + "106")).isEmpty());
    }

    // A report shown without a batch, also right after a batch's sheet, has
    // nothing to send.
    void noCurrentBatch()
    {
        ui::ScriptedUi scripted;
        ShowSheet(scripted, Wni, {});
        scripted.AnswerWindow("FormDrukRap", [](QWidget &) { PRESS(&Preview(), "ComWyslij"); });
        scripted.Answer("OK");
        FormDrukRap::OpenReport(ReportFolder + "wyniki.rpt", "Drukowanie");
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(!Sent());
        QVERIFY(scripted.Last().text.startsWith(
            "Wybierz (kliknij) pozycję do eksportu!\rSpróbuj ponownie!\r3021"));
        QCOMPARE(scripted.Last().title, QStringLiteral("EKSPORT DO PLIKU"));
        QCOMPARE(Preview().cursor().shape(), Qt::ArrowCursor);
    }

    // Every showing zooms to 87 %; closing, in any way, switches "Wyślij
    // wynik" on again after a caller switched it off.
    void showingAndClosing_data()
    {
        QTest::addColumn<QString>("close");
        QTest::newRow("Zamknij") << "CmdAnuluj";
        QTest::newRow("Esc") << "Esc";
    }

    void showingAndClosing()
    {
        QFETCH(QString, close);
        Preview().ComWyslij->setEnabled(false);
        QString seen;
        ui::ScriptedUi scripted;
        ShowSheet(scripted, Wni, [&](QWidget &w) {
            // The letterhead and the title at the top of page 1 are in view.
            const QScrollBar *vertical =
                Preview().CRViewer->findChild<QGraphicsView *>()->verticalScrollBar();
            seen =
                QString::number(Preview().CRViewer->zoomPercent()) +
                (Preview().ComWyslij->isEnabled() ? "+" : "-") +
                (vertical->maximum() > 0 && vertical->value() == vertical->minimum() ? "top"
                                                                                     : "scrolled");
            if (close == "Esc")
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                PRESS(&Preview(), "CmdAnuluj");
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(seen, QStringLiteral("87-top"));
        QVERIFY(!Preview().isVisible());
        QVERIFY(Preview().ComWyslij->isEnabled());
    }

    // Each box the send shows with the answer it gets, what reaches the mail
    // client, and whether the batch ends up marked as sent.
    void sendBranches_data()
    {
        QTest::addColumn<QString>("wni");
        QTest::addColumn<Signer>("signer");
        QTest::addColumn<int>("mailFailure");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("attachment");

        const QString now = "Przygotowanie pliku zakończone powodzeniem!\rCzy wysłać teraz?|Yes";
        const QString anyway = "Brak adresata wiadomości w bazie PIW!\rCzy chcesz wysłać mimo to?|";
        const QString sign = "Czy podpisać plik elektronicznie teraz?|";
        const QString notSigned = "Plik nie został podpisany elektronicznie!|OK";
        const QString sendSigned = "Czy wysłać zaszyfrowany plik teraz?|";
        const QString noSigner =
            "Brak programu do podpisu elekronicznego: proCertumSecureSign.exe!|OK";
        const QString noSig = "Plik: " + ResultFile +
                              " nie został podpisany! Wykonaj podpis elektroniczny ponownie!|OK";
        const QString cancelled = "Przerwano wysyłanie pliku na życzenie użytkownika!\r32001-|OK";
        const QString unknown = "99990001";
        const QString left = "Czy wiadomość została wysłana?|Yes";

        QTest::newRow("not now") << Wni << Signer::None << 0 << QStringList{now.chopped(3) + "No"}
                                 << "";
        QTest::newRow("no recipient, given up")
            << unknown << Signer::None << 0 << QStringList{now, anyway + "No"} << "";
        QTest::newRow("no recipient, sent anyway")
            << unknown << Signer::None << 0
            << QStringList{now, anyway + "Yes", sign + "No", notSigned, left} << ResultFile;
        QTest::newRow("no signer")
            << Wni << Signer::None << 0
            << QStringList{now, sign + "Yes", noSigner, sendSigned + "Yes", noSig} << "";
        QTest::newRow("signer without .sig")
            << Wni << Signer::Silent << 0
            << QStringList{now, sign + "Yes", sendSigned + "Yes", noSig} << "";
        QTest::newRow("signed, not sent")
            << Wni << Signer::Signing << 0 << QStringList{now, sign + "Yes", sendSigned + "No"}
            << "";
        QTest::newRow("signed") << Wni << Signer::Signing << 0
                                << QStringList{now, sign + "Yes", sendSigned + "Yes", left}
                                << ResultFile + ".sig";
        // The message reached the mail client, where the operator discarded it.
        QTest::newRow("discarded in the mail client")
            << Wni << Signer::Signing << 0
            << QStringList{now, sign + "Yes", sendSigned + "Yes", left.chopped(3) + "No", cancelled}
            << ResultFile + ".sig";
        QTest::newRow("cancelled mail")
            << Wni << Signer::None << 32001 << QStringList{now, sign + "No", notSigned, cancelled}
            << "";
    }

    void sendBranches()
    {
        QFETCH(QString, wni);
        QFETCH(Signer, signer);
        QFETCH(int, mailFailure);
        QFETCH(QStringList, boxes);
        QFETCH(QString, attachment);
        F::AddBatch(12, Wni);
        QDir().mkpath(QFileInfo(F::Real(ResultFile)).path());
        QFile(F::Real(ResultFile)).open(QIODevice::WriteOnly);
        if (signer != Signer::None)
            InstallSigner(signer == Signer::Signing);
        shell::ShellRecorder shellRecorder;
        mail::MailRecorder mailRecorder;
        if (mailFailure)
            mailRecorder.FailNextSend(mailFailure);
        ui::ScriptedUi scripted;
        for (const QString &box : boxes)
            scripted.Answer(box.section('|', 1));

        send(wni);

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), boxes.size());
        for (int i = 0; i < boxes.size(); ++i) {
            const ui::ShownDialog &shown = scripted.Log()[i];
            QVERIFY2(shown.text.startsWith(boxes[i].section('|', 0, 0)), qPrintable(shown.text));
            const bool question = boxes[i].section('|', 1) != "OK";
            QCOMPARE(shown.style, question ? 292 : 64);
            const QString title = question                           ? "Wysyłanie!"
                                  : boxes[i].startsWith("Przerwano") ? "EKSPORT DO PLIKU"
                                                                     : "INFORMACJA";
            QCOMPARE(shown.title, title);
        }
        if (signer != Signer::None) {
            QCOMPARE(shellRecorder.Calls().size(), 1);
            QCOMPARE(shellRecorder.Calls()[0].arguments, QStringList({"-f", F::Real(ResultFile)}));
            // The signer's window may stay open: the register must not wait for it.
            QVERIFY(!shellRecorder.Calls()[0].waited);
        }
        QCOMPARE(mailRecorder.Sent().size(), attachment.isEmpty() ? 0 : 1);
        if (!attachment.isEmpty()) {
            QCOMPARE(mailRecorder.Sent()[0].attachment, attachment);
            QCOMPARE(mailRecorder.Sent()[0].subject,
                     "MervaskLab - Zakład: " + wni + ", z dnia: 05.03.2024");
        }
        QCOMPARE(Sent(), !attachment.isEmpty() && !boxes.last().startsWith("Przerwano"));
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
        StaleDb.Execute(column.isValid() ? "UPDATE PARAMETRY SET PARAM1 = '" + column.toString() +
                                               "' WHERE KLUCZ = 'EmailWynik'"
                                         : "DELETE FROM PARAMETRY WHERE KLUCZ = 'EmailWynik'");
        F::AddInspectorate("2000", "PIW Iksów", "Iksów", email, "szyfr@x.example");
        F::AddBatch(12, Wni);
        mail::MailRecorder mailRecorder;
        ui::ScriptedUi scripted;
        for (const char *answer : {"Yes", "No", "OK", "Yes"})
            scripted.Answer(answer);
        send("  20000001");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(mailRecorder.Sent().size(), 1);
        QTEST(mailRecorder.Sent()[0].recipient, "recipient");
    }

    // A mail client that is missing or fails is reported; nothing is sent.
    void mailErrors_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("sign-on") << 32050 << "Problemy z wysłaniem widomości! \rSpróbuj ponownie!";
        QTest::newRow("no mail client") << 32026 << "Błąd eksportu! 32026";
        QTest::newRow("hand-off failed") << 32002 << "Błąd eksportu! 32002";
    }

    void mailErrors()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        mail::MailRecorder mailRecorder;
        number == 32050 ? mailRecorder.FailNextSignOn(number) : mailRecorder.FailNextSend(number);
        ui::ScriptedUi scripted;
        scripted.Answer("OK");
        mail::MAPISession session;
        mail::MAPIMessages messages;
        QVERIFY(!Send_Mail(session, messages, "a@b.example", "temat", " ", ResultFile));
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY2(scripted.Last().text.startsWith(text), qPrintable(scripted.Last().text));
        QCOMPARE(session.SessionID(), 0L);
    }
};

QTEST_MAIN(tst_PreviewAndSend)
#include "tst_PreviewAndSend.moc"
