#include "FixtureTest.h"
#include "SamplesFixture.h"

#include "foundation/Globals.h"
#include "platform/db/DaoError.h"
#include "platform/ui/MsgBox.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleOrderImport.h"
#include "samples/SampleStore.h"
#include "samples/SampleValidator.h"

#include <QtTest>

using F = SamplesFixture;

namespace
{

SampleFrameValues validFrame()
{
    SampleFrameValues v;
    v.carcass = QStringLiteral("13");
    v.tray = QStringLiteral("2");
    v.codeWni = F::Wni;
    v.codeNumber = QStringLiteral("013");
    v.codeDate = QStringLiteral("04032024");
    v.tissue = QStringLiteral("filary przepony");
    v.species = QStringLiteral("Świnie");
    v.sex = QStringLiteral("Tucznik");
    v.daily = QStringLiteral("7");
    v.general = QStringLiteral("70");
    v.result = QStringLiteral("nie stwierdzono");
    v.description = QStringLiteral("Próbka bez zmian");
    v.remarks = QStringLiteral("linia1\r\nlinia2");
    return v;
}

const SampleValidator::Lookups nothingTaken{
    [](qint64) { return false; }, [](qint64) { return false; }, [](qint64) { return false; }};

dao::Recordset batchSamples(int batch)
{
    return MonthDb.OpenRecordset(SampleStore::BatchSource(batch));
}

SampleStore::Target target(int batch)
{
    return {batch, F::Day};
}

} // namespace

// The sample register's rules without its window: the proposals, the save's
// checks in their order, the save's transaction and the import of an order
// file's sample lines.
class tst_SampleRules : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

