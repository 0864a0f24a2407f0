#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"
#include "PrintingFixture.h"

#include "batches/FormSeriaTest.h"
#include "batches/PrzedDr.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

using F = PrintingFixture;

namespace
{

const QString Wni = "10610001";
const QString Zubr = "Zakład Mięsny „Żubr”\rŁódź ul. Źródlana 7, 90-001 Łódź";
const QString Farm = "Gospodarstwo Kowalczyk\rZgierz ul. Źródlana 7, 90-001 Zgierz";
const QString Inspectorate = "1061 - Powiatowy Inspektorat Weterynarii Łódź";
const QString SecondLine = "PIW pochodzenia materiału w przypadku zakładów utylizacyjnych";

QString Staged(const char *table, const char *field)
{
    return F::Value(RobotDb, table, field).toString();
}

void Stage(int batch)
{
    QVERIFY(PrzedDr("Partia", "Partia", QString::number(batch), false));
    QVERIFY(PrzedDr("Badanie", "Partia", QString::number(batch), true));
}

QString SheetText(const report::Document &doc)
{
    QString text;
    for (int i = 0; i < doc.pageCount(); ++i)
        text += doc.pageText(i);
    return text;
}

FormSeriaTest &Settings()
{
    return ui::WindowRegistry::Instance<FormSeriaTest>();
}

// Shows the settings dialog as the print does and lets `operate` work in it.
void ShowSettings(const std::function<void(FormSeriaTest &)> &operate)
{
    ui::ScriptedUi scripted;
    scripted.AnswerWindow("FormSeriaTest", [&](QWidget &) { operate(Settings()); });
    FormRequest = "OK";
    ui::ShowModal(Settings());
    SCRIPTED_UI_VERIFY(scripted);
}

} // namespace

// The print of a batch's result sheet: staging, the WynikTMP texts, the
// selection of one batch, the print settings, and the print from the button.
class tst_BatchPrint : public FixtureTest<PrintingFixture>
{
    Q_OBJECT

    void Prepare() override
    {
        F::AddEstablishment(Wni, "Zakład Mięsny „Żubr”", "Łódź");
        F::AddEstablishment("10620002", "Gospodarstwo Kowalczyk", "Zgierz");
        F::AddInspectorate("1061", "Powiatowy Inspektorat Weterynarii", "Łódź", "piw@lodz.example");
        F::AddInspectorate("1062", "PIW", "Zgierz", QVariant());
    }

private slots:
    // Polish texts and a quote in a tissue name pass unchanged; samples come
    // in daily-number order; each tissue is listed once, none for a sample
    // without one; another batch stays out.
    void stagingCopiesOneBatch()
    {
        F::AddBatch(12, Wni, {{"Uwagi", "Próbki dostarczył kierowca Łukasz"}});
        F::AddBatch(13, Wni);
        F::AddSample(12, 3, 503, "filary przepony");
        F::AddSample(12, 1, 501, "ozór 'język' świni");
        F::AddSample(12, 2, 502, "filary przepony");
        F::AddSample(12, 4, 504, QString());
        F::AddSample(13, 5, 505, "inne");

        Stage(12);

        QCOMPARE(F::Column(RobotDb, "Partia", "Partia"), QStringList{"12"});
        QCOMPARE(Staged("Partia", "Przyjal"), QStringLiteral("Józef Wąsik"));
        QCOMPARE(Staged("Partia", "Uwagi"), QStringLiteral("Próbki dostarczył kierowca Łukasz"));
        QVERIFY(!F::Value(RobotDb, "Partia", "TNWyslane").isValid());
        QCOMPARE(F::Column(RobotDb, "Badanie", "NrProbki"),
                 QStringList({"501", "502", "503", "504"}));
        QCOMPARE(F::Column(RobotDb, "NazwaTMP", "Nazwa"),
                 QStringList({"ozór 'język' świni", "filary przepony"}));
    }

    // A failed staging step is reported and ends the print: no settings, no
    // sheet, nothing of the failed copy left.
    void failedStagingStopsThePrint_data()
    {
        QTest::addColumn<bool>("databaseOpen");
        QTest::addColumn<QString>("caption");
        QTest::newRow("column missing") << true << "DrukowanieBadanie";
        QTest::newRow("no staging database") << false << "Drukowanie";
    }

