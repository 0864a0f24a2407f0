#include "FixtureTest.h"
#include "RegistersFixture.h"

#include "foundation/Globals.h"
#include "platform/RuntimeError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/MsgBox.h"
#include "registers/DictionaryStore.h"
#include "registers/RegisterRecords.h"

#include <QtTest>

// The registers' rules and statements without their windows.
class RegisterRulesTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private slots:
    void numericTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        for (const char *text : {" 7 ", "-3", "+12", "1,5", "1.5", ",5", "1e3", "2D1"})
            QTest::newRow(text) << QString::fromLatin1(text) << true;
        for (const char *text : {"", "   ", "7a", "1,5,1", "e3", "--1", "1 2", "'1'"})
            QTest::newRow(text) << QString::fromLatin1(text) << false;
    }

    void numericTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(DictionaryStore::IsNumeric(text), numeric);
    }

    // The one-byte numbers: the empty text's own message, then the numeric
    // test, then the range of whole numbers.
    void byteNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("number");
        const QString empty = "Wpisz kolejny nr!";
        const QString digit = "Wartość w polu Numer nie jest cyfrą. Popraw!";
        const QString range = "Numer musi być liczbą całkowitą od 0 do 255. Popraw!";
        QTest::newRow("blanks") << "  " << empty << 0;
        QTest::newRow("letters") << "x1" << digit << 0;
        QTest::newRow("256") << "256" << range << 0;
        QTest::newRow("-1") << "-1" << range << 0;
        QTest::newRow("fraction") << "1,5" << range << 0;
        QTest::newRow("exponent too big") << "1e3" << range << 0;
        QTest::newRow("0") << "0" << QString() << 0;
        QTest::newRow("255 in blanks") << " 255 " << QString() << 255;
        QTest::newRow("exponent") << "2e1" << QString() << 20;
    }

    void byteNumbers()
    {
        QFETCH(QString, text);
        QFETCH(QString, fault);
        QFETCH(int, number);
        const std::optional<QString> found = DictionaryStore::ByteNumberFault(text);
        QCOMPARE(found.value_or(QString()), fault);
        if (!found)
            QCOMPARE(DictionaryStore::ByteNumber(text), number);
        QCOMPARE(DictionaryStore::ByteNumberFault("", "Wpisz kolejny nr uwagi!").value(),
                 "Wpisz kolejny nr uwagi!");
    }

    // Highest + 1: 1 for an empty table and for one without numbers, a gap
    // is not filled, and a number past 255 refuses a new tissue.
    void nextNumbers()
    {
        StaleDb.Execute("DELETE FROM Tkanka");
        qint64 number = 0;
        QVERIFY(!TissueRules::NextNumber(StaleDb, number));
        QCOMPARE(number, 1);
        RegistersFixture::AddRow("Lekarz", {{"Nazwisko", "Bez numeru"}});
        QCOMPARE(DictionaryStore::NextNumber(StaleDb, "Lekarz", "IDLekarz"), 1);
        for (int id : {1, 2, 7})
            RegistersFixture::AddRow("Tkanka", {{"IDTkanka", id}});
        QVERIFY(!TissueRules::NextNumber(StaleDb, number));
        QCOMPARE(number, 8);
        RegistersFixture::AddRow("Tkanka", {{"IDTkanka", 255}});
        const std::optional<Refusal> full = TissueRules::NextNumber(StaleDb, number);
        QVERIFY(full);
        QCOMPARE(full->text, "Osiągnięto maksymalną liczbę pozycji (255)!");
        QCOMPARE(full->title, "INFORMACJA");
        QCOMPARE(full->style, ui::vbInformation);
    }

    // Keys and names are compared trimmed and without regard to case, Polish
    // letters included; quotes and wildcards are only themselves.
    void duplicates()
    {
        RegistersFixture::AddRow("PIW", {{"IDPIW", "1061"}, {"NAZWA", "PIW Łódź"}});
        RegistersFixture::AddRow("WIW", {{"IDWIW", "O'Ł"}});
        const InspectorateKind &county = InspectorateKind::County();
        const InspectorateKind &region = InspectorateKind::Regional();
        const std::optional<Refusal> taken =
            InspectorateRules::CheckNewCode(StaleDb, county, " 1061 ");
        QVERIFY(taken);
        QCOMPARE(taken->text, "PIW o podanym kodzie już istnieje!");
        QCOMPARE(taken->title, "ZAPISYWANIE");
        QCOMPARE(taken->style, ui::vbExclamation);
        QCOMPARE(taken->focus, "MEBKod");
        QVERIFY(!InspectorateRules::CheckNewCode(StaleDb, county, "1062"));
        QVERIFY(!InspectorateRules::CheckNewCode(StaleDb, county, "10*"));
        QCOMPARE(InspectorateRules::CheckNewCode(StaleDb, region, "o'ł")->text,
                 "WIW o podanym kodzie już istnieje!");
        QVERIFY(!InspectorateRules::CheckNewCode(StaleDb, region, "O'"));
        const std::optional<Refusal> name = TissueRules::CheckNewName(StaleDb, " FILARY przepony ");
        QVERIFY(name);
        QCOMPARE(name->text, "Pozycja: FILARY przepony już istnieje. Popraw!");
        QCOMPARE(name->focus, "TextNazwa");
        QVERIFY(!TissueRules::CheckNewName(StaleDb, "filary'"));
        QCOMPARE(InspectorateRules::CheckCode(county, "")->text,
                 "Kod powiatu powinien być wartością numeryczną! Popraw!");
        QVERIFY(!InspectorateRules::CheckCode(county, " 1234 "));
        QVERIFY(!InspectorateRules::CheckCode(region, ""));
    }

    // A prefix search finds by the beginning of the text, Polish case
    // folded, and takes quotes and wildcards literally.
    void prefixSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found"); // empty: no match
        QTest::newRow("Polish case") << "łódź"
                                     << "Łódź Widzew";
        QTest::newRow("trimmed") << "  zgierz "
                                 << "Zgierz";
        QTest::newRow("apostrophe") << "o'b"
                                    << "O'Brien";
        QTest::newRow("star literal") << "*"
                                      << "*Gwiazdka";
        QTest::newRow("question mark literal") << "?"
                                               << "";
        QTest::newRow("bracket literal") << "[a"
                                         << "";
        QTest::newRow("hash literal") << "#"
                                      << "";
    }

    void prefixSearch()
    {
        QFETCH(QString, text);
        QFETCH(QString, found);
        for (const char *name : {"Zgierz", "Łódź Widzew", "O'Brien", "*Gwiazdka", "Ala"})
            RegistersFixture::AddRow("PIW", {{"NAZWA", QString::fromUtf8(name)}});
        dao::Recordset rs = StaleDb.OpenRecordset("SELECT * FROM PIW ORDER BY Nazwa");
        rs.MoveLast();
        rs.FindFirst(DictionaryStore::PrefixCriterion("NAZWA", text));
        QCOMPARE(rs.NoMatch(), found.isEmpty());
        QCOMPARE(rs("NAZWA").Value().toString(), found.isEmpty() ? "Zgierz" : found);
    }

    // What the saves write: the vet's cuts and trims, an inspectorate's key
    // only when adding and its postal code only when complete, the list
    // entries' numbers as numbers.
    void writes()
    {
        dao::Recordset vets = StaleDb.OpenRecordset("Lekarz");
        vets.AddNew();
        VetRules::Write(vets,
                        {" 12 ", "Gabinet", " Jan ", "Nowak-Kos", "31-1__", QString(60, 'm') + " ",
                         " " + QString(59, 'u'), " 600 ", " " + QString(39, 'e'), " uw "},
                        5);
        vets.Update();
        vets.setBookmark(vets.LastModified());
        QCOMPARE(vets("IDLekarz").Value(), 5);
        QCOMPARE(vets("LekarzNr").Value(), "12");
        QCOMPARE(vets("Imie").Value(), " Jan ");
        QCOMPARE(vets("KodPocztowy").Value(), "31-1__");
        QCOMPARE(vets("Miasto").Value(), QString(50, 'm'));
        QCOMPARE(vets("Ulica").Value(), " " + QString(49, 'u'));
        QCOMPARE(vets("Telefon").Value(), "600");
        QCOMPARE(vets("Email").Value(), " " + QString(29, 'e'));
        QCOMPARE(vets("Uwagi").Value(), "uw");

        const InspectorateKind &county = InspectorateKind::County();
        dao::Recordset piw = StaleDb.OpenRecordset("PIW");
        piw.AddNew();
        InspectorateRules::Write(
            piw, county,
            {" 1234 ", " Nazwa ", "__-___", " Łódź ", " Ul ", " 1 ", " a@b.pl ", " s@b.pl ", " u "},
            true);
        piw.Update();
        piw.setBookmark(piw.LastModified());
        QCOMPARE(piw("IDPIW").Value(), "1234");
        QCOMPARE(piw("NAZWA").Value(), " Nazwa ");
        QVERIFY(dao::IsNull(piw("KodPocztowy").Value()));
        QCOMPARE(piw("EmailSzyfr").Value(), "s@b.pl");
        piw.Edit();
        InspectorateRules::Write(piw, county, {"9999", "N", "90-001", "", "", "", "", "", ""},
                                 false);
        piw.Update();
        QCOMPARE(piw("IDPIW").Value(), "1234");
        QCOMPARE(piw("KodPocztowy").Value(), "90-001");
        piw.Edit();
        InspectorateRules::Write(piw, county, {"", "N", "", "", "", "", "", "", ""}, false);
        piw.Update();
        QCOMPARE(piw("KodPocztowy").Value(), ""); // a cleared maskless box

        const ListEntryKind kind{"Nr", "Nazwa", "TextNr", DictionaryStore::EmptyNumberText};
        dao::Recordset persons = StaleDb.OpenRecordset("Wykonujacy");
        persons.AddNew();
        ListEntryRules::Write(persons, kind, " 7 ", " Anna Nowak ");
        persons.Update();
        persons.setBookmark(persons.LastModified());
        QCOMPARE(persons("Nr").Value(), 7);
        QCOMPARE(persons("Nazwa").Value(), "Anna Nowak");
        QCOMPARE(ListEntryRules::Check(kind, "256")->focus, "TextNr");
    }

    // The vet's checks in their order, each with its focus.
    void vetChecks_data()
    {
        QTest::addColumn<QStringList>("boxes"); // number, first name, surname, town
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("focus");
        QTest::newRow("empty number first")
            << QStringList{"", "", "", ""}
            << "W polu kod lekarza wprować wartość numeryczną!\rUnikalny nr lekarza w PIW"
            << "TextLekarzNr";
        QTest::newRow("12a") << QStringList{"12a", "A", "B", "C"}
                             << "W polu kod lekarza wprować wartość numeryczną!\rUnikalny nr "
                                "lekarza w PIW"
                             << "TextLekarzNr";
        QTest::newRow("first name") << QStringList{"1", " ", "", ""} << "Wpisz imię!"
                                    << "TextImie";
        QTest::newRow("surname") << QStringList{"1", "A", " ", ""} << "Wpisz nazwisko!"
                                 << "TextNazwisko";
        QTest::newRow("town") << QStringList{"1", "A", "B", " "} << "Wpisz miejscowość!"
                              << "TextMiasto";
        QTest::newRow("two-word surname")
            << QStringList{"1", "Jan Maria", "Nowak Kos", "C"}
            << "W polu Imię i Nazwisko nie może znajdować się spacja!\rNazwiska podwójne proszę "
               "zapisywać np. z myślnikiem '-'"
            << "";
        QTest::newRow("trailing blank") << QStringList{"1", "A", "Nowak ", "C"}
                                        << "W polu Imię i Nazwisko nie może znajdować się "
                                           "spacja!\rNazwiska podwójne proszę zapisywać np. z "
                                           "myślnikiem '-'"
                                        << "";
        QTest::newRow("joined surname") << QStringList{" 12 ", "Jan Maria", "Nowak-Kos", "C"} << ""
                                        << "";
    }

    void vetChecks()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, fault);
        QFETCH(QString, focus);
        VetValues values;
        values.number = boxes[0];
        values.firstName = boxes[1];
        values.surname = boxes[2];
        values.town = boxes[3];
        const std::optional<Refusal> found = VetRules::Check(values);
        QCOMPARE(found ? found->text : QString(), fault);
        if (found) {
            QCOMPARE(found->focus, focus);
            QCOMPARE(found->title, "INFORMACJA");
        }
    }

    // A refusal writes nothing; an error in the write leaves nothing behind
    // and the lock is released for the next save.
    void saveIsOneStep()
    {
        const int before = RegistersFixture::Rows("Autoryzowal").size();
        const auto add = [](const QString &name) {
            dao::Recordset rs = StaleDb.OpenRecordset("Autoryzowal");
            rs.AddNew();
            rs("Nazwa") = name;
            rs.Update();
        };
        const auto refused = DictionaryStore::Save(
            StaleDb,
            [] {
                return std::optional<Refusal>(Refusal{"nie", 0, {}, {}});
            },
            [&] { add("A"); });
        QCOMPARE(refused->text, "nie");
        bool thrown = false;
        try {
            DictionaryStore::Save(
                StaleDb, [] { return std::optional<Refusal>(); },
                [&] {
                    add("B");
                    add(QString(31, 'x')); // the column holds 30
                });
        } catch (const RuntimeError &) {
            thrown = true;
        }
        QVERIFY(thrown);
        QVERIFY(!StaleDb.InTransaction());
        QCOMPARE(RegistersFixture::Rows("Autoryzowal").size(), before);
        QVERIFY(!DictionaryStore::Save(
            StaleDb, [] { return std::optional<Refusal>(); }, [&] { add("C"); }));
        QCOMPARE(RegistersFixture::Rows("Autoryzowal").size(), before + 1);
    }
};

QTEST_MAIN(RegisterRulesTest)
#include "tst_RegisterRules.moc"
