#include "DigestionFixture.h"
#include "FixtureTest.h"

#include "digestion/EquipmentListStore.h"
#include "digestion/RunStore.h"
#include "digestion/RunValidator.h"
#include "digestion/TrayRanges.h"
#include "foundation/Globals.h"
#include "platform/RuntimeError.h"

#include <QtTest>

using F = DigestionFixture;

namespace
{

// A run frame that passes every check.
RunFrameValues runFrame(const QString &number)
{
    RunFrameValues v;
    v.number = number;
    v.trays = "1-5";
    v.sampleCount = "100";
    v.sampleWeight = "7,5";
    v.pepsin = "10.25";
    v.acid = "16 ml";
    v.temperature = "44";
    v.temperatureMax = "46";
    v.result = "nie stwierdzono";
    v.startDate = "05.03.2024";
    v.performedBy = "Łucja Żak";
    return v;
}

FrameTexts trayFrame(const QString &number)
{
    return {
        {"NrTacy", number}, {"NrTusz", "1-20"}, {"NrTuszTucznik", "1-20,25"}, {"IlProbek", "20"}};
}

LoadedRow runRow(int batch, int run)
{
    dao::Recordset rs = RunStore::OpenRuns(MonthDb, batch);
    rs.FindFirst(QStringLiteral("Nastawienie = ") + QString::number(run));
    const LoadedRow row = RememberRow(rs);
    rs.Close();
    return row;
}

QString runValue(int batch, int run, const char *field)
{
    return F::Column(MonthDb,
                     QStringLiteral("SELECT * FROM Nastawienie WHERE Partia = %1 And Nastawienie "
                                    "= %2")
                         .arg(batch)
                         .arg(run),
                     field)
        .join(u'|');
}

} // namespace

// The rules of the run window without the window: number tests, the count
// from a carcass range, the card's tray text, and the run, tray and
// equipment-list statements.
class tst_RunRules : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