    void failedStagingStopsThePrint()
    {
        QFETCH(bool, databaseOpen);
        F::AddBatch(12, Wni);
        F::AddSample(12, 1, 501, "filary przepony");
        if (databaseOpen)
            RobotDb.Execute("ALTER TABLE Badanie DROP COLUMN Wynik");
        else
            RobotDb.Close();
        ui::ScriptedUi scripted;
        scripted.Answer("OK");

        PrintBatchResult(F::BatchList(12));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 1);
        QTEST(scripted.Last().title, "caption");
        if (databaseOpen)
            QCOMPARE(F::RowCount(RobotDb, "Badanie") + F::RowCount(RobotDb, "NazwaTMP"), 0);
    }

    // While another program has begun to write the staging file, a print
    // waits for it once, as any write does; it is then refused with one box,
    // and the staging tables keep what the last print left.
    void aPrintWaitsForAnotherWriteOfTheStagingFile()
    {
        F::AddBatch(12, Wni);
        F::AddSample(12, 1, 501, "filary przepony");
        F::AddBatch(13, Wni);
        F::AddSample(13, 1, 601, "inne");
        ui::ScriptedUi scripted;
        QVERIFY(StageBatchResult(F::BatchList(13)));
        other_workstation::Holder other(RobotDb, other_workstation::Holder::Beginning);
        QVERIFY(other.Ready());
        scripted.Answer("OK");
        const quint64 waits = dao::DBEngine::LockWaits();

        PrintBatchResult(F::BatchList(12));

        QCOMPARE(dao::DBEngine::LockWaits() - waits, 1u);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 1);
        QCOMPARE(scripted.Last().text,
                 QStringLiteral("3218Nie można zaktualizować; obecnie zablokowane."));
        QVERIFY(other.LetGo());
        QVERIFY(!RobotDb.InTransaction());
        QCOMPARE(F::Column(RobotDb, "Badanie", "NrProbki"), QStringList{"601"});
    }

    // A staging file whose WynikTMP cannot take the sheet: the error is
    // reported once the staging is undone, no settings, no sheet, and the
    // staging tables still hold the batch staged before.
    void aFailedSheetStagingKeepsTheLastOne()
    {
        F::AddBatch(12, Wni);
        F::AddSample(12, 1, 501, "filary przepony");
        F::AddBatch(13, Wni);
        F::AddSample(13, 1, 601, "inne");
        F::AddSample(13, 2, 602, "ozór");
        ui::ScriptedUi scripted;
        QCOMPARE(StageBatchResult(F::BatchList(13)), std::optional<QString>(Inspectorate));
        RobotDb.Execute("ALTER TABLE WynikTMP DROP COLUMN Wlasciciel");
        scripted.Answer("OK");

        PrintBatchResult(F::BatchList(12));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 1);
        QCOMPARE(scripted.Last().title, QStringLiteral("Drukowanie"));
        QVERIFY(!RobotDb.InTransaction());
        QCOMPARE(F::Column(RobotDb, "Partia", "Partia"), QStringList{"13"});
        QCOMPARE(F::Column(RobotDb, "Badanie", "NrProbki"), QStringList({"601", "602"}));
        QCOMPARE(F::Column(RobotDb, "NazwaTMP", "Nazwa"), QStringList({"inne", "ozór"}));
    }

    // A staging table missing from the file is refused as a recordset on it
    // is refused, and the others keep their rows.
    void aMissingStagingTableIsNamed()
    {
        F::AddBatch(12, Wni);
        Stage(12);
        RobotDb.Execute("DROP TABLE NazwaTMP");
        QString expected;
        try {
            RobotDb.OpenRecordset("SELECT * FROM NazwaTmp WHERE 0 = 1");
        } catch (const RuntimeError &error) {
            expected = QString::number(error.Number()) + ' ' + error.Description();
        }
        QVERIFY(!expected.isEmpty());
        try {
            CzyscPrzedDr({"Partia", "NazwaTmp"});
            QFAIL("a missing table was emptied");
        } catch (const RuntimeError &error) {
            QCOMPARE(QString::number(error.Number()) + ' ' + error.Description(), expected);
        }
        QCOMPARE(F::RowCount(RobotDb, "Partia"), 1);
    }

    // The sheet number and the ordering party, owner and payer texts, with
    // "j.w." only for a repeated text that says something.
    void wynikTmp_data()
    {
        QTest::addColumn<QVariantMap>("batch");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("ordering");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("payer");
        const QString piw = "PIW Zgierz, ul. Weterynaryjna 2, 90-100 Zgierz";
        QTest::newRow("owner orders and pays") << QVariantMap{} << "12/3/2024" << Zubr << "j.w."
                                               << "j.w.";
        QTest::newRow("owner pays, no sample count")
            << QVariantMap{{"ZleceniodawcaWNI", "10620002"},
                           {"Platnik", "W"},
                           {"IlProbek", QVariant()}}
            << "12//2024" << Farm << Zubr << Zubr;
        QTest::newRow("ordering party pays, no delivery date")
            << QVariantMap{{"ZleceniodawcaWNI", "10620002"}, {"DataDoLab", QVariant()}} << "12/3/"
            << Farm << Zubr << Farm;
        QTest::newRow("inspectorate named PIW")
            << QVariantMap{{"ZleceniodawcaWNI", "1062"}, {"ZleceniodawcaTypWNI", "PIW"}}
            << "12/3/2024" << piw << Zubr << piw;
        QTest::newRow("nobody registered")
            << QVariantMap{{"WNI", "99990009"}, {"ZleceniodawcaWNI", "99990009"}} << "12/3/2024"
            << ""
            << ""
            << "";
    }

    void wynikTmp()
    {
        QFETCH(QVariantMap, batch);
        F::AddBatch(12, Wni, batch);
        FillWynikTMP(F::BatchList(12));
        QTEST(Staged("WynikTMP", "Numer"), "number");
        QTEST(Staged("WynikTMP", "Zleceniodawca"), "ordering");
        QTEST(Staged("WynikTMP", "Wlasciciel"), "owner");
        QTEST(Staged("WynikTMP", "Platnik"), "payer");
    }

    // The county inspectorate by the first four characters of the trimmed
    // WNI; the one staged row is restored whatever WynikTMP held before.
    void inspectorateInTheOneRow_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::newRow("one row") << 1;
        QTest::newRow("row missing") << 0;
        QTest::newRow("two rows") << 2;
    }

    void inspectorateInTheOneRow()
    {
        QFETCH(int, rowsBefore);
        RobotDb.Execute("DELETE FROM WynikTMP");
        for (int i = 0; i < rowsBefore; ++i)
            F::AddRow(RobotDb, "WynikTMP", {{"Numer", "1/1/2023"}});
        F::AddBatch(12, "  " + Wni);

        QCOMPARE(FillWynikTMP(F::BatchList(12)), Inspectorate);
        QCOMPARE(F::Column(RobotDb, "WynikTMP", "PIW"), QStringList{Inspectorate});
        QCOMPARE(F::Value(RobotDb, "WynikTMP", "DataGodzUboju").toDate(), F::Day.addDays(-1));
        QVERIFY(!F::Value(RobotDb, "WynikTMP", "DataGodzZakBad").isValid());
    }

    // Several batches staged side by side: the formula shows one of them.
    void selectionFormulaPicksOneBatch()
    {
        for (int batch : {12, 13, 14}) {
            F::AddBatch(batch, Wni);
            for (int i = 1; i <= 3; ++i)
                F::AddSample(batch, batch * 10 + i, batch * 100 + 70 + i, "filary przepony");
            Stage(batch);
        }
        const QString text = SheetText(
            RenderCrystalReport(ReportFolder + "wyniki.rpt", " {Partia.Partia} = 13", "", ""));
        for (const char *shown : {"1371", "1372", "1373"})
            QVERIFY2(text.contains(shown), shown);
        for (const char *hidden : {"1271", "1471"})
            QVERIFY2(!text.contains(hidden), hidden);
    }

    // The dialog gets the inspectorate line; OK opens the sheet with the
    // chosen recipients, any other way out ends the print with the batch
    // staged.
    void printFromTheButton_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("OK") << "OK";
        QTest::newRow("Anuluj") << "Anuluj";
        QTest::newRow("Esc") << "Esc";
    }

    void printFromTheButton()
    {
        QFETCH(QString, way);
        const bool confirmed = way == "OK";
        F::AddBatch(12, Wni, {{"KodPIW", "1069"}});
        F::AddSample(12, 1, 501, "filary przepony");
        QString firstLine;
        QString sheet;
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormSeriaTest", [&](QWidget &w) {
            firstLine = Settings().TextOtrzymuja1->text();
            Settings().Option2->setChecked(true);
            if (way == "Esc")
                QTest::keyClick(&w, Qt::Key_Escape);
            else if (confirmed)
                PRESS(&Settings(), "ComOk");
            else
                PRESS(&Settings(), "ComAnulujFr");
        });
        if (confirmed)
            scripted.AnswerWindow("FormDrukRap", [&](QWidget &w) {
                QCOMPARE(w.windowTitle(), QStringLiteral("Drukowanie"));
                sheet = SheetText(ui::WindowRegistry::Instance<FormDrukRap>().CRViewer->document());
            });

        PrintBatchResult(F::BatchList(12));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(firstLine, Inspectorate);
        QCOMPARE(F::RowCount(RobotDb, "Badanie"), 1);
        QCOMPARE(FormRequest, confirmed ? QStringLiteral("OK") : QStringLiteral("ANULUJ"));
        QCOMPARE(sheet.contains("Nr 12/3/2024") && sheet.contains(SecondLine), confirmed);
        QCOMPARE(sheet.contains("Kod PIW:") && sheet.contains("1069"), confirmed);
    }

    // OK stores what the dialog shows, every showing starts from the
    // defaults, and the stored test name and series survive.
    void settingsStored_data()
    {
        QTest::addColumn<bool>("second");
        QTest::addColumn<bool>("storedTest");
        QTest::newRow("first line, test stored") << false << true;
        QTest::newRow("second line, no test row") << true << false;
    }

    void settingsStored()
    {
        QFETCH(bool, second);
        QFETCH(bool, storedTest);
        if (storedTest)
            F::AddRow(StaleDb, "PARAMETRY",
                      {{"KLUCZ", "Test"}, {"PARAM1", "Trichinella D'Or"}, {"PARAM2", "S-17"}});
        const QString firstLine = "  PIW Łódź, ul. Długa 1  ";
        for (int showing = 0; showing < 2; ++showing)
            ShowSettings([&](FormSeriaTest &d) {
                QCOMPARE(d.TextEgz->text(), QStringLiteral("1"));
                QCOMPARE(d.ComboPlatnik->currentText(), QStringLiteral("---"));
                QVERIFY(d.Option1->isChecked());
                QCOMPARE(d.TextOtrzymuja2->text(), SecondLine);
                RETYPE(&d, "TextOtrzymuja1", firstLine);
                RETYPE(&d, "TextOtrzymuja2", SecondLine + " i inni");
                (second ? d.Option2 : d.Option1)->setChecked(true);
                d.CheckLogoPCA->setChecked(!second);
                QCOMPARE(d.CheckLogoPCA->palette().color(QPalette::WindowText),
                         second ? QColor(Qt::black) : QColor(Qt::blue));
                RETYPE(&d, "ComboPlatnik", " właściciel ");
                RETYPE(&d, "TextEgz", " 2 ");
                PRESS(&d, "ComOk");
            });

        QCOMPARE(Staged("SeriaTest", "Otrzymuja"), second ? SecondLine + " i inni" : firstLine);
        QCOMPARE(Staged("SeriaTest", "LogoPCA"),
                 second ? QStringLiteral("N") : QStringLiteral("T"));
        QCOMPARE(Staged("SeriaTest", "Platnik") + Staged("SeriaTest", "Rachunek"),
                 QStringLiteral("właściciel---"));
        QCOMPARE(Staged("SeriaTest", "Egz") + Staged("SeriaTest", "Data"),
                 QStringLiteral("205.03.2024"));
        const QString test = storedTest ? "Trichinella D'Or|S-17" : "|";
        QCOMPARE(Staged("SeriaTest", "Test") + '|' + Staged("SeriaTest", "Seria"), test);
        const QString kept =
            F::Column(StaleDb, "SELECT * FROM PARAMETRY WHERE KLUCZ = 'Test'", "PARAM1").join(',') +
            '|' +
            F::Column(StaleDb, "SELECT * FROM PARAMETRY WHERE KLUCZ = 'Test'", "PARAM2").join(',');
        QCOMPARE(kept, test);
    }

    // A missing settings row is restored; a staging file without the
    // recipients' column keeps its old message and the print goes on.
    void outdatedStagingFile()
    {
        RobotDb.Execute("DELETE FROM SeriaTest");
        ShowSettings([](FormSeriaTest &d) { PRESS(&d, "ComOk"); });
        QCOMPARE(F::RowCount(RobotDb, "SeriaTest"), 1);

        RobotDb.Execute("ALTER TABLE SeriaTest DROP COLUMN Otrzymuja");
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormSeriaTest", [](QWidget &) { PRESS(&Settings(), "ComOk"); });
        scripted.Answer("OK");
        FormRequest = "OK";
        ui::ShowModal(Settings());
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text,
                 QStringLiteral("Brak pola na wpisanie danych o serii testu! Masz "
                                "nieaktualną bazę danych Robot.mdb!"));
        QCOMPARE(scripted.Last().style, 0);
        QCOMPARE(FormRequest, QStringLiteral("OK"));
    }
};

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<tst_BatchPrint>(argc, argv);
}

#include "tst_BatchPrint.moc"