private slots:
    void proposalsAreTheHighestPlusOne()
    {
        const QDate day = F::Day;
        QCOMPARE(SampleNumbering::NextCarcass(MonthDb, 12), 1);
        QCOMPARE(SampleNumbering::NextDaily(MonthDb, day), std::optional<qint16>(1));
        QCOMPARE(SampleNumbering::NextGeneral(MonthDb), std::optional<qint32>(1));

        F::AddSample(12, 12, 4, 40);
        F::AddSample(12, 3, QVariant(), QVariant()); // numbers missing: ignored
        F::AddSample(13, 30, 9, 41);                 // same day, another batch
        F::AddSample(14, 50, 20, 42, {{QStringLiteral("DataDoLab"), day.addDays(1)}});
        QCOMPARE(SampleNumbering::NextCarcass(MonthDb, 12), 13);
        QCOMPARE(SampleNumbering::NextDaily(MonthDb, day), std::optional<qint16>(10));
        QCOMPARE(SampleNumbering::NextDaily(MonthDb, day.addDays(2)), std::optional<qint16>(1));
        QCOMPARE(SampleNumbering::NextGeneral(MonthDb), std::optional<qint32>(43));

        // No proposal rather than a number that only looks free.
        QCOMPARE(SampleNumbering::NextDaily(MonthDb, std::nullopt), std::nullopt);
        F::AddSample(15, 1, 32767, 43);
        QCOMPARE(SampleNumbering::NextDaily(MonthDb, day), std::nullopt);
        QCOMPARE(SampleNumbering::ProposalText(SampleNumbering::NextDaily(MonthDb, day)),
                 QString());

        QVERIFY(SampleNumbering::CarcassTaken(MonthDb, 12, 12));
        QVERIFY(!SampleNumbering::CarcassTaken(MonthDb, 13, 12));
        QVERIFY(SampleNumbering::DailyTaken(MonthDb, day, 9));
        QVERIFY(!SampleNumbering::DailyTaken(MonthDb, day, 20));
        QCOMPARE(SampleNumbering::FirstDailyTaken(MonthDb, day, 5, 10), std::optional<qint64>(9));
        QCOMPARE(SampleNumbering::FirstGeneralTaken(MonthDb, 30, 10), std::nullopt);
        QCOMPARE(SampleNumbering::FirstGeneralTaken(MonthDb, 30, 12), std::optional<qint64>(40));
    }

    void checksRefuseInTheirOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("focus");
        const int plain = ui::vbOKOnly;
        const int info = ui::vbInformation;
        QTest::newRow("no carcass")
            << "carcass"
            << "" << 1 << "Wprowadź numer tuszy!" << plain << "TextNrProbki";
        QTest::newRow("no tray") << "tray"
                                 << "" << 2 << "Wprowadź numer Tacy!" << plain << "TextNrTacy";
        QTest::newRow("tray text")
            << "tray"
            << "2a" << 3 << "Nieprawidłowy nr tacy. Popraw!" << plain << "TextNrTacy";
        QTest::newRow("tray fraction")
            << "tray"
            << "1,5" << 3 << "Nieprawidłowy nr tacy. Popraw!" << plain << "TextNrTacy";
        QTest::newRow("no code number")
            << "codeNumber"
            << "" << 4 << "Wprowadź numer próbki!" << plain << "TextIDProbkiNr";
        QTest::newRow("no code date")
            << "codeDate"
            << "" << 5 << "Wprowadź poprawny numer tuszy!" << plain << "TextIDProbkiData";
        QTest::newRow("blank species") << "species"
                                       << "  " << 6 << "Wybierz gatunek!" << info << "ComboGatunek";
        QTest::newRow("no sex") << "sex"
                                << "" << 7 << "Wybierz płeć!" << info << "ComboPlec";
        QTest::newRow("no tissue")
            << "tissue"
            << "" << 8 << "Wybierz materiał badany!" << info << "ComboTkanka";
        QTest::newRow("31 characters")
            << "description" << QString(31, QLatin1Char('x')) << 9
            << "Opis i stan próbki w chwili przyjęcia nie może być dłuższy niż 30 znaków! Popraw!"
            << plain << "ComboOpis";
        QTest::newRow("daily text")
            << "daily"
            << "x" << 10 << "Nieprawidłowy numer dzienny. Popraw!" << plain << "TextNrDzien";
        QTest::newRow("daily beyond 16 bits")
            << "daily"
            << "32768" << 10 << "Nieprawidłowy numer dzienny. Popraw!" << plain << "TextNrDzien";
        QTest::newRow("general empty")
            << "general"
            << "" << 12 << "Nieprawidłowy numer ogólny. Popraw!" << plain << "TextNrOgolny";
    }

    void checksRefuseInTheirOrder()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        SampleFrameValues v = validFrame();
        const std::pair<const char *, QString *> fields[] = {
            {"carcass", &v.carcass},        {"tray", &v.tray},       {"codeNumber", &v.codeNumber},
            {"codeDate", &v.codeDate},      {"species", &v.species}, {"sex", &v.sex},
            {"tissue", &v.tissue},          {"daily", &v.daily},     {"general", &v.general},
            {"description", &v.description}};
        // Check 12 would refuse too: the first refusal wins.
        v.general = QStringLiteral("x");
        for (const auto &[name, box] : fields)
            if (field == QLatin1String(name))
                *box = value;
        const std::optional<Refusal> fault = SampleValidator::Check(v, {}, nothingTaken);
        QVERIFY(fault);
        QTEST(fault->check, "check");
        QTEST(fault->text, "text");
        QTEST(fault->style, "style");
        QTEST(fault->focus, "focus");
        QCOMPARE(fault->title.isEmpty(), fault->style == ui::vbOKOnly);
    }

    void uniquenessChecksOnlyWhenAddingOrChanged()
    {
        int asked = 0;
        const SampleValidator::Lookups allTaken{[&](qint64) { return ++asked, true; },
                                                [&](qint64) { return ++asked, true; },
                                                [&](qint64) { return ++asked, true; }};
        SampleFrameValues v = validFrame();
        v.description = QString(30, QLatin1Char('x'));
        std::optional<Refusal> fault = SampleValidator::Check(v, {}, allTaken);
        QCOMPARE(fault->check, 11);
        QCOMPARE(fault->text, QStringLiteral("Nr dzienny: 7 już istnieje! Popraw!"));
        QCOMPARE(fault->title, QStringLiteral("KONTROLA POPRAWNOŚCI"));
        QCOMPARE(fault->style, ui::vbExclamation);

        // A correction keeping its numbers (also typed as "013") asks nothing.
        const std::optional<SampleValidator::Numbers> loaded = SampleValidator::Numbers{
            QStringLiteral("13"), QStringLiteral("7"), QStringLiteral("70")};
        v.carcass = QStringLiteral("013");
        QVERIFY(!SampleValidator::Check(v, loaded, allTaken));
        QCOMPARE(asked, 1);

        v.general = QStringLiteral(" 71");
        fault = SampleValidator::Check(v, loaded, allTaken);
        QCOMPARE(fault->check, 13);
        QCOMPARE(fault->text, QStringLiteral("Nr ogólny: 71 już istnieje! Popraw!"));
        QCOMPARE(fault->focus, QStringLiteral("TextNrOgolny"));

        v.general = QStringLiteral("70");
        v.carcass = QStringLiteral("14 ");
        fault = SampleValidator::Check(v, loaded, allTaken);
        QCOMPARE(fault->check, 14);
        QCOMPARE(fault->text, QStringLiteral("Próbka o numerze: 14 już istnieje.\r\nPopraw nr "
                                             "próbki!"));
    }

    // The checks run where the row is written: what another workstation
    // saved in between is seen, and nothing is written then.
    void saveChecksAndWritesInOneTransaction()
    {
        F::AddBatch(12);
        dao::Recordset mine = batchSamples(12);
        dao::Recordset theirs = batchSamples(12);
        SampleFrameValues v = validFrame();
        auto saved = SampleStore::Save(theirs, v, {}, target(12));
        QVERIFY(std::holds_alternative<dao::Bookmark>(saved));
        QCOMPARE(F::Rows(MonthDb, QStringLiteral("Badanie")).value(0),
                 (QVariantMap{{QStringLiteral("Partia"), 12},
                              {QStringLiteral("NrProbki"), 13},
                              {QStringLiteral("NrTacy"), 2},
                              {QStringLiteral("IDProbkiWNI"), F::Wni},
                              {QStringLiteral("IDProbkiNr"), QStringLiteral("013")},
                              {QStringLiteral("IDProbkiData"), QStringLiteral("04032024")},
                              {QStringLiteral("NazTkanka"), QStringLiteral("filary przepony")},
                              {QStringLiteral("Gatunek"), QStringLiteral("Świnie")},
                              {QStringLiteral("Plec"), QStringLiteral("Tucznik")},
                              {QStringLiteral("NrDzien"), 7},
                              {QStringLiteral("NrOgolny"), 70},
                              {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")},
                              {QStringLiteral("Opis"), QStringLiteral("Próbka bez zmian")},
                              {QStringLiteral("DataDoLab"), F::Day},
                              {QStringLiteral("Uwagi"), QStringLiteral("linia1\r\nlinia2")},
                              {QStringLiteral("IDProbki"), F::Wni + QStringLiteral("01304032024")},
                              {QStringLiteral("NrKolczyka"), QVariant()},
                              {QStringLiteral("Wiek"), QVariant()},
                              {QStringLiteral("Jakosc"), QVariant()},
                              {QStringLiteral("RodzajUboju"), QVariant()}}));

        // The frame shows the row as it was saved.
        theirs.setBookmark(std::get<dao::Bookmark>(saved));
        QCOMPARE(SampleStore::Values(theirs), v);

        v.carcass = QStringLiteral("14");
        auto refused = SampleStore::Save(mine, v, {}, target(12));
        QCOMPARE(std::get<Refusal>(refused).check, 11);
        v.daily = QStringLiteral("8");
        QCOMPARE(std::get<Refusal>(SampleStore::Save(mine, v, {}, target(12))).check, 13);
        v.general = QStringLiteral("71");
        v.carcass = QStringLiteral("13");
        QCOMPARE(std::get<Refusal>(SampleStore::Save(mine, v, {}, target(12))).check, 14);
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 1);
        QVERIFY(!MonthDb.InTransaction());

        // A field refusing its value leaves nothing half written.
        v.carcass = QStringLiteral("15");
        v.species = QString(21, QLatin1Char('s'));
        try {
            SampleStore::Save(mine, v, {}, target(12));
            QFAIL("a species of 21 characters was stored");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.Number(), int(dao::err::FieldTooSmall));
        }
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 1);
        QVERIFY(!MonthDb.InTransaction());
    }

    // A correction goes into the row loaded, wherever the list stands.
    void correctionWritesTheLoadedRow()
    {
        F::AddSample(12, 1, 1, 1);
        F::AddSample(12, 2, 2, 2);
        dao::Recordset rs = batchSamples(12);
        const LoadedRow first = RememberRow(rs);
        rs.MoveLast();
        SampleFrameValues v = validFrame();
        v.carcass = QStringLiteral("1");
        v.daily = QStringLiteral("1");
        v.general = QStringLiteral("1");
        v.result = QStringLiteral("stwierdzono");
        const auto saved = SampleStore::Save(rs, v, first, target(12));
        QCOMPARE(std::get<dao::Bookmark>(saved), first.Bookmark());
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie ORDER BY NrProbki"),
                          QStringLiteral("Wynik")),
                 QStringList({QStringLiteral("stwierdzono"), QString()}));
    }

    void negativeFillAsksOnlyForWithdrawn()
    {
        const char *results[] = {"stwierdzono", "odstąpienie", "", "odstąpienie"};
        for (int i = 0; i < 4; ++i)
            F::AddSample(12, i + 1, i + 1, 100 + i,
                         {{QStringLiteral("Wynik"), QString::fromUtf8(results[i])}});
        F::AddSample(13, 1, 9, 200);
        dao::Recordset rs = batchSamples(12);
        QStringList asked;
        SampleStore::FillNegative(rs, [&](const QString &general) {
            asked.append(general);
            return general == QLatin1String("101");
        });
        QCOMPARE(asked, QStringList({QStringLiteral("101"), QStringLiteral("103")}));
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie ORDER BY NrOgolny"),
                          QStringLiteral("Wynik")),
                 QStringList({QStringLiteral("nie stwierdzono"), QStringLiteral("nie stwierdzono"),
                              QStringLiteral("nie stwierdzono"), QStringLiteral("odstąpienie"),
                              QString()}));
        SampleStore::FillDescription(rs, QString());
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie WHERE Partia = 12"),
                          QStringLiteral("Opis")),
                 QStringList(4, QString()));
    }

    void sampleLinesFollowTheMarker()
    {
        QCOMPARE(SampleOrderImport::SampleLines({QStringLiteral("[partiaMervask]|1")}),
                 std::nullopt);
        QCOMPARE(
            SampleOrderImport::SampleLines(
                {QStringLiteral("Zlecenie"), QStringLiteral("  [PartiaMervask]x|1|2  "),
                 QStringLiteral("P|1"), QString(), QStringLiteral("[PartiaMervask]")}),
            QStringList({QStringLiteral("P|1"), QString(), QStringLiteral("[PartiaMervask]")}));
        QCOMPARE(SampleOrderImport::SampleLines({QStringLiteral("[PartiaMervask]")}),
                 QStringList());
        QCOMPARE(SampleOrderImport::Fields(QStringLiteral(" P|7|W|007|04032024|2|filary "
                                                          "|Świnie|Tucznik|uwaga 'a'|x|y ")),
                 QStringList({QStringLiteral("7"), QStringLiteral("W"), QStringLiteral("007"),
                              QStringLiteral("04032024"), QStringLiteral("2"),
                              QStringLiteral("filary "), QStringLiteral("Świnie"),
                              QStringLiteral("Tucznik"), QStringLiteral("uwaga 'a'")}));
        QCOMPARE(SampleOrderImport::Fields(QStringLiteral("P|7")),
                 QStringList({QStringLiteral("7"), QString(), QString(), QString(), QString(),
                              QString(), QString(), QString(), QString()}));
    }

    void importNumbersOnAndStopsAtAFailingLine()
    {
        F::AddSample(11, 1, 14, 229);
        QStringList lines;
        for (int i = 1; i <= 6; ++i)
            lines.append(
                QStringLiteral("P|%1|%2|%3|04032024|1|filary przepony|%4|Tucznik|")
                    .arg(i)
                    .arg(F::Wni)
                    .arg(i, 3, 10, QLatin1Char('0'))
                    .arg(i == 5 ? QString(21, QLatin1Char('s')) : QStringLiteral("Świnie")));
        dao::Recordset rs = batchSamples(12);
        SampleOrderImport::Outcome outcome = SampleOrderImport::Run(rs, lines, 15, 230, 12, F::Day);
        QCOMPARE(outcome.stored, 4);
        QVERIFY(outcome.error);
        QCOMPARE(outcome.error->Number(), int(dao::err::FieldTooSmall));
        QVERIFY(!MonthDb.InTransaction());
        const QString stored = QStringLiteral("SELECT * FROM Badanie WHERE Partia = 12 ORDER BY "
                                              "NrDzien");
        QCOMPARE(F::Texts(stored, QStringLiteral("NrDzien")),
                 QStringList({"15", "16", "17", "18"}));
        QCOMPARE(F::Texts(stored, QStringLiteral("NrOgolny")),
                 QStringList({"230", "231", "232", "233"}));
        QCOMPARE(F::Texts(stored, QStringLiteral("IDProbki")).value(3),
                 F::Wni + QStringLiteral("00404032024"));
        QCOMPARE(F::Texts(stored, QStringLiteral("DataDoLab")).value(0), F::DeliveryDate);
        const SampleOrderImport::Message message =
            SampleOrderImport::FailureMessage(*outcome.error, outcome.failedSampleId);
        QVERIFY(message.text.startsWith(
            QStringLiteral("Jedna z wartości wczytywanego pliku jest nieprawidłowa.\r")));
        QVERIFY(message.text.endsWith(QStringLiteral("\r3163-") + outcome.error->Description()));
        QCOMPARE(message.title, QStringLiteral("IMPORT Z PLIKU"));

        // A range running into a stored number writes nothing at all.
        outcome = SampleOrderImport::Run(rs, lines.mid(0, 3), 12, 400, 12, F::Day);
        QCOMPARE(outcome.stored, 0);
        QCOMPARE(outcome.clash->text, QStringLiteral("Nr dzienny: 14 już istnieje! Popraw!"));
        outcome = SampleOrderImport::Run(rs, lines.mid(0, 3), 100, 227, 12, F::Day);
        QCOMPARE(outcome.clash->text, QStringLiteral("Nr ogólny: 229 już istnieje! Popraw!"));
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 5);
        // So does a range running past the daily or the general field.
        for (const auto &[daily, general] :
             {std::pair<qint64, qint64>{32766, 600}, std::pair<qint64, qint64>{600, 2147483646}})
            QVERIFY_THROWS_EXCEPTION(
                RuntimeError,
                SampleOrderImport::Run(rs, lines.mid(0, 3), daily, general, 12, F::Day));
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 5);
        QVERIFY(!MonthDb.InTransaction());

        // An empty line after the marker ends the import as a conversion.
        outcome = SampleOrderImport::Run(rs, {lines.at(5), QString()}, 100, 500, 12, F::Day);
        QCOMPARE(outcome.stored, 1);
        QCOMPARE(outcome.error->Number(), int(dao::err::ConversionError));
        QCOMPARE(SampleOrderImport::FailureMessage(*outcome.error, QString()).text,
                 QStringLiteral("Błąd wczytania! Sprawdź opcję programu: 'Wczytuj szyfrowane "
                                "pliki'!"));
    }
};

QTEST_MAIN(tst_SampleRules)
#include "tst_SampleRules.moc"
