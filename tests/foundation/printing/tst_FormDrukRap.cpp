#include "PrintingFixture.h"

#include "batches/PrzedDr.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/RuntimeError.h"
#include "platform/mail/MailRecorder.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace
{

const QString SheetFolder = QStringLiteral("C:\\MervaskLab\\Eksport\\20240305\\");

FormDrukRap &Preview()
{
    return ui::WindowRegistry::Instance<FormDrukRap>();
}

QString PdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    p.waitForFinished(-1);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Stages batch 12 as the print does, without its dialogs.
void StageBatch12()
{
    for (const char *table : {"Partia", "Badanie", "NazwaTmp"})
        CzyscPrzedDr(QLatin1String(table));
    QVERIFY(
        PrzedDr(QStringLiteral("Partia"), QStringLiteral("Partia"), QStringLiteral("12"), false));
    QVERIFY(
        PrzedDr(QStringLiteral("Badanie"), QStringLiteral("Partia"), QStringLiteral("12"), true));
    FillWynikTMP(PrintingFixture::BatchList(12));
}

} // namespace

// The report runner with the preview window: the list reports over the
// dictionaries, the result sheet exported to its PDF file, and the window's
// own rules.
class tst_FormDrukRap : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrintingFixture> fixture_;

    // Shows the result sheet of batch 12 and presses "Wyślij wynik" in it.
    void sendFromPreview(const QString &wni)
    {
        fixture_->AddBatch(12, wni);
        for (int i = 1; i <= 3; ++i)
            fixture_->AddSample(12, i, 4710 + i, QStringLiteral("filary przepony"));
        StageBatch12();
        FormDrukRap &preview = Preview();
        preview.BatchRegister = [] { return PrintingFixture::BatchList(12); };
        ui::ScriptedUi *scripted = ui::ScriptedUi::Current();
        scripted->AnswerWindow(QStringLiteral("FormDrukRap"),
                               [](QWidget &) { Preview().ComWyslij->click(); });
        ShowCrystalReport(ReportFolder + QStringLiteral("wyniki.rpt"), preview,
                          QStringLiteral("Drukowanie"), QStringLiteral(" {Partia.Partia} = 12"),
                          QString(), QString());
    }

