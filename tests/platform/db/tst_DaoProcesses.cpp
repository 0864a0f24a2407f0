#include "TestDatabase.h"

#include <QProcess>
#include <QtTest>

#include <set>
#include <sqlite3.h>

using namespace dao;

// Several workstations on one file: numbers taken as "highest + 1" by two
// writers at once, a correction refused over another workstation's, and a
// writer killed in the middle of a transaction.
class tst_DaoProcesses : public QObject
{
    Q_OBJECT

private slots:
    void twoWritersTakeDistinctNumbers();
    void correctionOverAnotherWorkstationsIsRefused();
    void killedTransactionLeavesNothing();
    void killedAnywhereLeavesNoneOrAll();

private:
    static QString integrityOf(const QString &path);
};

QString tst_DaoProcesses::integrityOf(const QString &path)
{
    Database db = DBEngine::Workspaces(0).OpenDatabase(path);
    // Through a plain connection, so that nothing of the layer hides a fault.
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QString result;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(raw);
    db.Close();
    return result;
}

void tst_DaoProcesses::twoWritersTakeDistinctNumbers()
{
    TestDatabase file;
    file.createTable("Numery", {{"Nr", dbLong, 0}, {"Kto", dbLong, 0}});
    file.db().Close();

    constexpr int perWriter = 1000;
    QProcess first;
    QProcess second;
    for (QProcess *writer : {&first, &second}) {
        writer->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer->start(DAO_WORKER_PATH, {"next", file.path(), QString::number(perWriter)});
    }
    for (QProcess *writer : {&first, &second}) {
        QVERIFY(writer->waitForFinished(300000));
        QCOMPARE(writer->exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer->exitCode(), 0);
        qInfo() << writer->readAllStandardOutput().trimmed();
    }

    Database db = DBEngine::Workspaces(0).OpenDatabase(file.path());
    Recordset rs = db.OpenRecordset("SELECT * FROM Numery ORDER BY Nr");
    QCOMPARE(rs.RecordCount(), 2 * perWriter);
    std::set<int> numbers;
    std::set<int> writers;
    while (!rs.EOF()) {
        numbers.insert(rs("Nr").Value().toInt());
        writers.insert(rs("Kto").Value().toInt());
        rs.MoveNext();
    }
    QCOMPARE(int(numbers.size()), 2 * perWriter);
    QCOMPARE(*numbers.begin(), 1);
    QCOMPARE(*numbers.rbegin(), 2 * perWriter);
    QCOMPARE(int(writers.size()), 2);
    db.Close();
    QCOMPARE(integrityOf(file.path()), QStringLiteral("ok"));
}

// The other workstation reads the row, this one corrects it (or deletes it,
// or leaves it), then the other one saves its own correction.
void tst_DaoProcesses::correctionOverAnotherWorkstationsIsRefused()
{
    struct Round {
        const char *meanwhile; // what this workstation does while the other waits
        QByteArray answer;
        QString kept; // Tekst of row 1 afterwards
    };
    const Round rounds[] = {
        {"change", "3197", "stąd"}, {"delete", "3167", QString()}, {"nothing", "ok", "stamtąd"}};
    for (const Round &round : rounds) {
        TestDatabase file;
        file.createTable("Wiersze", {{"Nr", dbLong, 0}, {"Tekst", dbText, 20}});
        file.addRows("Wiersze", "Nr", {1, 2});

        QProcess other;
        other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        other.start(DAO_WORKER_PATH, {"edit", file.path(), "stamtąd"});
        QVERIFY(other.waitForStarted());
        while (!other.canReadLine())
            QVERIFY(other.waitForReadyRead(60000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("read"));

        Recordset rs = file.db().OpenRecordset("SELECT * FROM Wiersze WHERE Nr = 1");
        if (qstrcmp(round.meanwhile, "change") == 0) {
            rs.Edit();
            rs("Tekst") = "stąd";
            rs.Update();
        } else if (qstrcmp(round.meanwhile, "delete") == 0) {
            rs.Delete();
        }
        rs.Close();

        other.write("\n");
        while (!other.canReadLine())
            QVERIFY(other.waitForReadyRead(60000));
        QCOMPARE(other.readLine().trimmed(), round.answer);
        QVERIFY(other.waitForFinished(60000));
        QCOMPARE(file.column("SELECT * FROM Wiersze WHERE Nr = 1", "Tekst").value(0).toString(),
                 round.kept);
        QCOMPARE(file.column("SELECT * FROM Wiersze ORDER BY Nr", "Nr").size(),
                 round.kept.isNull() ? 1 : 2);
    }
}

void tst_DaoProcesses::killedTransactionLeavesNothing()
{
    TestDatabase file;
    file.createTable("Wiersze", {{"Nr", dbLong, 0}, {"Tekst", dbText, 255}});
    file.addRows("Wiersze", "Nr", {-1, -2, -3});
    file.db().Close();

    QProcess writer;
    writer.start(DAO_WORKER_PATH, {"bulk", file.path(), "10000"});
    QVERIFY(writer.waitForStarted());
    while (!writer.canReadLine())
        QVERIFY(writer.waitForReadyRead(60000));
    QCOMPARE(writer.readLine().trimmed(), QByteArray("half"));
    // The journal must hold what the file lost: the file is already changed.
    QVERIFY(QFile::exists(file.path() + "-journal"));
    writer.kill();
    QVERIFY(writer.waitForFinished(60000));

    Database db = DBEngine::Workspaces(0).OpenDatabase(file.path());
    Recordset rs = db.OpenRecordset("SELECT * FROM Wiersze ORDER BY Nr");
    QCOMPARE(rs.RecordCount(), 3);
    QCOMPARE(rs("Nr").Value().toInt(), -3);
    db.Close();
    QCOMPARE(integrityOf(file.path()), QStringLiteral("ok"));
}

void tst_DaoProcesses::killedAnywhereLeavesNoneOrAll()
{
    for (int delayMs : {0, 20, 80}) {
        TestDatabase file;
        file.createTable("Wiersze", {{"Nr", dbLong, 0}, {"Tekst", dbText, 255}});
        file.db().Close();

        QProcess writer;
        writer.start(DAO_WORKER_PATH, {"bulk", file.path(), "10000"});
        QVERIFY(writer.waitForStarted());
        while (!writer.canReadLine())
            QVERIFY(writer.waitForReadyRead(60000));
        writer.write("\n"); // go on to the end...
        // ...and be killed somewhere on the way, unless it is done already.
        if (!writer.waitForFinished(delayMs)) {
            writer.kill();
            QVERIFY(writer.waitForFinished(60000));
        }

        Database db = DBEngine::Workspaces(0).OpenDatabase(file.path());
        const int rows = db.OpenRecordset("Wiersze").RecordCount();
        QVERIFY2(rows == 0 || rows == 10000, qPrintable(QString::number(rows)));
        db.Close();
        QCOMPARE(integrityOf(file.path()), QStringLiteral("ok"));
    }
}

QTEST_MAIN(tst_DaoProcesses)
#include "tst_DaoProcesses.moc"
