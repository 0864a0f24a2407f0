#include "foundation/Globals.h"
#include "foundation/Schema.h"
#include "mainwindow/DatabaseBackup.h"
#include "platform/db/DBEngine.h"
#include "platform/db/SqlFunctions.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"

#include "Installer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <sqlite3.h>

namespace
{

const QTime BackupTime(14, 7, 9);
const QString Success = QStringLiteral("Archiwizacja baz danych zakończona powodzeniem!\r"
                                       "Bazy zostały zarchiwizowane do katalogu: \r");

QString Real(const QString &windowsPath)
{
    return fs::DriveMap::ToReal(windowsPath);
}

QString MonthFile(int year, int month)
{
    return QStringLiteral("T:\\Dane\\%1\\Mervask%1%2.mdb").arg(year).arg(month, 2, 10, QChar(u'0'));
}

void CreateMonthDatabase(int year, int month)
{
    QDir().mkpath(Real(QStringLiteral("T:\\Dane\\%1").arg(year)));
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(Real(MonthFile(year, month)));
    Schema::CreateAll(db, Schema::Month);
    db.Execute(QStringLiteral("INSERT INTO Partia (Partia) VALUES (%1)").arg(month));
    db.Close();
}

void WriteFile(const QString &realPath, const QByteArray &content)
{
    QFile file(realPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QString SevenZipOutput(const QStringList &arguments)
{
    QProcess sevenZip;
    sevenZip.start(QStringLiteral("7za"), arguments);
    sevenZip.waitForFinished(-1);
    return QString::fromUtf8(sevenZip.readAllStandardOutput());
}

// The stored names that "7za l" lists.
QStringList ArchiveNames(const QString &archive)
{
    QStringList names;
    const QStringList lines =
        SevenZipOutput({QStringLiteral("l"), QStringLiteral("-slt"), archive}).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(QStringLiteral("Path = ")) && line.mid(7) != archive) {
            names.append(line.mid(7));
        }
    }
    names.sort();
    return names;
}

// The rows of one statement on a copied file, read by SQLite directly with the
// collation its indexes use.
QString QueryOf(const QString &realPath, const char *sql)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(realPath).constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return QStringLiteral("cannot open");
    }
    dao::detail::SqlFunctions::Register(db);
    QStringList rows;
    sqlite3_stmt *query = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &query, nullptr) != SQLITE_OK) {
        rows.append(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    while (query && sqlite3_step(query) == SQLITE_ROW) {
        rows.append(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(query, 0))));
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return rows.join(u'|');
}

QString IntegrityOf(const QString &realPath)
{
    return QueryOf(realPath, "PRAGMA integrity_check");
}

qint64 CountOf(const QString &realPath, const QString &table)
{
    dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(realPath);
    dao::Recordset rows = db.OpenRecordset(table);
    const qint64 count = rows.RecordCount();
    rows.Close();
    db.Close();
    return count;
}

// Reads the process's output up to its next line, or up to the line that
// starts with `expected` when it is given.
bool WaitForLine(QProcess &process, const char *expected)
{
    for (;;) {
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(60000)) {
                return false;
            }
        }
        const QByteArray line = process.readLine();
        if (!expected || line.startsWith(expected)) {
            return true;
        }
    }
}

