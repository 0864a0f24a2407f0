#include "MainWindowFixture.h"

#include "foundation/Globals.h"
#include "mainwindow/MonthDatabase.h"
#include "platform/db/DaoError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Making and opening the month database: its name, its tables, and that it is
// made completely or not at all.
class MonthDatabaseTest : public QObject
{
    Q_OBJECT

private:
    static QStringList FilesIn(const MainWindowFixture &fixture, const QString &folder)
    {
        return QDir(fixture.Real(folder)).entryList(QDir::Files | QDir::Hidden);
    }

    static QStringList SpecShape(const QString &table)
    {
        QStringList shape;
        for (const FieldSpec &field : Schema::Table(Schema::Month, table)->fields)
            shape.append(QStringLiteral("%1:%2:%3")
                             .arg(field.name)
                             .arg(field.type)
                             .arg(field.type == dao::dbText ? field.size : 0));
        return shape;
    }

    static QStringList Texts(const ui::ScriptedUi &ui)
    {
        QStringList texts;
        for (const ui::ShownDialog &shown : ui.Log())
            texts.append(shown.text);
        return texts;
    }

private slots:
    void pathOfTheMonth_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("december") << QDate(2023, 12, 31) << "T:\\Dane\\2023"
                                  << "T:\\Dane\\2023\\Mervask202312.mdb";
        QTest::newRow("january") << QDate(2024, 1, 1) << "T:\\Dane\\2024"
                                 << "T:\\Dane\\2024\\Mervask202401.mdb";
    }

    void pathOfTheMonth()
    {
        QFETCH(QDate, date);
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(MonthDbYearFolder(date), folder);
        QCOMPARE(MonthDbPath(date), path);
    }

    void newDatabaseHasEveryTableAndNothingElse()
    {
        MainWindowFixture fixture(false);
        QVERIFY2(fixture.IsValid(), qPrintable(fixture.Problem()));
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        ui.Answer("OK");
        QVERIFY(OtworzLubTworzBaze(path, QStringLiteral("MARZEC")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(Texts(ui),
                 QStringList({QStringLiteral("Brak bazy danych na m-c: MARZEC, w katalogu: ") +
                                  path + QStringLiteral("\rPo kliknięciu OK, utworzę nową bazę!"),
                              QStringLiteral("Tworzenie nowej bazy danych na m-c MARZEC, w "
                                             "katalogu: ") +
                                  path + QStringLiteral(" zakończone powodzeniem!")}));
        QCOMPARE(ui.Log().at(0).title, QStringLiteral("INFORMACJA"));
        QCOMPARE(ui.Log().at(0).style, 64);

        QVERIFY(MonthDb.IsOpen());
        QCOMPARE(FilesIn(fixture, QStringLiteral("T:\\Dane\\2024")),
                 QStringList{QStringLiteral("Mervask202403.mdb")});
        const QStringList tables = MonthDb.TableDefs().Names();
        QCOMPARE(tables.size(), 5);
        for (const char *table : {"Partia", "Badanie", "Nastawienie", "PozycjaN", "zuzyte"})
            QCOMPARE(MainWindowFixture::Shape(MonthDb, QLatin1String(table)),
                     SpecShape(QLatin1String(table)));

        // Text fields take the empty text; a result longer than 15 characters
        // is refused when it is assigned.
        MainWindowFixture::AddRow(
            MonthDb, QStringLiteral("Badanie"),
            {{QStringLiteral("Partia"), 1}, {QStringLiteral("Opis"), QString("")}});
        QCOMPARE(
            MainWindowFixture::Column(MonthDb, QStringLiteral("Badanie"), QStringLiteral("Opis")),
            QList<QVariant>{QString("")});
        dao::Recordset rs = MonthDb.OpenRecordset(QStringLiteral("Badanie"));
        rs.AddNew();
        rs(QStringLiteral("Wynik")) = QStringLiteral("123451234512345");
        try {
            rs(QStringLiteral("Wynik")) = QStringLiteral("1234512345123456");
            QFAIL("a 16-character result was taken");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.Number(), int(dao::err::FieldTooSmall));
        }
        rs.Close();
    }

    void existingFileIsNeverTouched()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        QFile other(fixture.Real(path));
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("made by another workstation");
        other.close();
        ui::ScriptedUi ui;
        ui.Answer("OK");
        QVERIFY(!TworzBaze(path, QStringLiteral("MARZEC")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text,
                 path + QStringLiteral(" już istnieje! Skontaktuj się z programistą!"));
        QCOMPARE(ui.Last().style, 0);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("made by another workstation"));
        QCOMPARE(FilesIn(fixture, QStringLiteral("T:\\Dane\\2024")).size(), 1);
    }

    // A failed table leaves no month database behind, so that the next
    // opening builds it again from the start.
    void failedTableLeavesNoDatabase()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        QList<TableStep> steps = MonthTableSteps();
        steps[2].builder = [](const QString &, const QString &) { return false; };
        {
            ui::ScriptedUi ui;
            QVERIFY(!TworzBaze(path, QStringLiteral("MARZEC"), steps));
            SCRIPTED_UI_VERIFY(ui);
        }
        QVERIFY(FilesIn(fixture, QStringLiteral("T:\\Dane\\2024")).isEmpty());

        ui::ScriptedUi ui;
        ui.Answer("OK");
        QVERIFY(TworzBaze(path, QStringLiteral("MARZEC")));
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(fixture.Exists(path));
    }

    void tableBuilderReportsItsFailure()
    {
        MainWindowFixture fixture(false);
        const QString path = QStringLiteral("T:\\Dane\\zla.mdb");
        fixture.Create(path).Close();
        ui::ScriptedUi ui;
        ui.Answer("OK");
        ui.Answer("OK");
        QVERIFY(!CreateTableWithFields(path, QStringLiteral("Zla"),
                                       {{QStringLiteral("Pole"), dao::dbText, 10},
                                        {QStringLiteral("Pole"), dao::dbText, 10}}));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text,
                 QStringLiteral("Tworzenie nowej tabeli Zla nie powiodło się! Usuwam zbędne "
                                "informacje!"));
        dao::Database db = fixture.Open(path);
        QVERIFY(!db.TableDefs().Contains(QStringLiteral("Zla")));
        db.Close();
    }

    // Two workstations making the same month: the one that comes second
    // leaves the first one's file as it is.
    void databaseMadeMeanwhileElsewhereSurvives()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        const QString real = fixture.Real(path);
        QList<TableStep> steps = MonthTableSteps();
        const TableBuilder last = steps.last().builder;
        steps.last().builder = [real, last](const QString &work, const QString &name) {
            QFile other(real);
            if (other.open(QIODevice::WriteOnly))
                other.write("first");
            return last(work, name);
        };
        ui::ScriptedUi ui;
        ui.Answer("OK");
        QVERIFY(!TworzBaze(path, QStringLiteral("MARZEC"), steps));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().text,
                 path + QStringLiteral(" już istnieje! Skontaktuj się z programistą!"));
        QFile other(real);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("first"));
        QCOMPARE(FilesIn(fixture, QStringLiteral("T:\\Dane\\2024")).size(), 1);
    }

    // A month database that cannot be made or opened is reported, and the
    // month database opened before stays in force.
    void failedOpeningKeepsThePreviousDatabase()
    {
        MainWindowFixture fixture(false);
        const QString previous = fixture.MonthPath(QDate(2024, 3, 5));
        fixture.Create(previous).Close();
        MonthDb = fixture.Open(previous);
        const QString path = QStringLiteral("T:\\Dane\\2099\\Mervask209901.mdb");
        ui::ScriptedUi ui;
        for (int i = 0; i < 4; ++i)
            ui.Answer("OK");
        QVERIFY(!OtworzLubTworzBaze(path, QStringLiteral("STYCZEŃ")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().at(2).text,
                 QStringLiteral("Tworzenie nowej bazy ") + path +
                     QStringLiteral(" nie powiodło się! Usuwam zbędne informacje!"));
        QCOMPARE(ui.Last().title, QStringLiteral("Tworzenie nowej bazy!"));
        QVERIFY(MonthDb.IsOpen());
        QCOMPARE(MonthDb.Name(), fixture.Real(previous));
        QVERIFY(!QDir(fixture.Real(QStringLiteral("T:\\Dane\\2099"))).exists());
    }
};

QTEST_MAIN(MonthDatabaseTest)
#include "tst_MonthDatabase.moc"
