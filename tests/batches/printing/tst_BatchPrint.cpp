#include "PrintingFixture.h"

#include "batches/FormSeriaTest.h"
#include "batches/PrzedDr.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using F = PrintingFixture;

namespace
{

const QString Wni = QStringLiteral("10610001");

QString Text(const char *table, const char *field)
{
    return F::Value(RobotDb, QLatin1String(table), QLatin1String(field)).toString();
}

void Stage(int batch)
{
    const QString n = QString::number(batch);
    QVERIFY(PrzedDr(QStringLiteral("Partia"), QStringLiteral("Partia"), n, false));
    QVERIFY(PrzedDr(QStringLiteral("Badanie"), QStringLiteral("Partia"), n, true));
}

QString SheetText(const report::Document &doc)
{
    QString text;
    for (int i = 0; i < doc.pageCount(); ++i)
        text += doc.pageText(i);
    return text;
}

} // namespace

// The print of a batch's result sheet: staging, the WynikTMP texts, the
// selection of one batch, and the print from the button to the preview.
class tst_BatchPrint : public QObject
{
    Q_OBJECT

    std::unique_ptr<PrintingFixture> fixture_;

private slots:
    void init()
    {
        fixture_ = std::make_unique<PrintingFixture>();
        QVERIFY(fixture_->IsValid());
        fixture_->AddEstablishment(Wni, QStringLiteral("Zakład Mięsny „Żubr” Sp. z o.o."),
                                   QStringLiteral("Łódź"));
        fixture_->AddInspectorate(QStringLiteral("1061"),
                                  QStringLiteral("Powiatowy Inspektorat Weterynarii"),
                                  QStringLiteral("Łódź"), QStringLiteral("piw@lodz.example"));
    }
    void cleanup() { fixture_.reset(); }

    // Polish texts and a quote in a tissue name pass unchanged; samples come
    // in daily-number order; each tissue is listed once, none for a sample
    // without one; another batch stays out.
    void stagingCopiesOneBatch()
    {
        fixture_->AddBatch(12, Wni,
                           {{"Uwagi", QStringLiteral("Próbki dostarczył kierowca Łukasz")}});
        fixture_->AddBatch(13, Wni);
        fixture_->AddSample(12, 3, 503, QStringLiteral("filary przepony"));
        fixture_->AddSample(12, 1, 501, QStringLiteral("ozór 'język' świni"));
        fixture_->AddSample(12, 2, 502, QStringLiteral("filary przepony"));
        fixture_->AddSample(12, 4, 504, QString());
        fixture_->AddSample(13, 5, 505, QStringLiteral("inne"));

        Stage(12);

        QCOMPARE(F::Column(RobotDb, "Partia", "Partia"), QStringList{"12"});
        QCOMPARE(Text("Partia", "Przyjal"), QStringLiteral("Józef Wąsik"));
        QCOMPARE(Text("Partia", "Uwagi"), QStringLiteral("Próbki dostarczył kierowca Łukasz"));
        QVERIFY(!F::Value(RobotDb, "Partia", "TNWyslane").isValid());
        QCOMPARE(F::Column(RobotDb, "Badanie", "NrProbki"),
                 QStringList({"501", "502", "503", "504"}));
        QCOMPARE(F::Column(RobotDb, "NazwaTMP", "Nazwa"),
                 QStringList({"ozór 'język' świni", "filary przepony"}));
    }

    // A copy that fails is reported under "Drukowanie" & the table; the print
    // stops there and leaves nothing of that copy behind.
    void failedStagingStopsThePrint()
    {
        fixture_->AddBatch(12, Wni);
        fixture_->AddSample(12, 1, 501, QStringLiteral("filary przepony"));
        RobotDb.Execute(QStringLiteral("ALTER TABLE Badanie DROP COLUMN Wynik"));
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("OK"));

