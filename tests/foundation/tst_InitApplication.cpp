#include "FoundationFixture.h"

#include "batches/FormPartia.h"
#include "digestion/FormNastawienie.h"
#include "foundation/Globals.h"
#include "foundation/InitApplication.h"
#include "foundation/ProgramEnd.h"
#include "mainwindow/StartupPickLists.h"
#include "platform/RuntimeError.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

namespace
{

const QString ReadFailed = QStringLiteral("Błąd wczytania parametrów instalacyjnych");
const QString BadPath = QStringLiteral(
    "Popraw ścieżkę dostępu do bazy danych (Zbiór parametrów w funkcjach technicznych)");
const QString NoCombo = QStringLiteral("Nie mogę wypełnić Combo: ");

QStringList items(const QComboBox *combo)
{
    QStringList result;
    for (int i = 0; i < combo->count(); ++i)
        result.append(combo->itemText(i));
    return result;
}

// Runs the start-up, answering every box with OK; gives the boxes' titles
// followed by the first digits of their texts ("title|3044").
QStringList startUp(int boxes)
{
    ui::ScriptedUi scripted;
    for (int i = 0; i < boxes; ++i)
        scripted.Answer("OK");
    if (InitApplication())
        FillStartupPickLists();
    QStringList shown;
    for (const ui::ShownDialog &box : scripted.Log())
        shown.append(box.title + QLatin1Char('|') +
                     box.text.section(QRegularExpression("\\D"), 0, 0));
    if (!scripted.Verify())
        shown.append(scripted.Problems());
    return shown;
}

} // namespace

// The start-up: the data drive, the configuration file line by line, the
// databases and letterhead, and the pick lists of the three hidden windows.
class InitApplicationTest : public QObject
{
    Q_OBJECT

private slots:
    void missingDataDriveEndsTheProgram();
    void missingStaleEndsTheProgram_data();
    void missingStaleEndsTheProgram();
    void lineEndsAndSeparators_data();
    void lineEndsAndSeparators();
    void brokenConfigurations_data();
    void brokenConfigurations();
    void pickListsOfTheHiddenWindows();
    void ensureFolderCreatesOneLevel();
};

void InitApplicationTest::missingDataDriveEndsTheProgram()
{
    FoundationFixture fixture;
    QVERIFY(QDir(fixture.Real("T:\\")).removeRecursively());
    ui::ScriptedUi scripted;
    scripted.Answer("OK");
    ProgramEndRecorder end;
    InitApplication();
    QVERIFY(end.Ended());
    QCOMPARE(scripted.Last().title, QStringLiteral("POŁĄCZENIE"));
    QCOMPARE(scripted.Last().style, 48);
    QVERIFY(scripted.Last().text.startsWith(
        "Brak połączenia z dyskiem (T:\\) na którym znajdują się bazy danych!\r"));
    QVERIFY(DateFormat.isEmpty()); // nothing else ran
    SCRIPTED_UI_VERIFY(scripted);
}

// Without Stale.mdb nothing could work: the file is named and the program
// ends before the sign-in, the ROBOT line after it unread.
void InitApplicationTest::missingStaleEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("file");
    QTest::newRow("file missing") << QByteArray("STALE=T:\\Dane\\\r\nROBOT=T:\\Dane\\\r\n")
                                  << "T:\\Dane\\Stale.mdb";
    QTest::newRow("no final backslash")
        << QByteArray("STALE=T:\\Dane\r\nROBOT=T:\\Dane\\\r\n") << "T:\\DaneStale.mdb";
}

void InitApplicationTest::missingStaleEndsTheProgram()
{
    QFETCH(QByteArray, ini);
    QFETCH(QString, file);
    FoundationFixture fixture;
    fixture.CreateRobot().Close();
    fixture.WriteIni(ini);
    ui::ScriptedUi scripted;
    scripted.Answer("OK");
    ProgramEndRecorder end;
    InitApplication();
    SCRIPTED_UI_VERIFY(scripted);
    QCOMPARE(end.Count(), 1);
    QCOMPARE(scripted.Log().size(), 1);
    QCOMPARE(scripted.Last().style, 48);
    QCOMPARE(scripted.Last().title, ReadFailed);
    QVERIFY2(scripted.Last().text.startsWith("Brak pliku bazy danych: " + file + "!\r"),
             qPrintable(scripted.Last().text));
    QVERIFY(!StaleDb.IsOpen() && !RobotDb.IsOpen());
    QVERIFY(!ui::WindowRegistry::Exists<FormNastawienie>());
}

void InitApplicationTest::lineEndsAndSeparators_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("CR LF") << QByteArray(
        "Stale=T:\\Dane\\\r\nRAPORTY=C:\\a=b\\\r\nROBOT=T:\\Dane\\\r\n");
    QTest::newRow("CR") << QByteArray("Stale=T:\\Dane\\\rRAPORTY=C:\\a=b\\\rROBOT=T:\\Dane\\");
    QTest::newRow("LF") << QByteArray("Stale=T:\\Dane\\\nRAPORTY=C:\\a=b\\\nROBOT=T:\\Dane\\\n");
    QTest::newRow("hash, semicolon, comments")
        << QByteArray("; uwaga\r\nSTALE#T:\\Dane\\\r\n\r\nARCH=x\r\nDZIEN\r\nraporty=C:\\a=b\\\r\n"
                      "ROBOT;T:\\Dane\\\r\n");
}

