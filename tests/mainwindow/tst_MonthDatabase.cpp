#include "MainWindowFixture.h"
#include "Press.h"

#include "foundation/Globals.h"
#include "foundation/InitApplication.h"
#include "foundation/Messages.h"
#include "foundation/ProgramEnd.h"
#include "mainwindow/MonthDatabase.h"
#include "mainwindow/aMain.h"
#include "platform/db/DaoError.h"
#include "platform/db/Recordset.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QThread>
#include <QtTest>

#include <sys/stat.h>

namespace
{

// A second workstation for the races: this test program started again with
// these variables set runs Race() instead of the tests.
const char *const RaceDrives = "MONTH_RACE_DRIVES";
const char *const RaceStart = "MONTH_RACE_START";
constexpr int RaceRounds = 60;
constexpr qint64 RaceRoundMs = 50;
constexpr int RaceFolderRounds = 500;

QDate RaceMonth(int round)
{
    // Every round a year whose folder does not exist yet.
    return QDate(2100 + round, 1 + round % 12, 1);
}

// Asleep until just before the moment, then awake up to it, so that both
// workstations begin within a fraction of a millisecond.
void AwaitMoment(qint64 moment)
{
    const qint64 wait = moment - QDateTime::currentMSecsSinceEpoch() - 2;
    if (wait > 0)
        QThread::msleep(static_cast<unsigned long>(wait));
    while (QDateTime::currentMSecsSinceEpoch() < moment) {
    }
}

// Each round, at the same moment on both workstations: the year folder and
// the month database of a new month, as the start-up makes them; then a row
// that names this workstation, and the file's identity as it was opened.
int Race()
{
    fs::DriveMap::SetDrivesFolder(qEnvironmentVariable(RaceDrives));
    const qint64 start = qEnvironmentVariable(RaceStart).toLongLong();
    const qint64 me = QCoreApplication::applicationPid();
    QTextStream out(stdout);
    for (int round = 0; round < RaceRounds; ++round) {
        AwaitMoment(start + round * RaceRoundMs);
        const QDate month = RaceMonth(round);
        ui::ScriptedUi ui;
        for (int i = 0; i < 4; ++i)
            ui.Answer("OK");
        bool opened = false;
        try {
            EnsureFolder(MonthDbYearFolder(month));
            opened = OtworzLubTworzBaze(MonthDbPath(month), QStringLiteral("M"));
            if (opened)
                MonthDb.Execute(QStringLiteral("INSERT INTO Partia (Partia) VALUES (%1)").arg(me));
        } catch (const RuntimeError &error) {
            ui.Answer("OK");
            ShowError(QStringLiteral("Race"), error);
        }
        struct stat file {
        };
        ::stat(QFile::encodeName(fs::DriveMap::ToReal(MonthDbPath(month))).constData(), &file);
        if (MonthDb.IsOpen())
            MonthDb.Close();
        QStringList boxes;
        bool failed = false;
        for (const ui::ShownDialog &shown : ui.Log())
            if (shown.title != QStringLiteral("INFORMACJA")) {
                boxes.append(shown.title + u'|' + shown.text);
                failed = true;
            } else if (failed && shown.text.contains(QStringLiteral("powodzeniem"))) {
                boxes.append(QStringLiteral("then the building's success box"));
            }
        out << round << '\t' << (opened ? "open" : "none") << '\t' << file.st_ino << '\t'
            << boxes.join(u'/') << '\n';
        out.flush();
    }
    // The year folder alone, many times over: the moment between seeing no
    // folder and making it is short.
    const qint64 folders = start + RaceRounds * RaceRoundMs + 200;
    int failures = 0;
    for (int round = 0; round < RaceFolderRounds; ++round) {
        AwaitMoment(folders + round * 4);
        try {
            EnsureFolder(QStringLiteral("T:\\Dane\\%1").arg(3000 + round));
        } catch (const RuntimeError &) {
            ++failures;
        }
    }
    out << "folders\t" << failures << '\n';
    return 0;
}

// The step of the building that a workstation's boxes of one race round
// point to, with the boxes themselves.
QString RaceStep(const QString &boxes)
{
    if (boxes.isEmpty())
        return QStringLiteral("no box");
    QString step = QStringLiteral("a table, its opening or its indexes (the engine's box alone)");
    if (boxes.contains(QStringLiteral("już istnieje")))
        step = QStringLiteral("the work file: the month file was there");
    else if (boxes.contains(QStringLiteral("Tworzenie nowej bazy!|")))
        step = QStringLiteral("the opening after the building");
    else if (boxes.contains(QStringLiteral("Tworzenie nowej tabeli")))
        step = QStringLiteral("a table's fields");
    else if (boxes.contains(QStringLiteral("nie powiodło się! Usuwam")))
        step = QStringLiteral("the work file or putting it in place");
    return QStringLiteral("step: ") + step + QStringLiteral("; boxes: ") + boxes;
}

} // namespace

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

    // Two workstations making the same month: the one that finishes second
    // leaves the first one's file as it is and takes it for its own.
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
        QVERIFY(TworzBaze(path, QStringLiteral("MARZEC"), steps));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("INFORMACJA"));
        QVERIFY(ui.Last().text.endsWith(QStringLiteral(" zakończone powodzeniem!")));
        QFile other(real);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("first"));
        QCOMPARE(FilesIn(fixture, QStringLiteral("T:\\Dane\\2024")).size(), 1);
    }

    // A month database that cannot be made or opened is reported, and the
    // month database opened before stays in force.
    // The tables as the month's schema gives them, field by field: name,
    // type and size in order; the fields the register adds follow at the end.
    void tablesHaveTheirDefinedColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("Partia") << "Partia"
                                << QStringList{"Partia Long",
                                               "NrTac Text(20)",
                                               "IlProbek Text(7)",
                                               "WNI Text(14)",
                                               "TypWNI Text(30)",
                                               "KodPIW Text(4)",
                                               "ZleceniodawcaWNI Text(14)",
                                               "ZleceniodawcaTypWNI Text(30)",
                                               "Platnik Text(1)",
                                               "MiejscowoscPobr Text(30)",
                                               "DataUboju Date",
                                               "DataPobr Date",
                                               "GodzPobr Text(5)",
                                               "Pobral Text(50)",
                                               "DataDoLab Date",
                                               "GodzDoLab Text(5)",
                                               "DataRozpBad Date",
                                               "GodzRozpBad Text(5)",
                                               "DataZakBad Date",
                                               "GodzZakBad Text(5)",
                                               "Metoda Text(255)",
                                               "Dostarczyl Text(30)",
                                               "Przyjal Text(30)",
                                               "Autoryzowal Text(30)",
                                               "PrzekazanieWyniku Text(20)",
                                               "Czystopis Text(1)",
                                               "Uwagi Memo",
                                               "TNWyslane Boolean",
                                               "GodzUboju Text(5)",
                                               "KodZakladu Text(14)"};
        QTest::newRow("Badanie") << "Badanie"
                                 << QStringList{"NrProbki Integer",     "Partia Long",
                                                "NrDzien Integer",      "NrOgolny Long",
                                                "IDProbkiWNI Text(14)", "IDProbkiNr Text(5)",
                                                "IDProbkiData Text(8)", "NrTacy Integer",
                                                "NazTkanka Text(30)",   "Gatunek Text(20)",
                                                "Plec Text(10)",        "Opis Text(50)",
                                                "Wynik Text(15)",       "DataDoLab Date",
                                                "Uwagi Memo",           "IDProbki Text(27)",
                                                "NrKolczyka Text(14)",  "Wiek Integer",
                                                "Jakosc Text(30)",      "RodzajUboju Text(30)"};
        QTest::newRow("Nastawienie") << "Nastawienie"
                                     << QStringList{"Partia Long",
                                                    "Nastawienie Integer",
                                                    "NrTac Text(20)",
                                                    "IlProbek Integer",
                                                    "Nawazka Single",
                                                    "Pepsyna Single",
                                                    "Kwas Single",
                                                    "Waga Text(30)",
                                                    "Termometr Text(30)",
                                                    "Mieszadlo Text(30)",
                                                    "Temperatura Text(5)",
                                                    "TemperaturaMax Text(5)",
                                                    "Czas Text(3)",
                                                    "CzasSedymentacji1 Text(3)",
                                                    "CzasSedymentacji2 Text(3)",
                                                    "Trychinoskop Text(30)",
                                                    "Sito Text(30)",
                                                    "OdczynnikHCL Text(150)",
                                                    "OdczynnikPepsyna Text(150)",
                                                    "Wynik Text(15)",
                                                    "DataRozpBad Date",
                                                    "GodzRozpBad Text(5)",
                                                    "DataZakBad Date",
                                                    "GodzZakBad Text(5)",
                                                    "Wykonujacy Text(30)",
                                                    "Odpowiedzialny Text(30)",
                                                    "Uwagi Memo"};
        QTest::newRow("PozycjaN") << "PozycjaN"
                                  << QStringList{"Partia Long",
                                                 "Nastawienie Integer",
                                                 "NrTacy Integer",
                                                 "NrTusz Text(255)",
                                                 "NrTuszTucznik Text(255)",
                                                 "NrTuszMaciora Text(255)",
                                                 "NrTuszKnur Text(255)",
                                                 "NrTuszDzik Text(255)",
                                                 "NrTuszInne Text(255)",
                                                 "IlProbek Integer",
                                                 "Uwagi Memo"};
    }

    void tablesHaveTheirDefinedColumns()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        QVERIFY(TworzBaze(path, QStringLiteral("MARZEC")));
        dao::Database db = fixture.Open(path);
        const dao::Fields fields = db.TableDefs()(table).Fields();
        QStringList built;
        for (int i = 0; i < fields.Count(); ++i) {
            const dao::Field field = fields(i);
            const QMap<int, QString> types{{dao::dbBoolean, "Boolean"}, {dao::dbInteger, "Integer"},
                                           {dao::dbLong, "Long"},       {dao::dbSingle, "Single"},
                                           {dao::dbDate, "Date"},       {dao::dbMemo, "Memo"}};
            built.append(field.Name() + u' ' +
                         (field.Type() == dao::dbText
                              ? QStringLiteral("Text(%1)").arg(field.Size())
                              : types.value(field.Type(), QString::number(field.Type()))));
            // Every text field takes the empty text.
            if (field.Type() == dao::dbText || field.Type() == dao::dbMemo)
                QVERIFY2(field.AllowZeroLength(), qPrintable(field.Name()));
        }
        db.Close();
        QCOMPARE(built, columns);
    }

    // The searches of the sample and run windows go through an index, not
    // through a whole month of rows.
    void newMonthIsSearchedThroughIndexes()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        ui::ScriptedUi ui;
        ui.Answer("OK");
        QVERIFY(TworzBaze(path, QStringLiteral("MARZEC")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(MainWindowFixture::FullScans(fixture.Real(path)), QStringList());
    }

    // An old month file without the runs' table: the engine's number for a
    // missing table, once, under the month database's caption.
    void missingRunTableIsReportedAsMissingTable()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        {
            dao::Database db = fixture.Create(path);
            for (const char *table : {"Partia", "Badanie", "PozycjaN", "zuzyte"})
                MainWindowFixture::CreateTable(
                    db, QLatin1String(table),
                    Schema::Table(Schema::Month, QLatin1String(table))->fields);
            db.Close();
        }
        ui::ScriptedUi ui;
        ui.Answer("OK");
        OtworzLubTworzBaze(path, QStringLiteral("MARZEC"));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QCOMPARE(ui.Last().title, QStringLiteral("Tworzenie nowej bazy!"));
        QVERIFY2(ui.Last().text.startsWith(QStringLiteral("3078")), qPrintable(ui.Last().text));
    }

    // Work files and journals that an interrupted building left are removed
    // by the next building; those of a building still running elsewhere stay.
    void interruptedBuildingIsClearedNextTime()
    {
        MainWindowFixture fixture(false);
        const QString path = fixture.MonthPath(QDate(2024, 3, 5));
        const QString folder = fixture.Real(QStringLiteral("T:\\Dane\\2024"));
        const QStringList leftovers{"~Mervask202403.mdb.0a1b2c3d4e5f.tmp",
                                    "~Mervask202403.mdb.0a1b2c3d4e5f.tmp-journal"};
        const QString running = "~Mervask202403.mdb.ffffffffffff.tmp";
        for (const QString &name : leftovers + QStringList{running}) {
            QFile file(folder + u'/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (name != running)
                QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                         QFileDevice::FileModificationTime));
        }
        ui::ScriptedUi ui;
        ui.Answer("OK");
        QVERIFY(TworzBaze(path, QStringLiteral("MARZEC")));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(FilesIn(fixture, QStringLiteral("T:\\Dane\\2024")),
                 (QStringList{"Mervask202403.mdb", running}));
    }

    // Two workstations start at the same moment on a month whose year folder
    // and database do not exist yet. Each ends with the month database open,
    // without an error box; both work in the one file, which neither
    // replaced.
    void twoWorkstationsMakeTheSameMonth()
    {
        MainWindowFixture fixture(false);
        QVERIFY(QDir().mkpath(fixture.Real(QStringLiteral("T:\\Dane"))));
        const qint64 start = QDateTime::currentMSecsSinceEpoch() + 1500;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(RaceDrives, fs::DriveMap::DrivesFolder());
        environment.insert(RaceStart, QString::number(start));
        QList<QProcess *> workstations;
        for (int i = 0; i < 2; ++i) {
            auto *process = new QProcess(this);
            process->setProcessEnvironment(environment);
            process->start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(process->waitForStarted());
            workstations.append(process);
        }
        QList<QStringList> reports;
        for (QProcess *process : workstations) {
            QVERIFY(process->waitForFinished(120000));
            QCOMPARE(process->exitCode(), 0);
            reports.append(QString::fromUtf8(process->readAllStandardOutput())
                               .split(u'\n', Qt::SkipEmptyParts));
            delete process;
        }
        for (const QStringList &report : reports) {
            QCOMPARE(report.size(), RaceRounds + 1);
            QCOMPARE(report.last(), QStringLiteral("folders\t0"));
        }
        for (int round = 0; round < RaceRounds; ++round) {
            const QString path = MonthDbPath(RaceMonth(round));
            struct stat file {
            };
            QCOMPARE(::stat(QFile::encodeName(fixture.Real(path)).constData(), &file), 0);
            // The boxes first: they say which step of the building failed.
            const QString where =
                QStringLiteral("round %1, the month file's inode %2\n").arg(round).arg(file.st_ino);
            for (int i = 0; i < 2; ++i) {
                const QStringList line = reports[i][round].split(u'\t');
                const QString why =
                    where + QStringLiteral("workstation %1: %2 inode %3, %4")
                                .arg(QLatin1Char('A' + i))
                                .arg(line.value(1), line.value(2), RaceStep(line.value(3)));
                QVERIFY2(line.value(3).isEmpty(), qPrintable(why));
                QVERIFY2(line.value(1) == QStringLiteral("open"), qPrintable(why));
                // Both opened the file that is there now: none was replaced.
                QVERIFY2(line.value(2) == QString::number(file.st_ino), qPrintable(why));
            }
            dao::Database db = fixture.Open(path);
            QCOMPARE(db.OpenRecordset(QStringLiteral("SELECT * FROM Partia")).RecordCount(), 2);
            db.Close();
            QCOMPARE(FilesIn(fixture, MonthDbYearFolder(RaceMonth(round))).size(), 1);
        }
    }

    // A month database that cannot be made at start is reported once; the
    // commands on the month's data then say that it is not open.
    void unusableMonthAtStartIsReportedOnce()
    {
        MainWindowFixture fixture;
        QVERIFY2(fixture.IsValid(), qPrintable(fixture.Problem()));
        // A file where the year's folder should be.
        QFile blocker(fixture.Real(MonthDbYearFolder(QDate::currentDate())));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ProgramEndRecorder ends;
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("frmLoginLab"), MainWindowFixture::SignIn());
        ui.Answer("OK");
        window.Start();
        window.show();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 2);
        QCOMPARE(ui.Last().title, QStringLiteral("Tworzenie nowej bazy!"));
        QVERIFY(!MonthDb.IsOpen());

        ui.ClearLog();
        window.LabelKodLok->setText(QStringLiteral("052"));
        ui.Answer("OK");
        PRESS(&window, "Command1");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QVERIFY2(
            ui.Last().text.startsWith(QStringLiteral("Baza danych miesiąca nie jest otwarta!")),
            qPrintable(ui.Last().text));
    }

    void failedOpeningKeepsThePreviousDatabase()
    {
        MainWindowFixture fixture(false);
        const QString previous = fixture.MonthPath(QDate(2024, 3, 5));
        fixture.Create(previous).Close();
        MonthDb = fixture.Open(previous);
        const QString path = QStringLiteral("T:\\Dane\\2099\\Mervask209901.mdb");
        ui::ScriptedUi ui;
        for (int i = 0; i < 3; ++i)
            ui.Answer("OK");
        QVERIFY(!OtworzLubTworzBaze(path, QStringLiteral("STYCZEŃ")));
        SCRIPTED_UI_VERIFY(ui);
        // The failed building is reported once; no opening of a file that is
        // not there follows it.
        QCOMPARE(ui.Last().text,
                 QStringLiteral("Tworzenie nowej bazy ") + path +
                     QStringLiteral(" nie powiodło się! Usuwam zbędne informacje!"));
        QVERIFY(MonthDb.IsOpen());
        QCOMPARE(MonthDb.Name(), fixture.Real(previous));
        QVERIFY(!QDir(fixture.Real(QStringLiteral("T:\\Dane\\2099"))).exists());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(RaceStart))
        return Race();
    MonthDatabaseTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_MonthDatabase.moc"
