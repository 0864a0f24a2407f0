// The online copy of a database file: one committed state, also while another
// connection writes, and a clean failure that leaves no partial copy.
#include "TestDatabase.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace
{

// A second workstation's connection to the same file.
class Writer
{
public:
    explicit Writer(const QString &path)
    {
        QVERIFY(sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE,
                                nullptr) == SQLITE_OK);
    }
    ~Writer() { sqlite3_close(db_); }
    int exec(const char *sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3 *db_ = nullptr;
};

QStringList names(const QString &path)
{
    dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(path);
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Osoba ORDER BY Nazwa"));
    QStringList result;
    for (; !rs.EOF(); rs.MoveNext())
        result.append(rs(QStringLiteral("Nazwa")).Value().toString());
    rs.Close();
    db.Close();
    return result;
}

} // namespace

class DatabaseCopyTest : public QObject
{
    Q_OBJECT

private slots:
    // The copy holds what was committed; a write still open elsewhere is not
    // in it, and the source keeps working afterwards.
    void copiesTheCommittedState()
    {
        TestDatabase source;
        source.createTable(QStringLiteral("Osoba"), {{QStringLiteral("Nazwa"), dao::dbText, 50}});
        source.db().Execute(QStringLiteral("INSERT INTO Osoba (Nazwa) VALUES ('Łucja')"));
        source.db().Execute(QStringLiteral("INSERT INTO Osoba (Nazwa) VALUES ('Adam')"));
        Writer other(source.path());
        QCOMPARE(other.exec("BEGIN IMMEDIATE; INSERT INTO Osoba (Nazwa) VALUES ('Zenon')"),
                 SQLITE_OK);
        const QString target = source.folder() + QStringLiteral("/Kopia.mdb");
        dao::DBEngine::CopyDatabase(source.path(), target, 2000);
        QCOMPARE(other.exec("COMMIT"), SQLITE_OK);
        QCOMPARE(names(target), (QStringList{QStringLiteral("Adam"), QStringLiteral("Łucja")}));
        source.db().Close();
        QCOMPARE(names(source.path()).size(), 3);
    }

    // A missing source and a source that stays locked past the wait both give
    // error 75 naming the file, and no copy is left behind.
    void failuresLeaveNoCopy()
    {
        TestDatabase source;
        source.createTable(QStringLiteral("Osoba"), {{QStringLiteral("Nazwa"), dao::dbText, 50}});
        source.db().Close();
        const QString target = source.folder() + QStringLiteral("/Kopia.mdb");
        const auto copyError = [&](const QString &from) {
            try {
                dao::DBEngine::CopyDatabase(from, target, 200);
            } catch (const RuntimeError &error) {
                return error;
            }
            return RuntimeError(0, QString());
        };
        const RuntimeError missing = copyError(source.folder() + QStringLiteral("/Brak.mdb"));
        QCOMPARE(missing.Number(), 75);
        QVERIFY(missing.Description().contains(QStringLiteral("Brak.mdb")));
        QVERIFY(!QFile::exists(target));

        Writer other(source.path());
        QCOMPARE(other.exec("BEGIN EXCLUSIVE; INSERT INTO Osoba (Nazwa) VALUES ('Ewa')"),
                 SQLITE_OK);
        const RuntimeError locked = copyError(source.path());
        QCOMPARE(locked.Number(), 75);
        QVERIFY(locked.Description().contains(QStringLiteral("Test.mdb")));
        QVERIFY(!QFile::exists(target));
        QCOMPARE(other.exec("ROLLBACK"), SQLITE_OK);
    }
};

QTEST_GUILESS_MAIN(DatabaseCopyTest)
#include "tst_DatabaseCopy.moc"
