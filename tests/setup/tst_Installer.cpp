#include "Installer.h"

#include "foundation/Schema.h"
#include "foundation/ScramblePassword.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>

namespace
{

const QString Login = QStringLiteral("kierownik");
const QString Password = QStringLiteral("Łąka#7z");

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every entry under a folder, links not followed: name, kind, link target,
// size and content, so that any change shows.
QStringList Snapshot(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QByteArray hash =
            info.isFile() && !info.isSymLink()
                ? QCryptographicHash::hash(ReadAll(info.filePath()), QCryptographicHash::Md5)
                      .toHex()
                : QByteArray();
        entries << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(info.filePath().mid(root.size()),
                            info.isDir() ? QStringLiteral("d") : QStringLiteral("f"),
                            info.symLinkTarget())
                       .arg(info.size())
                       .arg(QString::fromLatin1(hash));
    }
    entries.sort();
    return entries;
}

QString ValueText(const QVariant &value)
{
    return value.isValid() ? value.toString() : QStringLiteral("<Null>");
}

} // namespace

// One installation, made once, checked from every side; then what the
// installer refuses.
class tst_Installer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void folders();
    void iniFile();
    void sevenZipLink();
    void driveLettersReachTheSameFiles();
    void reportDefinitions();
    void tablesAndFields_data();
    void tablesAndFields();
    void seedRows_data();
    void seedRows();
    void administratorAccount();

    void secondRunRefusesAndChangesNothing_data();
    void secondRunRefusesAndChangesNothing();
    void badOptionsAreRefused_data();
    void badOptionsAreRefused();
    void failureLeavesNothingBehind();
    void defaultsToTheDriveMapFolder();

private:
    QString drives() const { return dir_.path(); }
    QString program() const { return dir_.path() + QStringLiteral("/c/MervaskLab"); }

    QTemporaryDir dir_;
};

void tst_Installer::initTestCase()
{
    QVERIFY(dir_.isValid());
    Installer installer(
        {dir_.path(), QStringLiteral("  ") + Login + QStringLiteral(" "), Password});
    QCOMPARE(installer.Run(), Installer::Installed);
    QVERIFY(installer.Message().contains(Login));
    fs::DriveMap::SetDrivesFolder(dir_.path());
}

void tst_Installer::cleanupTestCase()
{
    fs::DriveMap::SetDrivesFolder(QString());
}

void tst_Installer::folders()
{
    for (const char *sub : {"Dane", "Raporty", "Eksport", "Archiwum"})
        QVERIFY2(QFileInfo(program() + u'/' + QLatin1String(sub)).isDir(), sub);
    const QFileInfo t(drives() + QStringLiteral("/t"));
    QVERIFY(t.isSymLink());
    QCOMPARE(QFile::symLinkTarget(t.filePath()), program());
    // Relative, so that the drives folder can be moved as a whole.
    QCOMPARE(QString::fromStdString(std::filesystem::read_symlink(t.filePath().toStdString())),
             QStringLiteral("c/MervaskLab"));
    // Nothing of the build is left beside the drives.
    QCOMPARE(QDir(drives()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"c", "t"}));
}

void tst_Installer::iniFile()
{
    QCOMPARE(
        ReadAll(drives() + QStringLiteral("/t/mervasklab.ini")),
        QByteArray("STALE=T:\\Dane\\\r\nRAPORTY=T:\\Raporty\\\r\nROBOT=C:\\MervaskLab\\Dane\\\r\n"
                   "CLABSCHEMAT=https://clab.invalid\r\nCLABSERWIS=https://clab.invalid\r\n"));
}

void tst_Installer::sevenZipLink()
{
    const QFileInfo link(program() + QStringLiteral("/7za.exe"));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.symLinkTarget(), Installer::SevenZipTarget());
    if (QFileInfo::exists(QStringLiteral("/usr/bin/7za")))
        QVERIFY(link.isExecutable());
}