        PrintBatchResult(F::BatchList(12));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().title, QStringLiteral("DrukowanieBadanie"));
        QVERIFY(scripted.Last().text.startsWith(QStringLiteral("3265")));
        QCOMPARE(F::RowCount(RobotDb, "Badanie"), 0);
        QCOMPARE(F::RowCount(RobotDb, "NazwaTMP"), 0);
    }

    void sheetNumber_data()
    {
        QTest::addColumn<QVariant>("count");
        QTest::addColumn<QVariant>("delivered");
        QTest::addColumn<QString>("number");
        QTest::newRow("full") << QVariant("3") << QVariant(F::Day) << "12/3/2024";
        QTest::newRow("no count") << QVariant() << QVariant(F::Day) << "12//2024";
        QTest::newRow("no delivery date") << QVariant("3") << QVariant() << "12/3/";
    }

    void sheetNumber()
    {
        QFETCH(QVariant, count);
        QFETCH(QVariant, delivered);
        QFETCH(QString, number);
        fixture_->AddBatch(12, Wni, {{"IlProbek", count}, {"DataDoLab", delivered}});
        FillWynikTMP(F::BatchList(12));
        QCOMPARE(Text("WynikTMP", "Numer"), number);
    }

    // The ordering party, owner and payer texts, with "j.w." for repeats.
    void parties_data()
    {
        QTest::addColumn<QString>("orderingParty");
        QTest::addColumn<QString>("orderingType");
        QTest::addColumn<QString>("payer");
        QTest::addColumn<QString>("ordering");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("paying");

        const QString zubr =
            QStringLiteral("Zakład Mięsny „Żubr” Sp. z o.o.\rŁódź ul. Źródlana 7, 90-001 Łódź");
        const QString other =
            QStringLiteral("Gospodarstwo Kowalczyk\rZgierz ul. Źródlana 7, 90-001 Zgierz");
        QTest::newRow("owner orders and pays") << Wni << "Rzeźnia"
                                               << "Z" << zubr << "j.w."
                                               << "j.w.";
        QTest::newRow("owner pays") << "10620002"
                                    << "Gospodarstwo"
                                    << "W" << other << zubr << zubr;
        QTest::newRow("ordering party pays") << "10620002"
                                             << "Gospodarstwo"
                                             << "Z" << other << zubr << other;
        QTest::newRow("inspectorate named PIW")
            << "1062"
            << "PIW"
            << "Z"
            << "PIW Zgierz, ul. Weterynaryjna 2, 90-100 Zgierz" << zubr
            << "PIW Zgierz, ul. Weterynaryjna 2, 90-100 Zgierz";
        QTest::newRow("nobody registered") << "99990009"
                                           << "Rzeźnia"
                                           << "Z"
                                           << ""
                                           << ""
                                           << "";
    }

    void parties()
    {
        QFETCH(QString, orderingParty);
        QFETCH(QString, orderingType);
        QFETCH(QString, payer);
        fixture_->AddEstablishment(QStringLiteral("10620002"),
                                   QStringLiteral("Gospodarstwo Kowalczyk"),
                                   QStringLiteral("Zgierz"));
        fixture_->AddInspectorate(QStringLiteral("1062"), QStringLiteral("PIW"),
                                  QStringLiteral("Zgierz"), QVariant());
        const QString owner = QTest::currentDataTag() == QByteArray("nobody registered")
                                  ? QStringLiteral("99990009")
                                  : Wni;
        fixture_->AddBatch(12, owner,
                           {{"ZleceniodawcaWNI", orderingParty},
                            {"ZleceniodawcaTypWNI", orderingType},
                            {"Platnik", payer}});

        FillWynikTMP(F::BatchList(12));

        QTEST(Text("WynikTMP", "Zleceniodawca"), "ordering");
        QTEST(Text("WynikTMP", "Wlasciciel"), "owner");
        QTEST(Text("WynikTMP", "Platnik"), "paying");
    }

    // The county inspectorate by the first four characters of the trimmed
    // WNI; the one staged row is restored whatever WynikTMP held before.
    void inspectorateAndOneRow_data()
    {
        QTest::addColumn<int>("rowsBefore");
        QTest::newRow("one row") << 1;
        QTest::newRow("row missing") << 0;
        QTest::newRow("two rows") << 2;
    }

    void inspectorateAndOneRow()
    {
        QFETCH(int, rowsBefore);
        RobotDb.Execute(QStringLiteral("DELETE FROM WynikTMP"));
        for (int i = 0; i < rowsBefore; ++i)
            F::AddRow(RobotDb, QStringLiteral("WynikTMP"), {{"Numer", QStringLiteral("1/1/2023")}});
        fixture_->AddBatch(12, QStringLiteral("  ") + Wni);

        const QString inspectorate = FillWynikTMP(F::BatchList(12));

        const QString expected = QStringLiteral("1061 - Powiatowy Inspektorat Weterynarii Łódź");
        QCOMPARE(inspectorate, expected);
        QCOMPARE(F::Column(RobotDb, "WynikTMP", "PIW"), QStringList{expected});
        QCOMPARE(F::Value(RobotDb, "WynikTMP", "DataGodzUboju").toDate(), F::Day.addDays(-1));
        QVERIFY(!F::Value(RobotDb, "WynikTMP", "DataGodzZakBad").isValid());
    }

    // Several batches staged side by side: the formula shows one of them.
    void selectionFormulaPicksOneBatch()
    {
        for (int batch : {12, 13, 14}) {
            fixture_->AddBatch(batch, Wni);
            for (int i = 1; i <= 3; ++i)
                fixture_->AddSample(batch, batch * 10 + i, batch * 100 + 70 + i,
                                    QStringLiteral("filary przepony"));
            Stage(batch);
        }

        const QString text = SheetText(
            RenderCrystalReport(ReportFolder + QStringLiteral("wyniki.rpt"),
                                QStringLiteral(" {Partia.Partia} = 13"), QString(), QString()));

        for (const char *shown : {"1371", "1372", "1373"})
            QVERIFY2(text.contains(QLatin1String(shown)), shown);
        for (const char *hidden : {"1271", "1471"})
            QVERIFY2(!text.contains(QLatin1String(hidden)), hidden);
    }

    void emptyList()
    {
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("OK"));
        PrintBatchResult(F::BatchList(12));
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text, QStringLiteral("Brak danych do wydruku!"));
        QCOMPARE(scripted.Last().title, QStringLiteral("DRUKOWANIE"));
        QCOMPARE(scripted.Last().style, 48);
    }

    // The settings dialog gets the inspectorate line; Cancel there ends the
    // print with the batch staged, OK opens the sheet of that batch.
    void printFromTheButton_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("OK") << true;
        QTest::newRow("Anuluj") << false;
    }

    void printFromTheButton()
    {
        QFETCH(bool, confirmed);
        fixture_->AddBatch(12, Wni);
        fixture_->AddSample(12, 1, 501, QStringLiteral("filary przepony"));
        QString firstLine;
        QString sheet;
        ui::ScriptedUi scripted;
        scripted.AnswerWindow(QStringLiteral("FormSeriaTest"), [&](QWidget &) {
            FormSeriaTest &settings = ui::WindowRegistry::Instance<FormSeriaTest>();
            firstLine = settings.TextOtrzymuja1->text();
            settings.Option2->setChecked(true);
            (confirmed ? settings.ComOk : settings.ComAnulujFr)->click();
        });
        if (confirmed)
            scripted.AnswerWindow(QStringLiteral("FormDrukRap"), [&](QWidget &w) {
                QCOMPARE(w.windowTitle(), QStringLiteral("Drukowanie"));
                sheet = SheetText(ui::WindowRegistry::Instance<FormDrukRap>().CRViewer->document());
            });

        PrintBatchResult(F::BatchList(12));

        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(firstLine, QStringLiteral("1061 - Powiatowy Inspektorat Weterynarii Łódź"));
        QCOMPARE(F::RowCount(RobotDb, "Badanie"), 1);
        QCOMPARE(FormRequest, confirmed ? QStringLiteral("OK") : QStringLiteral("ANULUJ"));
        QCOMPARE(sheet.contains(QStringLiteral(
                     "PIW pochodzenia materiału w przypadku zakładów utylizacyjnych")),
                 confirmed);
        QCOMPARE(sheet.contains(QStringLiteral("Nr 12/3/2024")), confirmed);
    }
};

QTEST_MAIN(tst_BatchPrint)
#include "tst_BatchPrint.moc"
