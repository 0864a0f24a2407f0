#include "MainWindowFixture.h"

#include "foundation/Globals.h"
#include "mainwindow/MonthDatabase.h"
#include "mainwindow/SchemaRepair.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ScriptedUi.h"

#include <QtTest>

#include <sqlite3.h>

// The repairs that bring a database of an earlier version up to the present
// shape: nothing of its data may be lost, and a second run changes nothing.
class SchemaRepairTest : public QObject
{
    Q_OBJECT

private:
    static const inline QStringList PartiaAdded{
        QStringLiteral("Dostarczyl"), QStringLiteral("TNWyslane"), QStringLiteral("GodzUboju"),
        QStringLiteral("KodZakladu")};
    static const inline QStringList NastawienieAdded{
        QStringLiteral("TemperaturaMax"),    QStringLiteral("CzasSedymentacji1"),
        QStringLiteral("CzasSedymentacji2"), QStringLiteral("Sito"),
        QStringLiteral("Wykonujacy"),        QStringLiteral("Odpowiedzialny")};
    static const inline QStringList BadanieAdded{
        QStringLiteral("IDProbki"), QStringLiteral("NrKolczyka"), QStringLiteral("Wiek"),
        QStringLiteral("Jakosc"), QStringLiteral("RodzajUboju")};

    static QList<FieldSpec> WithNarrowResult(QList<FieldSpec> fields, int size)
    {
        for (FieldSpec &field : fields) {
            if (field.name == QLatin1String("Wynik"))
                field.size = size;
        }
        return fields;
    }

    static QStringList Names(dao::Database &db, const QString &table)
    {
        QStringList names;
        for (const QString &entry : MainWindowFixture::Shape(db, table))
            names.append(entry.section(QLatin1Char(':'), 0, 0));
        return names;
    }

    static QString FieldShape(dao::Database &db, const QString &table, const QString &field)
    {
        for (const QString &entry : MainWindowFixture::Shape(db, table)) {
            if (entry.startsWith(field + QLatin1Char(':')))
                return entry;
        }
        return {};
    }

    // An old month database: the columns of later versions missing, the
    // result columns 10 characters wide, no materials table, a few rows.
    static QString CreateOldMonth(MainWindowFixture &fixture, int resultSize = 10)
    {
        const QString path = fixture.MonthPath(QDate(2019, 6, 1));
        dao::Database db = fixture.Create(path);
        MainWindowFixture::CreateTable(
            db, QStringLiteral("Partia"),
            MainWindowFixture::MonthFieldsWithout(QStringLiteral("Partia"), PartiaAdded));
        MainWindowFixture::CreateTable(
            db, QStringLiteral("Badanie"),
            WithNarrowResult(
                MainWindowFixture::MonthFieldsWithout(QStringLiteral("Badanie"), BadanieAdded),
                resultSize));
        MainWindowFixture::CreateTable(
            db, QStringLiteral("Nastawienie"),
            WithNarrowResult(MainWindowFixture::MonthFieldsWithout(QStringLiteral("Nastawienie"),
                                                                   NastawienieAdded),
                             resultSize));
        MainWindowFixture::CreateTable(
            db, QStringLiteral("PozycjaN"),
            MainWindowFixture::MonthFieldsWithout(QStringLiteral("PozycjaN"), {}));
        for (int batch : {7, 8})
            MainWindowFixture::AddRow(db, QStringLiteral("Partia"),
                                      {{QStringLiteral("Partia"), batch},
                                       {QStringLiteral("WNI"), QStringLiteral("1465-0012")},
                                       {QStringLiteral("DataDoLab"), QDate(2019, 6, batch)},
                                       {QStringLiteral("Uwagi"), QStringLiteral("0012")}});
        const QVariant results[] = {QStringLiteral("ujemny"), QString(""), QVariant(),
                                    QStringLiteral("dodatni ąę")};
        for (const QVariant &result : results)
            MainWindowFixture::AddRow(
                db, QStringLiteral("Badanie"),
                {{QStringLiteral("Partia"), 7}, {QStringLiteral("Wynik"), result}});
        MainWindowFixture::AddRow(db, QStringLiteral("Nastawienie"),
                                  {{QStringLiteral("Partia"), 7},
                                   {QStringLiteral("Nastawienie"), 1},
                                   {QStringLiteral("Wynik"), QStringLiteral("ujemny")}});
        db.Close();
        return path;
    }