void tst_Installer::driveLettersReachTheSameFiles()
{
    using fs::DriveMap;
    const QString robotFixed = DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb"));
    const QString robotOnT = DriveMap::ToReal(QStringLiteral("T:\\Dane\\Robot.mdb"));
    QVERIFY(QFileInfo::exists(robotFixed));
    QCOMPARE(QFileInfo(robotOnT).canonicalFilePath(), QFileInfo(robotFixed).canonicalFilePath());
    QVERIFY(QFileInfo::exists(DriveMap::ToReal(QStringLiteral("T:\\Dane\\Stale.mdb"))));
    QVERIFY(QFileInfo(DriveMap::ToReal(QStringLiteral("T:\\Raporty"))).isDir());
}

void tst_Installer::reportDefinitions()
{
    int checked = 0;
    QDirIterator it(QStringLiteral(":/reports"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString copy = program() + QStringLiteral("/Raporty") + source.mid(9);
        QCOMPARE(ReadAll(copy), ReadAll(source));
        QVERIFY(QFileInfo(copy).isWritable());
        ++checked;
    }
    int copied = 0;
    QDirIterator copies(program() + QStringLiteral("/Raporty"), QDir::Files,
                        QDirIterator::Subdirectories);
    for (; copies.hasNext(); copies.next())
        ++copied;
    QCOMPARE(copied, checked);
}

void tst_Installer::tablesAndFields_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("Stale.mdb") << int(Schema::Stale) << QStringLiteral("Dane/Stale.mdb");
    QTest::newRow("Robot.mdb") << int(Schema::Robot) << QStringLiteral("Dane/Robot.mdb");
}

// The files hold exactly the tables of the schema, each field in order with
// its type and size, every text accepting the empty text.
void tst_Installer::tablesAndFields()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(program() + u'/' + file);
    const QList<TableSpec> &tables = Schema::Tables(Schema::DatabaseKind(kind));
    QCOMPARE(db.TableDefs().Count(), tables.size());
    for (const TableSpec &table : tables) {
        const dao::Fields fields = db.TableDefs()(table.name).Fields();
        QCOMPARE(fields.Count(), table.fields.size());
        for (int i = 0; i < fields.Count(); ++i) {
            const FieldSpec &fieldSpec = table.fields[i];
            const QByteArray where = (table.name + u'.' + fieldSpec.name).toUtf8();
            QVERIFY2(fields(i).Name() == fieldSpec.name, where);
            QVERIFY2(fields(i).Type() == fieldSpec.type, where);
            if (fieldSpec.type == dao::dbText)
                QVERIFY2(fields(i).Size() == fieldSpec.size, where);
            if (fieldSpec.AllowZeroLength())
                QVERIFY2(fields(i).AllowZeroLength(), where);
        }
    }
    db.Close();
}

void tst_Installer::seedRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("count");
    const auto stale = [](const char *table, int count) {
        QTest::newRow(table) << int(Schema::Stale) << QStringLiteral("Dane/Stale.mdb")
                             << QString::fromLatin1(table) << count;
    };
    stale("PODATNIK", 1);
    stale("PARAMETRY", 7);
    stale("Kierunek", 1);
    stale("GATUNEK", 7);
    stale("PLEC", 22);
    stale("Tkanka", 7);
    stale("OpisProbki", 1);
    stale("CLab", 0);
    stale("Zaklad", 0);
    QTest::newRow("WynikTMP") << int(Schema::Robot) << QStringLiteral("Dane/Robot.mdb")
                              << QStringLiteral("WynikTMP") << 1;
    QTest::newRow("SeriaTest") << int(Schema::Robot) << QStringLiteral("Dane/Robot.mdb")
                               << QStringLiteral("SeriaTest") << 1;
    QTest::newRow("Robot Partia") << int(Schema::Robot) << QStringLiteral("Dane/Robot.mdb")
                                  << QStringLiteral("Partia") << 0;
}