void InitApplicationTest::lineEndsAndSeparators()
{
    QFETCH(QByteArray, ini);
    FoundationFixture fixture;
    fixture.CreateStale().Close();
    fixture.CreateRobot().Close();
    fixture.WriteIni(ini);
    QCOMPARE(startUp(0), QStringList());
    QVERIFY(StaleDb.IsOpen() && RobotDb.IsOpen());
    QCOMPARE(StaleFolder, QStringLiteral("T:\\Dane\\"));
    QCOMPARE(ReportFolder, QStringLiteral("C:\\a=b\\"));
    QCOMPARE(DateFormat, QStringLiteral("dd.mm.yyyy"));
    QCOMPARE(MonthDbName, QStringLiteral("DANE\\"));
    QCOMPARE(LabHeaderLines[0], QStringLiteral("Laboratorium Badań"));
    QCOMPARE(LabHeaderLines[2], QStringLiteral("00-001 Łódź"));
    QCOMPARE(LabHeaderLines[3], QString()); // Null in the table
    QCOMPARE(PolishLetterTable[1][0], QStringLiteral("Ą"));
}

void InitApplicationTest::brokenConfigurations_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("withLaboratory");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("staleOpen");
    QTest::addColumn<bool>("robotOpen");
    const QStringList sevenLists(7, NoCombo + QStringLiteral("|91"));
    QTest::newRow("no file") << QByteArray() << true << QStringList{ReadFailed + "|53"} << false
                             << false;
    // A key ending in a blank is no key: no database, every equipment list
    // then reports the unopened database.
    QTest::newRow("key with blank") << QByteArray("STALE = T:\\Dane\\\r\nROBOT=T:\\Dane\\\r\n")
                                    << true << sevenLists << false << true;
    QTest::newRow("robot folder missing")
        << QByteArray("ROBOT=T:\\Brak\\\r\nSTALE=T:\\Dane\\\r\n") << true
        << QStringList{BadPath + "|3044"} << true << false;
    QTest::newRow("robot before broken stale")
        << QByteArray("ROBOT=T:\\Dane\\\r\nSTALE=T:\\Brak\\\r\nROBOT=T:\\Brak\\\r\n") << true
        << QStringList{BadPath + "|3044", ReadFailed + "|91"} << false << true;
    QTest::newRow("empty laboratory table") << QByteArray("STALE=T:\\Dane\\\r\n") << false
                                            << QStringList{ReadFailed + "|3021"} << true << false;
}

void InitApplicationTest::brokenConfigurations()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, withLaboratory);
    QFETCH(QStringList, boxes);
    QFETCH(bool, staleOpen);
    QFETCH(bool, robotOpen);
    FoundationFixture fixture;
    fixture.CreateStale("T:\\Dane\\", withLaboratory).Close();
    fixture.CreateRobot().Close();
    if (!ini.isEmpty())
        fixture.WriteIni(ini);
    ProgramEndRecorder end;
    QCOMPARE(startUp(int(boxes.size())), boxes);
    QCOMPARE(StaleDb.IsOpen(), staleOpen);
    QCOMPARE(RobotDb.IsOpen(), robotOpen);
    QVERIFY(!end.Ended());
    // A start-up stopped by an error never reached the pick lists.
    const bool stopped = boxes.last().startsWith(ReadFailed);
    QCOMPARE(ui::WindowRegistry::Exists<FormNastawienie>(), !stopped);
}

void InitApplicationTest::pickListsOfTheHiddenWindows()
{
    FoundationFixture fixture;
    dao::Database stale = fixture.CreateStale();
    stale.Execute("DROP TABLE Sito");
    stale.Close();
    fixture.WriteIni("STALE=T:\\Dane\\\r\n");
    ui::WindowRegistry::Instance<FormNastawienie>().ComboSito->addItem("dawne");
    QCOMPARE(startUp(0), QStringList());
    auto &sample = ui::WindowRegistry::Instance<FormBadanie>();
    auto &batch = ui::WindowRegistry::Instance<FormPartia>();
    auto &run = ui::WindowRegistry::Instance<FormNastawienie>();
    QVERIFY(sample.isHidden() && batch.isHidden() && run.isHidden());
    QCOMPARE(items(sample.ComboUwagi), (QStringList{"brak", "zmiana"}));     // hint order
    QCOMPARE(items(sample.ComboOpis), (QStringList{"świeża", "mrożona"}));   // table order
    QCOMPARE(items(sample.ComboTkanka), (QStringList{"język", "przepona"})); // by the batch window
    QCOMPARE(items(batch.ComboPrzyjal), QStringList{"Nowak"});               // no administrators
    QCOMPARE(items(batch.ComboAutoryzowal), QStringList{"Wiśniewska"});
    QCOMPARE(items(run.ComboWykonujacy), QStringList{"Zając"});
    QCOMPARE(items(run.ComboOdpowiedzialny), QStringList{"Lis"});
    QCOMPARE(items(run.ComboWaga), (QStringList{"Waga 1", "Waga 2"}));
    QCOMPARE(items(run.ComboOdczynnikPepsyna), (QStringList{"PepsynaSeria 1", "PepsynaSeria 2"}));
    QCOMPARE(items(run.ComboSito), QStringList{"dawne"}); // its table is missing
}

void InitApplicationTest::ensureFolderCreatesOneLevel()
{
    FoundationFixture fixture;
    EnsureFolder("T:\\Dane\\2026");
    EnsureFolder("T:\\Dane\\2026"); // exists: nothing happens
    QVERIFY(QDir(fixture.Real("T:\\Dane\\2026")).exists());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, EnsureFolder("T:\\Brak\\2026"));
}

QTEST_MAIN(InitApplicationTest)
#include "tst_InitApplication.moc"