private slots:
    void runNumberChecks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString missing = "Wprowadź numer nastawienia!";
        const QString wrong = "Nieprawidłowy numer nastawienia. Popraw!";
        QTest::newRow("empty") << "" << missing;
        for (const char *text : {" ", "A1", "2,5", "1e3", "&H10", "99999", "32768", "+-1"})
            QTest::newRow(text) << text << wrong;
        for (const char *text : {"7", " 07 ", "-3", "32767", "0"})
            QTest::newRow(text) << text << "";
    }

    // Run numbers are 16-bit integers: anything else, also a number past
    // 32767, gets the Part's message instead of an overflow later.
    void runNumberChecks()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        const std::optional<Refusal> fault = RunValidator::CheckRunNumber(text);
        QCOMPARE(fault ? fault->text : QString(), message);
        if (fault)
            QCOMPARE(fault->focus, QStringLiteral("TextNastawienie"));
    }

    void decimalsTakeEitherSeparator()
    {
        QCOMPARE(RunValidator::DecimalValue("7,5"), std::optional<double>(7.5));
        QCOMPARE(RunValidator::DecimalValue(" 7.5 "), std::optional<double>(7.5));
        QCOMPARE(RunValidator::DecimalValue("-,5"), std::optional<double>(-0.5));
        for (const char *text : {"7,5,1", "1e3", "", " ", "7 ml", "1.5.2"})
            QVERIFY2(!RunValidator::DecimalValue(text), text);
    }

    void countFromRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("count"); // "-" for the information message
        QTest::newRow("range") << "201-250"
                               << "50";
        QTest::newRow("single number kept as written") << "7"
                                                       << "7";
        QTest::newRow("blanks around a range") << " 1 - 20 "
                                               << "20";
        QTest::newRow("beyond 16 bits") << "1-40000"
                                        << "40000";
        for (const char *text :
             {"250-201", "5-5", "a-10", "1-3,5", "1-20,25", "abc", "", "1-", "-"})
            QTest::newRow(text) << text << "-";
    }

    void countFromRange()
    {
        QFETCH(QString, text);
        QFETCH(QString, count);
        QCOMPARE(TrayRanges::CountFromRange(text).value_or("-"), count);
    }

    void nrTuszRazem()
    {
        QCOMPARE(TrayRanges::NrTuszRazem("", "", "", "", ""), QString());
        QCOMPARE(TrayRanges::NrTuszRazem("", "", "", "", "5"), QStringLiteral("5(Inne)"));
        QCOMPARE(TrayRanges::NrTuszRazem("1-20", "", "", "31", ""),
                 QStringLiteral("1-20(T), 31(D)"));
        QCOMPARE(TrayRanges::NrTuszRazem("1", "2", "3", "4", "5"),
                 QStringLiteral("1(T), 2(M), 3(K), 4(D), 5(Inne)"));
        const QString full(255, u'9');
        QCOMPARE(TrayRanges::NrTuszRazem(full, full, full, full, full).size(),
                 5 * 255 + 3 * 4 + 4 * 2 + 6);
    }

    void jumpNeedsOneCarcass()
    {
        QCOMPARE(TrayRanges::SingleCarcass(" 12 "), std::optional<int>(12));
        for (const char *text : {"201-250", "1,5", "1e3", "", " ", "12 13"})
            QVERIFY2(!TrayRanges::SingleCarcass(text), text);
    }

    void nextRunNumber()
    {
        QCOMPARE(RunStore::NextRunNumber(MonthDb, 12), 1);
        for (int run : {2, 5, 1})
            F::AddRun(12, run);
        F::AddRun(13, 9);
        QCOMPARE(RunStore::NextRunNumber(MonthDb, 12), 6);
    }

    // A stored run shows each field in its own box, and saved unchanged keeps
    // every field: each value goes back to the field it was read from.
    void runValuesGoBackToTheirFields()
    {
        static const char *const fields[] = {"Partia",
                                             "Nastawienie",
                                             "NrTac",
                                             "IlProbek",
                                             "Nawazka",
                                             "Pepsyna",
                                             "Kwas",
                                             "Temperatura",
                                             "TemperaturaMax",
                                             "Czas",
                                             "CzasSedymentacji1",
                                             "CzasSedymentacji2",
                                             "Waga",
                                             "Termometr",
                                             "Mieszadlo",
                                             "Trychinoskop",
                                             "OdczynnikHCL",
                                             "OdczynnikPepsyna",
                                             "Sito",
                                             "Wynik",
                                             "DataRozpBad",
                                             "GodzRozpBad",
                                             "DataZakBad",
                                             "GodzZakBad",
                                             "Uwagi",
                                             "Wykonujacy",
                                             "Odpowiedzialny"};
        F::AddRun(12, 5,
                  {{"NrTac", "1-5"},
                   {"IlProbek", 100},
                   {"Nawazka", 7.5},
                   {"Pepsyna", 10.25},
                   {"Kwas", 16},
                   {"Temperatura", "44"},
                   {"TemperaturaMax", "46"},
                   {"Czas", "30"},
                   {"CzasSedymentacji1", "10"},
                   {"CzasSedymentacji2", "11"},
                   {"Waga", "W-1"},
                   {"Termometr", "T-2"},
                   {"Mieszadlo", "M-3"},
                   {"Trychinoskop", "Tr-4"},
                   {"OdczynnikHCL", "H-5"},
                   {"OdczynnikPepsyna", "P-6"},
                   {"Sito", "S-7"},
                   {"Wynik", "nie stwierdzono"},
                   {"DataRozpBad", F::Day},
                   {"GodzRozpBad", "08:00"},
                   {"DataZakBad", F::Day.addDays(1)},
                   {"GodzZakBad", "09:30"},
                   {"Uwagi", "uwaga"},
                   {"Wykonujacy", "Łucja Żak"},
                   {"Odpowiedzialny", "Jan Nowak"}});
        const auto row = [] {
            QStringList values;
            for (const char *field : fields)
                values << runValue(12, 5, field);
            return values;
        };
        const QStringList before = row();
        dao::Recordset rs = RunStore::OpenRuns(MonthDb, 12);
        const RunFrameValues values = RunStore::RunValues(rs);
        rs.Close();
        const QStringList shown{
            values.number,        values.trays,         values.sampleCount,   values.sampleWeight,
            values.pepsin,        values.acid,          values.temperature,   values.temperatureMax,
            values.digestionTime, values.settlingTime1, values.settlingTime2, values.scales,
            values.thermometer,   values.stirrer,       values.trichinoscope, values.acidSeries,
            values.pepsinSeries,  values.sieve,         values.result,        values.startDate,
            values.startTime,     values.endDate,       values.endTime,       values.remarks,
            values.performedBy,   values.responsible};
        QCOMPARE(shown, QStringList({"5",
                                     "1-5",
                                     "100",
                                     "7,5",
                                     "10,25",
                                     "16",
                                     "44",
                                     "46",
                                     "30",
                                     "10",
                                     "11",
                                     "W-1",
                                     "T-2",
                                     "M-3",
                                     "Tr-4",
                                     "H-5",
                                     "P-6",
                                     "S-7",
                                     "nie stwierdzono",
                                     "05.03.2024",
                                     "08:00",
                                     "06.03.2024",
                                     "09:30",
                                     "uwaga",
                                     "Łucja Żak",
                                     "Jan Nowak"}));
        QVERIFY(std::holds_alternative<dao::Bookmark>(
            RunStore::SaveRun(MonthDb, 12, values, runRow(12, 5))));
        QCOMPARE(row(), before);
    }

    // A new run is written with its quantities read as numbers or Null; a
    // taken number is refused within the batch only.
    void newRunWritten()
    {
        F::AddRun(12, 3);
        F::AddRun(13, 4);
        QVERIFY(std::holds_alternative<Refusal>(RunStore::SaveRun(MonthDb, 12, runFrame("3"), {})));
        QVERIFY(std::holds_alternative<dao::Bookmark>(
            RunStore::SaveRun(MonthDb, 12, runFrame("4"), {})));
        QCOMPARE(runValue(12, 4, "Nawazka") + '|' + runValue(12, 4, "Pepsyna") + '|' +
                     runValue(12, 4, "Kwas") + '|' + runValue(12, 4, "IlProbek"),
                 QStringLiteral("7.5|10.25||100"));
        QCOMPARE(runValue(12, 4, "DataRozpBad") + '|' + runValue(12, 4, "DataZakBad"),
                 QStringLiteral("05.03.2024|"));
        QCOMPARE(runValue(12, 4, "Wykonujacy"), QStringLiteral("Łucja Żak"));
    }

    // Changing the number moves the trays with their run; "07" for run 7 is
    // no change; a write that fails leaves run and trays as they were.
    void renumberMovesTrays()
    {
        F::AddRun(12, 2);
        F::AddRun(12, 7);
        for (int tray : {1, 2, 3})
            F::AddTray(12, 2, tray);
        F::AddTray(13, 2, 9);

        QVERIFY(std::holds_alternative<dao::Bookmark>(
            RunStore::SaveRun(MonthDb, 12, runFrame("07"), runRow(12, 7))));
        const auto taken = RunStore::SaveRun(MonthDb, 12, runFrame("7"), runRow(12, 2));
        QCOMPARE(
            std::get<Refusal>(taken).text,
            QStringLiteral("Nastawienie o numerze: 7 już istnieje.\r\nPopraw nr nastawienia!"));

        RunFrameValues tooLong = runFrame("8");
        tooLong.responsible = QString(31, u'Ż');
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 RunStore::SaveRun(MonthDb, 12, tooLong, runRow(12, 2)));
        QCOMPARE(F::Trays(12, 2), QStringList({"1:10", "2:20", "3:30"}));
        QCOMPARE(runValue(12, 2, "Nastawienie"), QStringLiteral("2"));
        QCOMPARE(F::RowCount(MonthDb, "SELECT * FROM Nastawienie WHERE Nastawienie = 8"), 0);

        QVERIFY(std::holds_alternative<dao::Bookmark>(
            RunStore::SaveRun(MonthDb, 12, runFrame("8"), runRow(12, 2))));
        QCOMPARE(F::Trays(12, 8), QStringList({"1:10", "2:20", "3:30"}));
        QCOMPARE(F::Trays(13, 2), QStringList({"9:90"})); // another batch keeps its trays
    }

    // Tray numbers are unique within one run; an unchanged number is not
    // checked again.
    void trayNumberScope()
    {
        F::AddRun(12, 1);
        F::AddRun(12, 2);
        F::AddTray(12, 1, 3);
        const auto refused = RunStore::SaveTray(MonthDb, 12, 1, trayFrame(" 3 "), {});
        QCOMPARE(std::get<Refusal>(refused).title, QStringLiteral("KONTROLA POPRAWNOŚCI"));
        QCOMPARE(std::get<Refusal>(refused).text,
                 QStringLiteral("Taca o numerze: 3 już istnieje.\r\nPopraw nr tacy!"));
        QVERIFY(std::holds_alternative<dao::Bookmark>(
            RunStore::SaveTray(MonthDb, 12, 2, trayFrame("3"), {})));
        dao::Recordset trays = RunStore::OpenTrays(MonthDb, 12, 1);
        const LoadedRow tray = RememberRow(trays);
        trays.Close();
        QVERIFY(std::holds_alternative<dao::Bookmark>(
            RunStore::SaveTray(MonthDb, 12, 1, trayFrame("03"), tray)));
        QCOMPARE(
            F::Column(MonthDb, "SELECT * FROM PozycjaN WHERE Nastawienie = 1", "NrTuszTucznik"),
            QStringList{"1-20,25"});
    }

    // The run goes only with its last tray; trays kept keep their run.
    void deleteRunWithTrays()
    {
        F::AddRun(12, 1);
        F::AddTray(12, 1, 1);
        F::AddTray(12, 1, 2);
        dao::Recordset runs = RunStore::OpenRuns(MonthDb, 12);
        dao::Recordset trays = RunStore::OpenTrays(MonthDb, 12, 1);
        const dao::Bookmark first = trays.Bookmark();
        trays.MoveNext();
        const dao::Bookmark second = trays.Bookmark();

        QVERIFY(!RunStore::DeleteRun(MonthDb, runs, trays, {first}));
        QCOMPARE(F::Trays(12, 1), QStringList{"2:20"});
        QCOMPARE(F::RowCount(MonthDb, "Nastawienie"), 1);
        QVERIFY(RunStore::DeleteRun(MonthDb, runs, trays, {second}));
        QCOMPARE(F::RowCount(MonthDb, "Nastawienie") + F::RowCount(MonthDb, "PozycjaN"), 0);
        trays.Close();
        runs.Close();
    }

    // Row count + 1, unless an entry has that number already.
    void equipmentNumberProposed()
    {
        dao::Recordset list = StaleDb.OpenRecordset("SELECT * FROM Sito ORDER BY ID");
        QCOMPARE(EquipmentListStore::ProposedNumber(list), 1);
        for (const char *id : {"1", "2", "5"})
            F::AddRow(StaleDb, "Sito", {{"ID", id}, {"Wartosc", "S"}});
        list.Requery();
        QCOMPARE(EquipmentListStore::ProposedNumber(list), 4);
        F::AddRow(StaleDb, "Sito", {{"ID", "5"}, {"Wartosc", "S"}});
        list.Requery();
        QCOMPARE(EquipmentListStore::ProposedNumber(list), 6);
        list.Close();
    }

    // A correction goes into the loaded row; a failed write leaves no edit.
    void equipmentSave()
    {
        F::AddRow(StaleDb, "Sito", {{"ID", "1"}, {"Wartosc", "A"}});
        F::AddRow(StaleDb, "Sito", {{"ID", "2"}, {"Wartosc", "B"}});
        dao::Recordset list = StaleDb.OpenRecordset("SELECT * FROM Sito ORDER BY ID");
        const LoadedRow first = RememberRow(list);
        list.MoveLast();
        EquipmentListStore::Save(list, first, " 7 ", " Sito nr 7 ");
        QVERIFY_THROWS_EXCEPTION(
            RuntimeError, EquipmentListStore::Save(list, std::nullopt, "123456", "za długi numer"));
        QCOMPARE(list.EditMode(), dao::dbEditNone);
        list.Close();
        QCOMPARE(F::Column(StaleDb, "SELECT * FROM Sito ORDER BY Wartosc", "ID"),
                 QStringList({"2", "7"}));
        QCOMPARE(F::Column(StaleDb, "SELECT * FROM Sito ORDER BY Wartosc", "Wartosc"),
                 QStringList({"B", "Sito nr 7"}));
    }
};

QTEST_MAIN(tst_RunRules)
#include "tst_RunRules.moc"