// The rows the program expects ready-made, value by value; Null stays Null.
void tst_Installer::seedRows()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(int, count);
    const QList<QVariantMap> expected = Schema::SeedRows(Schema::DatabaseKind(kind), table);
    QCOMPARE(expected.size(), count);

    dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(program() + u'/' + file);
    dao::Recordset rs = db.OpenRecordset(table);
    QCOMPARE(rs.RecordCount(), count);
    const TableSpec *fieldSpec = Schema::Table(Schema::DatabaseKind(kind), table);
    QVERIFY(fieldSpec);
    for (int row = 0; row < count; ++row, rs.MoveNext()) {
        for (const FieldSpec &field : fieldSpec->fields) {
            const QVariant want = expected[row].value(field.name);
            QCOMPARE(ValueText(rs.Fields(field.name).Value()), ValueText(want));
        }
    }
    rs.Close();
    db.Close();
}

void tst_Installer::administratorAccount()
{
    dao::Database db =
        dao::DBEngine::Workspaces(0).OpenDatabase(program() + QStringLiteral("/Dane/Stale.mdb"));
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("OPERATORZY"));
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs("OP_LOGIN").Value().toString(), Login); // stored trimmed
    QCOMPARE(rs("OP_RODZAJ").Value().toString(), QStringLiteral("Administrator"));
    QCOMPARE(rs("OP_NUMER").Value().toString(), QStringLiteral("001"));
    QCOMPARE(rs("OP_NAZWISKO").Value().toString(), QStringLiteral("Administrator"));
    QCOMPARE(rs("OP_KLUCZ").Value().toString(), QStringLiteral("ADMINISTRATOR"));
    QString typed = Password;
    QCOMPARE(rs("OP_HASLO").Value().toString(), ScramblePassword(typed));
    QVERIFY(rs("OP_HASLO").Value().toString() != Password.toUpper());
    rs.Close();
    db.Close();
}

void tst_Installer::secondRunRefusesAndChangesNothing_data()
{
    QTest::addColumn<QString>("drivesFolder");
    QTest::newRow("same folder") << QString();
    QTest::newRow("same folder, other spelling") << QStringLiteral("/./");
}

void tst_Installer::secondRunRefusesAndChangesNothing()
{
    QFETCH(QString, drivesFolder);
    const QStringList before = Snapshot(drives());
    Installer again({drives() + drivesFolder, QStringLiteral("other"), QStringLiteral("secret")});
    QCOMPARE(again.Run(), Installer::AlreadyInstalled);
    QVERIFY(again.Message().contains(QStringLiteral("already exists")));
    QCOMPARE(Snapshot(drives()), before);
}

void tst_Installer::badOptionsAreRefused_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::newRow("empty login") << QString() << QStringLiteral("secret");
    QTest::newRow("blank login") << QStringLiteral("   ") << QStringLiteral("secret");
    QTest::newRow("2-character password") << QStringLiteral("a") << QStringLiteral("ab");
    QTest::newRow("11-character password") << QStringLiteral("a") << QStringLiteral("abcdefghijk");
}

void tst_Installer::badOptionsAreRefused()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QTemporaryDir empty;
    Installer installer({empty.path(), login, password});
    QCOMPARE(installer.Run(), Installer::InvalidOptions);
    QVERIFY(QDir(empty.path()).isEmpty());
}

// A drive folder "c" that is a file makes the move fail at the very end:
// what was built is removed and the drives folder looks as before.
void tst_Installer::failureLeavesNothingBehind()
{
    QTemporaryDir other;
    QFile blocker(other.filePath(QStringLiteral("c")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QStringList before = Snapshot(other.path());
    Installer installer({other.path(), Login, Password});
    QCOMPARE(installer.Run(), Installer::Failed);
    QVERIFY(installer.Message().contains(QStringLiteral("nothing was installed")));
    QCOMPARE(Snapshot(other.path()), before);
}

void tst_Installer::defaultsToTheDriveMapFolder()
{
    QTemporaryDir other;
    fs::DriveMap::SetDrivesFolder(other.filePath(QStringLiteral("drives")));
    Installer installer({QString(), Login, Password});
    const Installer::Result result = installer.Run();
    fs::DriveMap::SetDrivesFolder(drives());
    QCOMPARE(result, Installer::Installed);
    QVERIFY(QFileInfo::exists(other.filePath(QStringLiteral("drives/t/Dane/Stale.mdb"))));
}

QTEST_MAIN(tst_Installer)
#include "tst_Installer.moc"