QStringList FilesIn(const QString &realFolder)
{
    return QDir(realFolder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class tst_DatabaseBackup : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> drives_;
    const QString folder_ = QStringLiteral("C:\\MervaskLab\\Archiwum\\20100305g140709");
    const QString archive_ = folder_ + QStringLiteral("\\Archiwum20100305g140709.zip");

    static QStringList MonthNames(int year, int months)
    {
        QStringList names;
        for (int month = 1; month <= months; ++month) {
            names.append(
                QStringLiteral("Mervask%1%2.mdb").arg(year).arg(month, 2, 10, QChar(u'0')));
        }
        return names;
    }

    static void OpenDatabases()
    {
        StaleFolder = QStringLiteral("T:\\Dane\\");
        StaleDb =
            dao::DBEngine::Workspaces(0).OpenDatabase(Real(QStringLiteral("T:\\Dane\\Stale.mdb")));
        MonthDb = dao::DBEngine::Workspaces(0).OpenDatabase(Real(MonthFile(2010, 3)));
        RobotDb = dao::DBEngine::Workspaces(0).OpenDatabase(
            Real(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb")));
    }

    static void VerifyReopened()
    {
        QVERIFY(StaleDb.IsOpen() && MonthDb.IsOpen() && RobotDb.IsOpen());
        QCOMPARE(MonthDb.Name(), Real(MonthFile(2010, 3)));
        QCOMPARE(MonthDbName, Real(MonthFile(2010, 3)));
        QVERIFY(MonthDb.OpenRecordset(QStringLiteral("Partia")).RecordCount() >= 0);
    }

    // Replaces C:\MervaskLab\7za.exe by a script.
    static void FakeSevenZip(const QByteArray &script)
    {
        const QString path = Real(QStringLiteral("C:\\MervaskLab\\7za.exe"));
        QFile::remove(path);
        WriteFile(path, "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }

    void RunBackup(const QDate &workingDate, const QStringList &answers)
    {
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("Yes"));
        for (const QString &answer : answers) {
            scripted.Answer(answer);
        }
        DatabaseBackup([] { return BackupTime; }).Run(workingDate);
        log_ = scripted.Log();
        SCRIPTED_UI_VERIFY(scripted);
    }

    QList<ui::ShownDialog> log_;

private slots:
    void init()
    {
        drives_.emplace();
        fs::DriveMap::SetDrivesFolder(drives_->path());
        Installer installer({drives_->path(), QStringLiteral("admin"), QStringLiteral("admin1")});
        QCOMPARE(installer.Run(), Installer::Installed);
        for (int month = 1; month <= 12; ++month) {
            CreateMonthDatabase(2010, month);
        }
        CreateMonthDatabase(2009, 12);
        WriteFile(Real(QStringLiteral("T:\\Dane\\2010\\notatka.txt")), "kopia robocza\r\n");
        OpenDatabases();
    }
    void cleanup()
    {
        for (dao::Database *db : {&StaleDb, &MonthDb, &RobotDb}) {
            if (db->IsOpen()) {
                db->Close();
            }
        }
        fs::DriveMap::SetDrivesFolder(QString());
        drives_.reset();
    }

    void answerNoLeavesEverythingAsItWas()
    {
        const dao::Database month = MonthDb;
        ui::ScriptedUi scripted;
        scripted.Answer(QStringLiteral("No"));
        DatabaseBackup([] { return BackupTime; }).Run(QDate(2010, 3, 5));
        QCOMPARE(scripted.Last().text,
                 QStringLiteral("Czy na pewno wykonać archiwum aktualnych baz danych?"));
        QCOMPARE(scripted.Last().title, QStringLiteral("PYTANIE"));
        QCOMPARE(scripted.Last().style, 292);
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(MonthDb == month && MonthDb.IsOpen() && StaleDb.IsOpen() && RobotDb.IsOpen());
        QVERIFY(QDir(Real(QStringLiteral("C:\\MervaskLab\\Archiwum"))).isEmpty());
    }

    void archivePacksTheYearAndStale_data()
    {
        QTest::addColumn<QDate>("workingDate");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("working year")
            << QDate(2010, 3, 5) << MonthNames(2010, 12) + QStringList{"Stale.mdb"};
        QTest::newRow("an earlier year")
            << QDate(2009, 12, 31) << QStringList{"Mervask200912.mdb", "Stale.mdb"};
    }
    void archivePacksTheYearAndStale()
    {
        QFETCH(QDate, workingDate);
        QFETCH(QStringList, expected);
        RunBackup(workingDate, {QStringLiteral("OK")});
        const QString stamp =
            workingDate.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("g140709");
        const QString folder = QStringLiteral("C:\\MervaskLab\\Archiwum\\") + stamp;
        const QString archive = Real(folder + QStringLiteral("\\Archiwum") + stamp + ".zip");
        QCOMPARE(log_.last().text, Success + folder);
        QCOMPARE(log_.last().title, QStringLiteral("INFORMACJA"));
        QCOMPARE(log_.last().style, 64);
        QCOMPARE(FilesIn(Real(folder)), QStringList{QFileInfo(archive).fileName()});
        QCOMPARE(ArchiveNames(archive), expected);
        VerifyReopened();

        QTemporaryDir unpacked;
        SevenZipOutput({QStringLiteral("x"), QStringLiteral("-o") + unpacked.path(), archive});
        QCOMPARE(FilesIn(unpacked.path()), expected);
        for (const QString &name : expected) {
            QCOMPARE(IntegrityOf(unpacked.path() + u'/' + name), QStringLiteral("ok"));
        }
        QCOMPARE(CountOf(unpacked.path() + u'/' + expected.first(), QStringLiteral("Partia")), 1);
        QVERIFY(CountOf(unpacked.path() + QStringLiteral("/Stale.mdb"),
                        QStringLiteral("OPERATORZY")) >= 1);
    }

    void withoutSevenZipTheFilesAreCopiedLoose()
    {
        QVERIFY(QFile::remove(Real(QStringLiteral("C:\\MervaskLab\\7za.exe"))));
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.last().text, Success + folder_);
        QStringList expected = MonthNames(2010, 12) + QStringList{"Stale.mdb", "notatka.txt"};
        expected.sort();
        QCOMPARE(FilesIn(Real(folder_)), expected);
        for (const QString &name : expected) {
            if (name.endsWith(QStringLiteral(".mdb"))) {
                QCOMPARE(IntegrityOf(Real(folder_) + u'/' + name), QStringLiteral("ok"));
            }
        }
        QFile note(Real(folder_ + QStringLiteral("\\notatka.txt")));
        QVERIFY(note.open(QIODevice::ReadOnly));
        QCOMPARE(note.readAll(), QByteArray("kopia robocza\r\n"));
        VerifyReopened();
    }

    // The loose copies go straight into the backup folder; when one cannot be
    // made, those already written are removed and the failure is reported.
    void aFailedLooseCopyLeavesTheFolderEmpty()
    {
        QVERIFY(QFile::remove(Real(QStringLiteral("C:\\MervaskLab\\7za.exe"))));
        StaleDb.Close();
        QVERIFY(QFile::remove(Real(QStringLiteral("T:\\Dane\\Stale.mdb"))));
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.size(), 2);
        QVERIFY(log_.last().text.contains(QStringLiteral("Błąd 53")));
        QVERIFY(log_.last().text.contains(folder_));
        QCOMPARE(FilesIn(Real(folder_)), QStringList{});
    }

    void staleComesFromWhereItIsOpen_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::newRow("STALE folder of the configuration") << true;
        QTest::newRow("open elsewhere than configured") << false;
    }

    // A Stale.mdb that does not lie in T:\Dane\.
    void staleComesFromWhereItIsOpen()
    {
        QFETCH(bool, configured);
        const QString elsewhere = QStringLiteral("C:\\Slowniki\\");
        QVERIFY(QDir().mkpath(Real(elsewhere)));
        StaleDb.Close();
        QVERIFY(QFile::rename(Real(QStringLiteral("T:\\Dane\\Stale.mdb")),
                              Real(elsewhere) + QStringLiteral("/Stale.mdb")));
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(Real(elsewhere) + "/Stale.mdb");
        if (configured) {
            StaleFolder = elsewhere;
        }
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.last().text, Success + folder_);
        QVERIFY(ArchiveNames(Real(archive_)).contains(QStringLiteral("Stale.mdb")));
        QCOMPARE(StaleDb.Name(), Real(elsewhere) + "/Stale.mdb");
    }

    void failuresAreReportedWithTheFolder_data()
    {
        QTest::addColumn<QByteArray>("sevenZip");
        QTest::addColumn<QString>("detail");
        QTest::newRow("7za ends with a fatal error")
            << QByteArray("exit 2") << "Program 7za.exe zakończył pracę z kodem 2.";
        QTest::newRow("7za ends with a warning")
            << QByteArray("exit 1") << "Program 7za.exe zakończył pracę z kodem 1.";
        QTest::newRow("7za writes no archive")
            << QByteArray("exit 0") << "Program 7za.exe nie utworzył pliku " + archive_ + ".";
    }
    void failuresAreReportedWithTheFolder()
    {
        QFETCH(QByteArray, sevenZip);
        QFETCH(QString, detail);
        FakeSevenZip(sevenZip);
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.size(), 2);
        QCOMPARE(log_.last().text, QStringLiteral("Archiwizacja baz danych nie powiodła się!\r"
                                                  "Katalog archiwum: \r") +
                                       folder_ + u'\r' + detail);
        QCOMPARE(log_.last().style, 48);
        QCOMPARE(log_.last().title, QStringLiteral("Archiwizacja"));
        VerifyReopened();
    }

    void secondBackupInTheSameSecondFails()
    {
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QVERIFY(log_.last().text.startsWith(
            QStringLiteral("Archiwizacja baz danych nie powiodła się!")));
        QVERIFY(log_.last().text.contains(folder_));
        QVERIFY(log_.last().text.contains(QStringLiteral("Błąd 58")));
        // The first backup is left as it was.
        QCOMPARE(ArchiveNames(Real(archive_)).size(), 13);
        VerifyReopened();
    }

    void emptyYearDoesNothing()
    {
        RunBackup(QDate(2011, 1, 10), {});
        QCOMPARE(log_.size(), 1);
        QVERIFY(QDir(Real(QStringLiteral("C:\\MervaskLab\\Archiwum"))).isEmpty());
        VerifyReopened();
    }

    void aDatabaseThatCannotBeReopenedIsReported()
    {
        // The archiver takes Robot.mdb away while the databases are closed.
        FakeSevenZip("rm '" + QFile::encodeName(Real("C:\\MervaskLab\\Dane\\Robot.mdb")) +
                     "' && exec 7za \"$@\"");
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.size(), 2);
        QCOMPARE(log_[1].title, QStringLiteral("Archiwizacja"));
        QCOMPARE(log_[1].style, 48);
        QVERIFY2(log_[1].text.startsWith(
                     QStringLiteral("Bazy zostały zarchiwizowane do katalogu: \r") + folder_ +
                     QStringLiteral("\rPo archiwizacji nie udało się ponownie otworzyć baz "
                                    "danych:\r") +
                     Real(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb")) +
                     QStringLiteral(" (błąd 3024")),
                 qPrintable(log_[1].text));
        QVERIFY(!RobotDb.IsOpen());
        QVERIFY(StaleDb.IsOpen() && MonthDb.IsOpen());
    }

    // Another workstation holds the month file against every reader for
    // longer than the engine's own wait, from before the databases are
    // reopened: the reopening waits for it, as the copies do.
    void theReopeningWaitsForAnotherWorkstationsWrite()
    {
        const QString request = drives_->path() + QStringLiteral("/lock");
        QProcess writer;
        writer.start(
            QStringLiteral(BACKUP_WRITER),
            {Real(MonthFile(2010, 3)), request, QStringLiteral("hold"), QStringLiteral("7000")});
        QVERIFY(WaitForLine(writer, "ready"));
        // The archiver runs after the copies and before the reopening: it asks
        // for the lock and goes on once the writer has it.
        const QByteArray requestPath = QFile::encodeName(request);
        FakeSevenZip("touch '" + requestPath + "' && while [ ! -e '" + requestPath +
                     ".held' ]; do sleep 0.05; done && exec 7za \"$@\"");
        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.last().text, Success + folder_);
        VerifyReopened();
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitCode(), 0);
    }

    void aWriteThatBrokeOffIsRolledBackInTheCopy()
    {
        // A workstation dies in the middle of a write: the file is torn and its
        // journal lies beside it.
        const QString month = Real(MonthFile(2010, 3));
        QProcess writer;
        writer.start(QStringLiteral(BACKUP_WRITER),
                     {month, drives_->path() + "/stop", QStringLiteral("torn")});
        QVERIFY(WaitForLine(writer, "torn"));
        writer.kill();
        QVERIFY(writer.waitForFinished(60000));
        QVERIFY(QFile::remove(Real(QStringLiteral("C:\\MervaskLab\\7za.exe"))));

        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        QCOMPARE(log_.last().text, Success + folder_);
        QVERIFY(!FilesIn(Real(folder_)).contains(QStringLiteral("Mervask201003.mdb-journal")));
        const QString copy = Real(folder_) + QStringLiteral("/Mervask201003.mdb");
        QCOMPARE(IntegrityOf(copy), QStringLiteral("ok"));
        QCOMPARE(
            QueryOf(copy, "SELECT COUNT(*) || '|' || COUNT(DISTINCT pokolenie) FROM Obciazenie"),
            QStringLiteral("20000|1"));
    }

    // Loose copies made one after another while another workstation keeps
    // rewriting the month, each at another moment of its writes: every copy
    // is whole and holds one committed state.
    void looseCopiesWhileAnotherWorkstationWrites()
    {
        QVERIFY(QFile::remove(Real(QStringLiteral("C:\\MervaskLab\\7za.exe"))));
        const QString stop = drives_->path() + QStringLiteral("/stop");
        QProcess writer;
        writer.start(QStringLiteral(BACKUP_WRITER), {Real(MonthFile(2010, 3)), stop});
        QVERIFY(WaitForLine(writer, "ready"));
        const QString copy = Real(folder_) + QStringLiteral("/Mervask201003.mdb");
        for (int backup = 0; backup < 8; ++backup) {
            // Each copy meets the writes at another point: between two
            // backups, the writer commits one more generation each time.
            writer.waitForReadyRead(0);
            writer.readAllStandardOutput();
            for (int generation = 0; generation <= backup; ++generation) {
                QVERIFY(WaitForLine(writer, nullptr));
            }
            RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
            QCOMPARE(log_.last().text, Success + folder_);
            QCOMPARE(IntegrityOf(copy), QStringLiteral("ok"));
            QCOMPARE(QueryOf(copy, "SELECT COUNT(*) || '|' || COUNT(DISTINCT pokolenie) FROM "
                                   "Obciazenie"),
                     QStringLiteral("20000|1"));
            QVERIFY(QDir(Real(folder_)).removeRecursively());
        }
        WriteFile(stop, "");
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitCode(), 0);
    }

    void backupWhileAnotherWorkstationWrites()
    {
        const QString month = Real(MonthFile(2010, 3));
        const QString stop = drives_->path() + QStringLiteral("/stop");
        QProcess writer;
        writer.start(QStringLiteral(BACKUP_WRITER), {month, stop});
        QVERIFY(WaitForLine(writer, "ready"));

        RunBackup(QDate(2010, 3, 5), {QStringLiteral("OK")});
        WriteFile(stop, "");
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(writer.exitCode(), 0);
        QCOMPARE(log_.last().text, Success + folder_);

        QTemporaryDir unpacked;
        SevenZipOutput(
            {QStringLiteral("x"), QStringLiteral("-o") + unpacked.path(), Real(archive_)});
        const QString copy = unpacked.path() + QStringLiteral("/Mervask201003.mdb");
        QCOMPARE(IntegrityOf(copy), QStringLiteral("ok"));
        // One committed state: every row of one generation.
        QCOMPARE(
            QueryOf(copy, "SELECT COUNT(*) || '|' || COUNT(DISTINCT pokolenie) FROM Obciazenie"),
            QStringLiteral("20000|1"));
        QCOMPARE(CountOf(copy, QStringLiteral("Partia")), 1);
    }
};

QTEST_MAIN(tst_DatabaseBackup)
#include "tst_DatabaseBackup.moc"
