#include "platform/RuntimeError.h"
#include "platform/ui/CalendarDate.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/InputBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/UnscriptedDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace ui;

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::setApplicationDisplayName("MervaskLab"); }

    void scriptedAnswersAreReturnedInOrderAndLogged()
    {
        ScriptedUi script;
        script.Answer("Yes");
        script.Answer(vbNo);
        script.Answer("ok");
        QCOMPARE(MsgBox("Usunąć?", vbYesNo + vbExclamation + vbDefaultButton2, "USUWANIE!"), vbYes);
        QCOMPARE(MsgBox("Na pewno?", 308, "USUWANIE!"), vbNo);
        QCOMPARE(MsgBox("Zapisano."), vbOK);

        const ShownDialog first = script.Log().at(0);
        QCOMPARE(first.text, QStringLiteral("Usunąć?"));
        QCOMPARE(first.title, QStringLiteral("USUWANIE!"));
        QCOMPARE(first.Buttons(), vbYesNo);
        QCOMPARE(first.Icon(), vbExclamation);
        QCOMPARE(first.DefaultButton(), vbDefaultButton2);
        QCOMPARE(first.answer, QStringLiteral("Yes"));
        // A box without a title carries the application's title.
        QCOMPARE(script.Last().title, QStringLiteral("MervaskLab"));
        SCRIPTED_UI_VERIFY(script);
    }

    void scriptFailures()
    {
        QStringList unscripted;
        const ScriptedUi::UnscriptedHandler failTest = ScriptedUi::SetUnscriptedHandler(
            [&unscripted](const QString &problem) { unscripted.append(problem); });
        ScriptedUi script;
        // No answer queued: the box is closed as a user closes it without choosing.
        QCOMPARE(MsgBox("Brak danych!", vbInformation, "INFORMACJA"), int(vbOK));
        QCOMPARE(script.Last().text, QStringLiteral("Brak danych!"));
        // An answer the box does not offer.
        script.Answer("Cancel");
        QCOMPARE(MsgBox("Usunąć?", 292), int(vbNo));
        QCOMPARE(unscripted.size(), 2);
        QVERIFY(unscripted[0].contains("Brak danych!") && unscripted[1].contains("Cancel"));

        // Without a handler the box throws, and no handler's RuntimeError catch swallows it.
        ScriptedUi::SetUnscriptedHandler({});
        bool swallowed = false;
        try {
            try {
                MsgBox("Brak danych!", vbInformation, "INFORMACJA");
            } catch (const RuntimeError &) {
                swallowed = true;
            }
        } catch (const UnscriptedDialog &) {
        }
        ScriptedUi::SetUnscriptedHandler(failTest);
        QVERIFY(!swallowed);
        // Answers never used.
        script.AnswerInput("abc");
        script.AnswerWindow("FormPartia");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, script.Answer("Tak"));

        QVERIFY(!script.Verify());
        const QString problems = script.Problems();
        QCOMPARE(problems.count('\n'), 4);
        QVERIFY(problems.contains("Brak danych!") && problems.contains("Cancel"));
        QVERIFY(problems.contains("abc") && problems.contains("FormPartia"));
    }

    // A box no test expected fails the test function that met it, named by
    // its text, and the test program goes on with its next function.
    void anUnscriptedBoxFailsOnlyItsTestFunction()
    {
        QProcess probe;
        probe.setProcessChannelMode(QProcess::MergedChannels);
        probe.start(QStringLiteral(UNSCRIPTED_PROBE), QStringList());
        QVERIFY(probe.waitForFinished(120000));
        const QString output = QString::fromUtf8(probe.readAll());
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QVERIFY2(probe.exitCode() == 1, qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("FAIL!  : UnscriptedProbe::meetsAnUnscriptedBox() "
                                                "unscripted message box \"Czy usunąć partię "
                                                "5?\" titled \"PYTANIE\": no answer queued")),
                 qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("PASS   : UnscriptedProbe::runsAfterwards()")),
                 qPrintable(output));
    }

    void styleNumbersGiveButtonsIconAndDefault_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("defaultButton");
        QTest::addColumn<QString>("escapeButton");

        const QStringList yesNo{"&Nie", "&Tak"}, yesNoCancel{"&Nie", "&Tak", "Anuluj"};
        QTest::newRow("0") << 0 << QStringList{"OK"} << int(QMessageBox::NoIcon) << "OK"
                           << "OK";
        QTest::newRow("49") << 49 << QStringList{"Anuluj", "OK"} << int(QMessageBox::Warning)
                            << "OK"
                            << "Anuluj";
        QTest::newRow("64") << 64 << QStringList{"OK"} << int(QMessageBox::Information) << "OK"
                            << "OK";
        QTest::newRow("292") << 292 << yesNo << int(QMessageBox::Question) << "&Nie"
                             << "&Nie";
        QTest::newRow("308") << 308 << yesNo << int(QMessageBox::Warning) << "&Nie"
                             << "&Nie";
        QTest::newRow("3") << 3 << yesNoCancel << int(QMessageBox::NoIcon) << "&Tak"
                           << "Anuluj";
        QTest::newRow("515") << 515 << yesNoCancel << int(QMessageBox::NoIcon) << "Anuluj"
                             << "Anuluj";
        QTest::newRow("2, no Esc") << 2 << QStringList{"Ignoruj", "Ponów", "Przerwij"}
                                   << int(QMessageBox::NoIcon) << "Przerwij"
                                   << "";
    }

    void styleNumbersGiveButtonsIconAndDefault()
    {
        QFETCH(int, style);
        QFETCH(QStringList, buttons);
        QFETCH(int, icon);
        QFETCH(QString, defaultButton);
        QFETCH(QString, escapeButton);

        const auto box = CreateMsgBox("Tekst", style, "TYTUŁ");
        QStringList texts;
        for (QAbstractButton *button : box->buttons())
            texts.append(button->text());
        texts.sort();
        QCOMPARE(texts, buttons);
        QCOMPARE(int(box->icon()), icon);
        QCOMPARE(box->defaultButton()->text(), defaultButton);
        QCOMPARE(box->escapeButton() ? box->escapeButton()->text() : QString(), escapeButton);
    }

    void crIsALineBreakAndTextIsNotMarkup()
    {
        const auto box = CreateMsgBox("Niepoprawny format!\rSprawdź plik\r\n<b>x</b>", 48, "");
        QCOMPARE(box->text(), QStringLiteral("Niepoprawny format!\nSprawdź plik\n<b>x</b>"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->windowTitle(), QStringLiteral("MervaskLab"));
    }

    void realBoxReturnsTheButtonPressed_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("answer");
        QTest::newRow("Tak") << 292 << "&Tak" << vbYes;
        // The underlined letters answer from the keyboard, whichever button
        // is the default.
        QTest::newRow("Alt+T on No default") << 308 << "Alt+T" << vbYes;
        QTest::newRow("Alt+N on Yes default") << 36 << "Alt+N" << vbNo;
        QTest::newRow("Alt+N on Yes/No/Cancel") << 3 << "Alt+N" << vbNo;
        QTest::newRow("Esc on Yes/No") << 292 << "Esc" << vbNo;
        QTest::newRow("Esc on OK/Cancel") << 49 << "Esc" << vbCancel;
        QTest::newRow("Enter on No default") << 308 << "Enter" << vbNo;
        QTest::newRow("Ponów") << 2 << "Ponów" << vbRetry;
    }

    void realBoxReturnsTheButtonPressed()
    {
        QFETCH(int, style);
        QFETCH(QString, press);
        QFETCH(int, answer);
        QTimer::singleShot(0, qApp, [press] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            if (press.startsWith("Alt+")) {
                QVERIFY(QTest::qWaitForWindowActive(box));
                // A key that answers nothing leaves the box open: the default
                // button (never the expected answer) then closes it.
                auto *message = qobject_cast<QMessageBox *>(box);
                QTimer::singleShot(3000, message, [message] { message->defaultButton()->click(); });
                QTest::keyClick(box, press == "Alt+T" ? Qt::Key_T : Qt::Key_N, Qt::AltModifier);
                return;
            }
            if (press == "Esc" || press == "Enter")
                QTest::keyClick(box, press == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
            for (auto *button : box->findChildren<QPushButton *>()) {
                if (button->text() == press)
                    button->click();
            }
        });
        QCOMPARE(MsgBox("Pytanie", style, "PYTANIE"), answer);
    }

    void inputBoxFileDialogAndCalendar()
    {
        ScriptedUi script;
        script.AnswerInput("12");
        script.CancelInput();
        QCOMPARE(InputBox("Podaj numer:", "NUMER", "1"), QStringLiteral("12"));
        QCOMPARE(script.Last().value, QStringLiteral("1"));
        QCOMPARE(InputBox("Podaj numer:"), QString());

        script.AnswerFile("C:\\MervaskLab\\Eksport\\20240305\\2024-03-05.lzl");
        script.CancelFile();
        FileDialog dialog;
        dialog.FileName = "C:\\MervaskLab\\Eksport\\20240305\\2024-03-05";
        dialog.Filter = "All Files (*.*)|*.*|Plik tekstowy (*.lzl)|*.lzl";
        dialog.FilterIndex = 2;
        dialog.ShowSave();
        QCOMPARE(dialog.FileName,
                 QStringLiteral("C:\\MervaskLab\\Eksport\\20240305\\2024-03-05.lzl"));
        QCOMPARE(script.Last().kind, ShownDialog::SaveFile);
        QCOMPARE(script.Last().value,
                 QStringLiteral("C:\\MervaskLab\\Eksport\\20240305\\2024-03-05"));
        QCOMPARE(script.Last().filterIndex, 2);
        try {
            dialog.ShowOpen();
            QFAIL("a cancel must raise an error");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.Number(), FileDialog::ErrCancel);
            QCOMPARE(error.Description(), QStringLiteral("Anulowano."));
        }

        script.AnswerDate(QDate(2024, 3, 5));
        const QDate picked =
            CalendarDate("WYBIERZ DATĘ", QDate(2024, 1, 1), [] { return QDate(1999, 1, 1); });
        QCOMPARE(picked, QDate(2024, 3, 5));
        QCOMPARE(script.Last().date, QDate(2024, 1, 1));
        SCRIPTED_UI_VERIFY(script);
    }

    void fileFilters()
    {
        // "*.*" must match names without a dot here.
        QCOMPARE(FileDialog::NameFilters("All Files (*.*)|*.*|Tekst (*.txt)|*.txt"),
                 (QStringList{"All Files (*)", "Tekst (*.txt)"}));
        QCOMPARE(FileDialog::NameFilters("Plik PDF|*.pdf;*.PDF"),
                 (QStringList{"Plik PDF (*.pdf *.PDF)"}));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_Dialogs.moc"
