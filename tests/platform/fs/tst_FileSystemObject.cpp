#include "ErrorNumberOf.h"
#include "TemporaryFolder.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

using Fso = fs::FileSystemObject;

class tst_FileSystemObject : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryFolder> dir_;

private slots:
    void init()
    {
        dir_ = std::make_unique<TemporaryFolder>();
        QVERIFY(QDir().mkpath(dir_->Real(QStringLiteral("t/Dane/2026"))));
        QVERIFY(QDir().mkpath(dir_->Real(QStringLiteral("c/MervaskLab"))));
        dir_->Write(QStringLiteral("t/Dane/Stale.mdb"), "stale");
        fs::DriveMap::SetDrivesFolder(dir_->Path());
    }
    void cleanupTestCase() { fs::DriveMap::SetDrivesFolder(QString()); }

    void existence()
    {
        QVERIFY(Fso::DriveExists(QStringLiteral("T:\\")) && Fso::DriveExists(QStringLiteral("c")));
        QVERIFY(!Fso::DriveExists(QStringLiteral("Q:")) && !Fso::DriveExists(QStringLiteral("TT")));
        QVERIFY(Fso::FolderExists(QStringLiteral("t:\\dane\\2026\\")));
        QVERIFY(!Fso::FolderExists(QStringLiteral("T:\\Dane\\Stale.mdb")));
        QVERIFY(Fso::FileExists(QStringLiteral("T:\\DANE\\stale.MDB")));
        QVERIFY(!Fso::FileExists(QStringLiteral("T:\\Dane")) && !Fso::FileExists(QString()));
    }

    // One level, the whole path, and one level where an existing folder is
    // what was wanted (another workstation may have made it a moment ago).
    void createFolder_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("oneLevel");
        QTest::addColumn<int>("wholePath");
        QTest::addColumn<int>("ifMissing");
        QTest::newRow("new") << "T:\\Dane\\2027" << 0 << 0 << 0;
        QTest::newRow("parent missing") << "T:\\Dane\\2030\\01" << 76 << 0 << 76;
        QTest::newRow("exists") << "T:\\dane\\2026" << 58 << 0 << 0;
        QTest::newRow("a file in the way") << "T:\\Dane\\Stale.mdb" << 58 << 58 << 58;
        QTest::newRow("drive missing is not created") << "Q:\\Dane" << 76 << 76 << 76;
    }
    void createFolder()
    {
        QFETCH(QString, path);
        QFETCH(int, oneLevel);
        QFETCH(int, wholePath);
        QFETCH(int, ifMissing);
        QCOMPARE(ErrorNumberOf([&] { Fso::CreateFolder(path); }), oneLevel);
        init();
        QCOMPARE(ErrorNumberOf([&] { Fso::CreateFolderPath(path); }), wholePath);
        QCOMPARE(Fso::FolderExists(path), wholePath == 0);
        init();
        QCOMPARE(ErrorNumberOf([&] { Fso::CreateFolderIfMissing(path); }), ifMissing);
        QCOMPARE(Fso::FolderExists(path), ifMissing == 0);
        QVERIFY(!QFileInfo::exists(dir_->Real(QStringLiteral("q"))));
    }

    // A file takes its new name only where no file has it; an existing one is
    // never replaced and both stay as they were.
    void moveFileNoReplace()
    {
        dir_->Write(QStringLiteral("t/Dane/2026/~praca.tmp"), "nowa");
        const QString work = QStringLiteral("T:\\Dane\\2026\\~praca.tmp");
        QVERIFY(!Fso::MoveFileNoReplace(work, QStringLiteral("T:\\Dane\\Stale.mdb")));
        QCOMPARE(dir_->Read(QStringLiteral("t/Dane/Stale.mdb")), QByteArray("stale"));
        QCOMPARE(dir_->Read(QStringLiteral("t/Dane/2026/~praca.tmp")), QByteArray("nowa"));
        QVERIFY(Fso::MoveFileNoReplace(work, QStringLiteral("T:\\Dane\\2026\\Mervask202601.mdb")));
        QCOMPARE(dir_->Read(QStringLiteral("t/Dane/2026/Mervask202601.mdb")), QByteArray("nowa"));
        QVERIFY(!Fso::FileExists(work));
        QCOMPARE(ErrorNumberOf([&] {
                     Fso::MoveFileNoReplace(work, QStringLiteral("T:\\Dane\\2026\\x.mdb"));
                 }),
                 53);
    }

    void copyFile()
    {
        Fso::GetFile(QStringLiteral("T:\\Dane\\Stale.mdb"))
            .Copy(QStringLiteral("C:\\MervaskLab\\"));
        QCOMPARE(dir_->Read(QStringLiteral("c/MervaskLab/Stale.mdb")), QByteArray("stale"));
        QCOMPARE(QFileInfo(dir_->Real(QStringLiteral("c/MervaskLab/Stale.mdb"))).lastModified(),
                 QFileInfo(dir_->Real(QStringLiteral("t/Dane/Stale.mdb"))).lastModified());

        dir_->Write(QStringLiteral("t/Dane/Stale.mdb"), "newer");
        const QString source = QStringLiteral("T:\\Dane\\Stale.mdb");
        QCOMPARE(ErrorNumberOf(
                     [&] { Fso::CopyFile(source, QStringLiteral("C:\\MervaskLab\\"), false); }),
                 58);
        QCOMPARE(dir_->Read(QStringLiteral("c/MervaskLab/Stale.mdb")), QByteArray("stale"));
        Fso::CopyFile(source, QStringLiteral("C:\\MervaskLab\\stale.MDB"));
        QCOMPARE(dir_->Read(QStringLiteral("c/MervaskLab/Stale.mdb")), QByteArray("newer"));
    }

    void fileErrors_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<int>("number");
        QTest::newRow("source missing") << "T:\\Dane\\Brak.mdb"
                                        << "C:\\MervaskLab\\" << 53;
        QTest::newRow("source is a folder") << "T:\\Dane\\2026"
                                            << "C:\\MervaskLab\\x" << 53;
        QTest::newRow("target folder missing") << "T:\\Dane\\Stale.mdb"
                                               << "C:\\Brak\\x" << 76;
        QTest::newRow("target is a folder") << "T:\\Dane\\Stale.mdb"
                                            << "T:\\Dane\\2026" << 75;
        QTest::newRow("onto itself") << "T:\\Dane\\Stale.mdb"
                                     << "t:\\DANE\\" << 75;
    }
    void fileErrors()
    {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QFETCH(int, number);
        QCOMPARE(ErrorNumberOf([&] { Fso::CopyFile(source, destination); }), number);
        QCOMPARE(dir_->Read(QStringLiteral("t/Dane/Stale.mdb")), QByteArray("stale"));
        if (number == 53) {
            QCOMPARE(ErrorNumberOf([&] { Fso::GetFile(source); }), 53);
            QCOMPARE(ErrorNumberOf([&] { Fso::DeleteFile(source); }), 53);
        }
    }

    void pathNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("name");
        QTest::newRow("file") << "T:\\Dane\\\\M.mdb"
                              << "T:\\Dane"
                              << "M.mdb";
        QTest::newRow("trailing separator") << "C:\\A\\Eksport\\"
                                            << "C:\\A"
                                            << "Eksport";
        QTest::newRow("under the root") << "C:\\MervaskLab"
                                        << "C:\\"
                                        << "MervaskLab";
        QTest::newRow("root") << "T:\\"
                              << ""
                              << "";
        QTest::newRow("drive relative") << "T:x.txt"
                                        << "T:"
                                        << "x.txt";
        QTest::newRow("name only") << "x.txt"
                                   << ""
                                   << "x.txt";
    }
    void pathNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, parent);
        QFETCH(QString, name);
        QCOMPARE(Fso::GetParentFolderName(path), parent);
        QCOMPARE(Fso::GetFileName(path), name);
    }

    void buildPath()
    {
        QCOMPARE(Fso::BuildPath(QStringLiteral("C:\\A"), QStringLiteral("B")),
                 QStringLiteral("C:\\A\\B"));
        QCOMPARE(Fso::BuildPath(QStringLiteral("C:\\A\\"), QStringLiteral("\\B")),
                 QStringLiteral("C:\\A\\B"));
        QCOMPARE(Fso::BuildPath(QStringLiteral("T:"), QStringLiteral("B")), QStringLiteral("T:B"));
    }

    void textFiles()
    {
        const QString path = QStringLiteral("C:\\MervaskLab\\lista.txt");
        fs::TextStream stream = Fso::CreateTextFile(path);
        stream.Write(QStringLiteral("12\tŁódź"));
        stream.WriteLine(QStringLiteral(" €"));
        stream.WriteLine();
        stream.Close();
        QCOMPARE(dir_->Read(QStringLiteral("c/MervaskLab/lista.txt")),
                 QByteArray("12\t\xA3\xF3\x64\x9F \x80\r\n\r\n"));
        QCOMPARE(ErrorNumberOf([&] { stream.Write(QStringLiteral("x")); }), 75);
        QCOMPARE(ErrorNumberOf([&] { Fso::CreateTextFile(path, false); }), 58);
        QCOMPARE(ErrorNumberOf([] { Fso::CreateTextFile(QStringLiteral("C:\\Brak\\x.txt")); }), 76);

        fs::TextStream journal = Fso::OpenTextFileForAppending(path);
        journal.WriteLine(QStringLiteral("中"));
        journal.Close();
        QCOMPARE(dir_->Read(QStringLiteral("c/MervaskLab/lista.txt")).right(5),
                 QByteArray("\r\n?\r\n"));
        Fso::DeleteFile(QStringLiteral("c:\\mervasklab\\LISTA.TXT"));
        QVERIFY(!Fso::FileExists(path));
    }
};

QTEST_GUILESS_MAIN(tst_FileSystemObject)
#include "tst_FileSystemObject.moc"