    static QList<QVariant> BatchResults()
    {
        return {QStringLiteral("ujemny"), QString(""), QVariant(), QStringLiteral("dodatni ąę")};
    }

    static void Execute(const QString &realPath, const char *sql)
    {
        sqlite3 *raw = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(realPath).constData(), &raw,
                                 SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        char *message = nullptr;
        const int rc = sqlite3_exec(raw, sql, nullptr, nullptr, &message);
        const QString text = QString::fromUtf8(message ? message : "");
        sqlite3_free(message);
        sqlite3_close(raw);
        QVERIFY2(rc == SQLITE_OK, qPrintable(text));
    }

private slots:
    void oldMonthDatabaseGainsEveryColumn()
    {
        MainWindowFixture fixture(false);
        const QString path = CreateOldMonth(fixture, 15);
        {
            ui::ScriptedUi ui;
            QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
            SCRIPTED_UI_VERIFY(ui);
        }
        // Each column the database lacked now stands last, in the order the
        // repair adds them, with the type and size of the present schema.
        for (const auto &[table, added] :
             {std::pair{QStringLiteral("Partia"), PartiaAdded},
              std::pair{QStringLiteral("Nastawienie"), NastawienieAdded},
              std::pair{QStringLiteral("Badanie"), BadanieAdded}}) {
            const QStringList names = Names(MonthDb, table);
            QCOMPARE(names.mid(names.size() - added.size()), added);
            QCOMPARE(names.size(), Schema::Table(Schema::Month, table)->fields.size());
        }
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Partia"), QStringLiteral("Dostarczyl")),
                 QStringLiteral("Dostarczyl:10:30"));
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Partia"), QStringLiteral("TNWyslane")),
                 QStringLiteral("TNWyslane:1:0"));
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Nastawienie"), QStringLiteral("Sito")),
                 QStringLiteral("Sito:10:30"));
        QVERIFY(MonthDb.TableDefs().Contains(QStringLiteral("zuzyte")));

        // The data is kept; the new columns are empty.
        QCOMPARE(
            MainWindowFixture::Column(MonthDb, QStringLiteral("Partia"), QStringLiteral("Uwagi")),
            QList<QVariant>({QStringLiteral("0012"), QStringLiteral("0012")}));
        QCOMPARE(MainWindowFixture::Column(MonthDb, QStringLiteral("Partia"),
                                           QStringLiteral("DataDoLab")),
                 QList<QVariant>({QDate(2019, 6, 7), QDate(2019, 6, 8)}));
        QCOMPARE(MainWindowFixture::Column(MonthDb, QStringLiteral("Partia"),
                                           QStringLiteral("Dostarczyl")),
                 QList<QVariant>({QVariant(), QVariant()}));
        QCOMPARE(
            MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")),
            BatchResults());

        // A second opening finds everything in place and changes nothing.
        QStringList before;
        for (const QString &table : MonthDb.TableDefs().Names())
            before += MainWindowFixture::Shape(MonthDb, table);
        ui::ScriptedUi ui;
        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
        SCRIPTED_UI_VERIFY(ui);
        QStringList after;
        for (const QString &table : MonthDb.TableDefs().Names())
            after += MainWindowFixture::Shape(MonthDb, table);
        QCOMPARE(after, before);
    }

    // The indexes are never unique: samples stored twice under the same
    // numbers stay, and the searches go through the indexes from then on.
    void oldMonthDatabaseGainsItsIndexes()
    {
        MainWindowFixture fixture(false);
        const QString path = CreateOldMonth(fixture, 15);
        {
            dao::Database db = fixture.Open(path);
            for (int copy = 0; copy < 2; ++copy)
                MainWindowFixture::AddRow(db, QStringLiteral("Badanie"),
                                          {{QStringLiteral("Partia"), 8},
                                           {QStringLiteral("NrProbki"), 1},
                                           {QStringLiteral("NrDzien"), 1},
                                           {QStringLiteral("NrOgolny"), 1},
                                           {QStringLiteral("DataDoLab"), QDate(2019, 6, 8)}});
            db.Close();
        }
        QVERIFY(!MainWindowFixture::FullScans(fixture.Real(path)).isEmpty());
        ui::ScriptedUi ui;
        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(MainWindowFixture::FullScans(fixture.Real(path)), QStringList());
        QCOMPARE(MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"),
                                           QStringLiteral("NrOgolny")),
                 QList<QVariant>({QVariant(), QVariant(), QVariant(), QVariant(), 1, 1}));
        QCOMPARE(
            MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")),
            BatchResults() + QList<QVariant>({QVariant(), QVariant()}));
    }

    // Indexes that cannot be made while another workstation writes to the
    // month are no reason to stop: the month opens without a word, and a
    // later opening makes them.
    void busyMonthOpensWithoutItsIndexes()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2019, 6, 1));
        {
            dao::Database db = fixture.Create(path);
            for (const TableSpec &table : Schema::Tables(Schema::Month))
                MainWindowFixture::CreateTable(db, table.name, table.fields);
            MainWindowFixture::AddRow(db, QStringLiteral("Badanie"),
                                      {{QStringLiteral("Partia"), 7}});
            db.Close();
        }
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(fixture.Real(path)).constData(), &other,
                                 SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        {
            ui::ScriptedUi ui;
            const bool opened = OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC"));
            sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(other);
            QVERIFY(opened);
            SCRIPTED_UI_VERIFY(ui);
        }
        QVERIFY(!MainWindowFixture::FullScans(fixture.Real(path)).isEmpty());
        QCOMPARE(
            MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Partia")),
            QList<QVariant>{7});

        ui::ScriptedUi ui;
        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(MainWindowFixture::FullScans(fixture.Real(path)), QStringList());
    }

    void missingRunTableIsNotAColumnRepair()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2019, 6, 1));
        dao::Database db = fixture.Create(path);
        MainWindowFixture::CreateTable(
            db, QStringLiteral("Partia"),
            MainWindowFixture::MonthFieldsWithout(QStringLiteral("Partia"),
                                                  {QStringLiteral("Dostarczyl")}));
        db.Close();
        MonthDb = fixture.Open(path);
        ui::ScriptedUi ui;
        SprBrakKolAll(MonthDb);
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(Names(MonthDb, QStringLiteral("Partia")).last(), QStringLiteral("Dostarczyl"));
        QVERIFY(!MonthDb.TableDefs().Contains(QStringLiteral("Nastawienie")));
    }

    // One too-narrow result column is widened per opening, the runs first;
    // no value is lost and no temporary column is left.
    void resultColumnsWidenOnePerOpening()
    {
        MainWindowFixture fixture(false);
        const QString path = CreateOldMonth(fixture);
        ui::ScriptedUi ui;
        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
        QCOMPARE(Names(MonthDb, QStringLiteral("Nastawienie")).last(), QStringLiteral("Wynik"));
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Nastawienie"), QStringLiteral("Wynik")),
                 QStringLiteral("Wynik:10:15"));
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")),
                 QStringLiteral("Wynik:10:10"));
        QCOMPARE(MainWindowFixture::Column(MonthDb, QStringLiteral("Nastawienie"),
                                           QStringLiteral("Wynik")),
                 QList<QVariant>{QStringLiteral("ujemny")});

        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")),
                 QStringLiteral("Wynik:10:15"));
        QCOMPARE(
            MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")),
            BatchResults());
        for (const char *table : {"Badanie", "Nastawienie"})
            QVERIFY(!Names(MonthDb, QLatin1String(table)).contains(QStringLiteral("TabelaTMP")));
        SCRIPTED_UI_VERIFY(ui);
    }

    void interruptedWideningIsCompleted_data()
    {
        QTest::addColumn<bool>("resultKept");
        // An earlier widening stopped after TabelaTMP was added: the values
        // are still in Wynik, TabelaTMP holds nothing of value.
        QTest::newRow("after adding TabelaTMP") << true;
        // ... or after Wynik was dropped: the values are only in TabelaTMP.
        QTest::newRow("after dropping Wynik") << false;
    }

    void interruptedWideningIsCompleted()
    {
        QFETCH(bool, resultKept);
        MainWindowFixture fixture(false);
        const QString path = CreateOldMonth(fixture, 15);
        {
            dao::Database db = fixture.Open(path);
            db.Execute(QStringLiteral("ALTER TABLE Badanie DROP COLUMN Wynik;"));
            db.Execute(QStringLiteral("ALTER TABLE Badanie ADD COLUMN Wynik text(10);"));
            db.Execute(QStringLiteral("ALTER TABLE Badanie ADD COLUMN TabelaTMP text(15);"));
            db.Execute(QStringLiteral("UPDATE Badanie SET Wynik = 'ujemny'"));
            db.Execute(resultKept ? QStringLiteral("UPDATE Badanie SET TabelaTMP = 'stare'")
                                  : QStringLiteral("UPDATE Badanie SET TabelaTMP = 'dodatni'"));
            if (!resultKept)
                db.Execute(QStringLiteral("ALTER TABLE Badanie DROP COLUMN Wynik;"));
            db.Close();
        }
        ui::ScriptedUi ui;
        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("CZERWIEC")));
        SCRIPTED_UI_VERIFY(ui);
        const QStringList names = Names(MonthDb, QStringLiteral("Badanie"));
        QVERIFY(!names.contains(QStringLiteral("TabelaTMP")));
        QCOMPARE(FieldShape(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")),
                 QStringLiteral("Wynik:10:15"));
        const QString expected = resultKept ? QStringLiteral("ujemny") : QStringLiteral("dodatni");
        for (const QVariant &value :
             MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Wynik")))
            QCOMPARE(value.toString(), expected);
    }

    // A widening that fails half-way leaves the table exactly as it was.
    void failedWideningChangesNothing()
    {
        MainWindowFixture fixture(false);
        const QString path = CreateOldMonth(fixture);
        Execute(fixture.Real(path), "CREATE TRIGGER NoUpdate BEFORE UPDATE ON Nastawienie "
                                    "BEGIN SELECT RAISE(ABORT, 'zablokowane'); END;");
        dao::Database db = fixture.Open(path);
        const QStringList before = MainWindowFixture::Shape(db, QStringLiteral("Nastawienie"));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        ZmienDlugPola(db, QStringLiteral("Nastawienie"), QStringLiteral("Wynik"), dao::dbText, true,
                      15, QStringLiteral("text(15)"));
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(ui.Last().title.startsWith(QStringLiteral("ZmienDlugPola-")));
        QCOMPARE(MainWindowFixture::Shape(db, QStringLiteral("Nastawienie")), before);
        QCOMPARE(
            MainWindowFixture::Column(db, QStringLiteral("Nastawienie"), QStringLiteral("Wynik")),
            QList<QVariant>{QStringLiteral("ujemny")});
        db.Close();
    }

    void dictionaryGainsItsTablesAndColumn()
    {
        MainWindowFixture fixture(false);
        StaleDb = fixture.Create(QStringLiteral("T:\\Dane\\Stale.mdb"));
        MainWindowFixture::CreateTable(StaleDb, QStringLiteral("PODATNIK"),
                                       {{QStringLiteral("TX2"), dao::dbText, 100},
                                        {QStringLiteral("KodLok"), dao::dbText, 3}});
        MainWindowFixture::AddRow(StaleDb, QStringLiteral("PODATNIK"),
                                  {{QStringLiteral("TX2"), QStringLiteral("Laboratorium")},
                                   {QStringLiteral("KodLok"), QStringLiteral("052")}});
        for (int run = 0; run < 2; ++run) {
            ui::ScriptedUi ui;
            SprawdzDodajKolumny();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(MainWindowFixture::Shape(StaleDb, QStringLiteral("PODATNIK")),
                     QStringList({QStringLiteral("TX2:10:100"), QStringLiteral("KodLok:10:3"),
                                  QStringLiteral("KodLok2:10:3")}));
            QCOMPARE(MainWindowFixture::Shape(StaleDb, QStringLiteral("Sito")),
                     QStringList({QStringLiteral("ID:10:5"), QStringLiteral("Wartosc:10:30")}));
            for (const char *table : {"Wykonujacy", "Odpowiedzialny"})
                QCOMPARE(MainWindowFixture::Shape(StaleDb, QLatin1String(table)),
                         QStringList({QStringLiteral("Nr:2:0"), QStringLiteral("Nazwa:10:50")}));
        }
        QCOMPARE(MainWindowFixture::Column(StaleDb, QStringLiteral("PODATNIK"),
                                           QStringLiteral("KodLok")),
                 QList<QVariant>{QStringLiteral("052")});
    }

    // A code table of an older installation gains the service-test code's
    // two columns and keeps its row.
    void clabTableGainsTheServiceTestColumns()
    {
        MainWindowFixture fixture(false);
        StaleDb = fixture.Create(QStringLiteral("T:\\Dane\\Stale.mdb"));
        QList<FieldSpec> fields = Schema::Table(Schema::Stale, QStringLiteral("CLab"))->fields;
        fields.removeIf([](const FieldSpec &field) { return field.name.contains(u'2'); });
        QCOMPARE(fields.size(), 7);
        MainWindowFixture::CreateTable(StaleDb, QStringLiteral("CLab"), fields);
        MainWindowFixture::AddRow(StaleDb, QStringLiteral("CLab"),
                                  {{QStringLiteral("Klucz"), QStringLiteral("MervaskLab")},
                                   {QStringLiteral("TypBad1"), QStringLiteral("476001")},
                                   {QStringLiteral("cmetoda1"), QStringLiteral("56001")}});
        const QStringList before = MainWindowFixture::Shape(StaleDb, QStringLiteral("CLab"));
        for (int run = 0; run < 2; ++run) {
            ui::ScriptedUi ui;
            SprawdzDodajKolumny();
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(MainWindowFixture::Shape(StaleDb, QStringLiteral("CLab")),
                     before + QStringList({QStringLiteral("TypBad2:10:10"),
                                           QStringLiteral("OpisTypBad2:10:100")}));
        }
        const QList<QVariantMap> rows = MainWindowFixture::Rows(StaleDb, QStringLiteral("CLab"));
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].value(QStringLiteral("TypBad1")), QVariant(QStringLiteral("476001")));
        QCOMPARE(rows[0].value(QStringLiteral("cmetoda1")), QVariant(QStringLiteral("56001")));
        QVERIFY(rows[0].value(QStringLiteral("TypBad2")).isNull());
    }

    // Only the first row of each name is corrected at one start.
    void sexesAreCorrectedOneRowPerStart()
    {
        MainWindowFixture fixture(false);
        StaleDb = fixture.Create(QStringLiteral("T:\\Dane\\Stale.mdb"));
        MainWindowFixture::CreateTable(StaleDb, QStringLiteral("PLEC"),
                                       {{QStringLiteral("IDGatunek"), dao::dbByte, 0},
                                        {QStringLiteral("NazPlec"), dao::dbText, 10}});
        for (const char *name : {"Locha", "Wałah", "Knur", "Locha"})
            MainWindowFixture::AddRow(StaleDb, QStringLiteral("PLEC"),
                                      {{QStringLiteral("IDGatunek"), 1},
                                       {QStringLiteral("NazPlec"), QString::fromUtf8(name)}});
        const auto names = [] {
            QStringList list;
            for (const QVariant &value : MainWindowFixture::Column(StaleDb, QStringLiteral("PLEC"),
                                                                   QStringLiteral("NazPlec")))
                list.append(value.toString());
            return list;
        };
        PoprawPlec(QStringLiteral("Maciora"), QString(), QStringLiteral("Locha"));
        QCOMPARE(names(), QStringList({QStringLiteral("Maciora"), QStringLiteral("Wałach"),
                                       QStringLiteral("Knur"), QStringLiteral("Locha")}));
        PoprawPlec(QStringLiteral("Maciora"), QString(), QStringLiteral("Locha"));
        QCOMPARE(names(), QStringList({QStringLiteral("Maciora"), QStringLiteral("Wałach"),
                                       QStringLiteral("Knur"), QStringLiteral("Maciora")}));
    }
};

QTEST_MAIN(SchemaRepairTest)
#include "tst_SchemaRepair.moc"