private slots:
    void init()
    {
        fixture_ = std::make_unique<PrintingFixture>();
        QVERIFY(fixture_->IsValid());
    }
    void cleanup() { fixture_.reset(); }

    void listReports_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("zlewnia") << "zlewnia.rpt"
                                 << QStringList{"LISTA ZAKŁADÓW", "Zakład Mięsny „Żubr”",
                                                "10610001", "Laboratorium"};
        QTest::newRow("producen") << "producen.rpt"
                                  << QStringList{"LISTA PIW", "PIW Łódź", "piw@lodz.example"};
    }

    void listReports()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, texts);
        fixture_->AddEstablishment(QStringLiteral("10610001"),
                                   QStringLiteral("Zakład Mięsny „Żubr”"), QStringLiteral("Łódź"));
        fixture_->AddInspectorate(QStringLiteral("1061"), QStringLiteral("PIW Łódź"),
                                  QStringLiteral("Łódź"), QStringLiteral("piw@lodz.example"));
        QString shown;
        QString caption;
        ui::ScriptedUi scripted;
        scripted.AnswerWindow(QStringLiteral("FormDrukRap"), [&](QWidget &w) {
            caption = w.windowTitle();
            shown = Preview().CRViewer->document().pageText(0);
        });

        ShowCrystalReport(ReportFolder + file, Preview(), QStringLiteral("Drukowanie"), QString(),
                          QString(), QString());

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(caption, QStringLiteral("Drukowanie"));
        for (const QString &text : texts)
            QVERIFY2(shown.contains(text), qPrintable(text + QStringLiteral(" not in:\n") + shown));
    }

    void missingDefinitionIsAnError()
    {
        ui::ScriptedUi scripted;
        try {
            ShowCrystalReport(ReportFolder + QStringLiteral("brak.rpt"), Preview(),
                              QStringLiteral("Drukowanie"), QString(), QString(), QString());
            QFAIL("no error");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.Number(), 53);
        }
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The sheet goes to ProgramFolder\Eksport\<working day>\<county>\ under
    // the batch's default name, and reads as the batch's result.
    void resultPdfAtItsPath()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        fixture_->AddEstablishment(QStringLiteral("10610001"),
                                   QStringLiteral("Zakład Mięsny „Żubr”"), QStringLiteral("Łódź"));
        const QString file =
            SheetFolder + QStringLiteral("1061\\12MervaskLab20240305-Zaklad10610001");
        mail::MailRecorder mailRecorder;
        ui::ScriptedUi scripted;
        scripted.AnswerFile(file);
        scripted.Answer(QStringLiteral("No"));

        sendFromPreview(QStringLiteral("10610001"));

        SCRIPTED_UI_VERIFY(scripted);
        const ui::ShownDialog save = scripted.Log()[1];
        QCOMPARE(save.kind, ui::ShownDialog::SaveFile);
        QCOMPARE(save.value, file);
        QCOMPARE(save.filter, QStringLiteral("Plik PDF (*.pdf)|*.pdf"));
        QVERIFY(QFile::exists(fixture_->Real(file)));
        const QString text = PdfText(fixture_->Real(file));
        for (const char *expected :
             {"12/3/2024", "Zakład Mięsny „Żubr”", "4711", "4712", "4713", "nie stwierdzono"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY(mailRecorder.Sent().isEmpty());
    }

    // A short WNI names the county folder by itself; a cancelled save writes
    // nothing and says nothing.
    void cancelledSaveIsSilent()
    {
        ui::ScriptedUi scripted;
        scripted.CancelFile();

        sendFromPreview(QStringLiteral("106"));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 2);
        QCOMPARE(scripted.Log()[1].value,
                 SheetFolder + QStringLiteral("106\\12MervaskLab20240305-Zaklad106"));
        QVERIFY(QDir(fixture_->Real(SheetFolder + QStringLiteral("106"))).isEmpty());
    }

    void noCurrentBatch()
    {
        fixture_->AddBatch(12, QStringLiteral("10610001"));
        StageBatch12();
        ui::ScriptedUi scripted;
        scripted.AnswerWindow(QStringLiteral("FormDrukRap"),
                              [](QWidget &) { Preview().ComWyslij->click(); });
        scripted.Answer(QStringLiteral("OK"));

        ShowCrystalReport(ReportFolder + QStringLiteral("wyniki.rpt"), Preview(),
                          QStringLiteral("Drukowanie"), QString(), QString(), QString());

        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(scripted.Last().text.startsWith(
            QStringLiteral("Wybierz (kliknij) pozycję do eksportu!\rSpróbuj ponownie!\r3021")));
        QCOMPARE(scripted.Last().title, QStringLiteral("EKSPORT DO PLIKU"));
        QCOMPARE(scripted.Last().style, 64);
    }

    // Every showing zooms to 87 %; closing, in any way, switches "Wyślij
    // wynik" on again after a caller switched it off.
    void showingAndClosing_data()
    {
        QTest::addColumn<QString>("close");
        QTest::newRow("Zamknij") << "CmdAnuluj";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("left open") << "";
    }

    void showingAndClosing()
    {
        QFETCH(QString, close);
        fixture_->AddBatch(12, QStringLiteral("10610001"));
        StageBatch12();
        Preview().ComWyslij->setEnabled(false);
        int zoom = 0;
        bool sendEnabled = true;
        ui::ScriptedUi scripted;
        scripted.AnswerWindow(QStringLiteral("FormDrukRap"), [&](QWidget &w) {
            zoom = Preview().CRViewer->zoomPercent();
            sendEnabled = Preview().ComWyslij->isEnabled();
            if (close == QLatin1String("Esc"))
                QTest::keyClick(&w, Qt::Key_Escape);
            else if (!close.isEmpty())
                Preview().CmdAnuluj->click();
        });

        ShowCrystalReport(ReportFolder + QStringLiteral("wyniki.rpt"), Preview(),
                          QStringLiteral("Drukowanie"), QString(), QString(), QString());

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(zoom, 87);
        QVERIFY(!sendEnabled);
        QVERIFY(!Preview().isVisible());
        QVERIFY(Preview().ComWyslij->isEnabled());
    }
};

QTEST_MAIN(tst_FormDrukRap)
#include "tst_FormDrukRap.moc"
