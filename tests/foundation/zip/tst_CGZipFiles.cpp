#include "ArchiveEntries.h"
#include "foundation/CGZipFiles.h"
#include "platform/fs/DriveMap.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <optional>

namespace
{

const QString DataFile = QStringLiteral("C:\\MervaskLab\\Eksport\\DaneDoWIW.txt");
const QString Archive = QStringLiteral("C:\\MervaskLab\\Eksport\\DaneDoWIW.txt.ZIP");

std::optional<CGZipFiles::Error> ErrorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const CGZipFiles::Error &error) {
        return error;
    }
    return std::nullopt;
}

QString Real(const QString &windowsPath)
{
    return fs::DriveMap::ToReal(windowsPath);
}

QStringList EntriesOf(const QString &windowsPath)
{
    return ArchiveEntries(Real(windowsPath));
}

QByteArray ContentOf(const QString &windowsPath, const QString &entry)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), Real(windowsPath), entry});
    unzip.waitForFinished(-1);
    return unzip.readAllStandardOutput();
}

void WriteFile(const QString &windowsPath, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(Real(windowsPath)).absolutePath());
    QFile file(Real(windowsPath));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class tst_CGZipFiles : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> drives_;

private slots:
    void init()
    {
        drives_.emplace();
        fs::DriveMap::SetDrivesFolder(drives_->path());
        WriteFile(DataFile, QByteArray("WNI|Partia|Wynik\r\n0001|12|ujemny\r\n"));
    }
    void cleanup()
    {
        fs::DriveMap::SetDrivesFolder(QString());
        drives_.reset();
    }

    void propertiesKeepOneOrZero()
    {
        CGZipFiles zip;
        QCOMPARE(zip.ZipFileCount(), 0);
        QCOMPARE(zip.RootDirectory(), QStringLiteral("\\"));
        QVERIFY(!zip.RecurseFolders() && !zip.Encrypted() && !zip.IncludeSystemFiles() &&
                !zip.UpdatingZip());
        zip.SetRecurseFolders(true);
        zip.SetEncrypted(true);
        zip.SetIncludeSystemFiles(true);
        zip.SetUpdatingZip(true);
        QVERIFY(zip.RecurseFolders() && zip.Encrypted() && zip.IncludeSystemFiles() &&
                zip.UpdatingZip());
        zip.SetEncrypted(false);
        QVERIFY(!zip.Encrypted() && zip.RecurseFolders());
    }

    void fileListIsKeyedWithoutCase_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("duplicate");
        QTest::newRow("another file") << "C:\\MervaskLab\\Eksport\\Inne.txt" << false;
        QTest::newRow("same path") << DataFile << true;
        QTest::newRow("same path, other case") << DataFile.toUpper() << true;
        QTest::newRow("the placeholder") << "querty" << true;
        QTest::newRow("the placeholder, other case") << "QUERTY" << true;
    }
    void fileListIsKeyedWithoutCase()
    {
        QFETCH(QString, second);
        QFETCH(bool, duplicate);
        CGZipFiles zip;
        zip.AddFile(DataFile);
        const auto error = ErrorOf([&] { zip.AddFile(second); });
        QCOMPARE(error.has_value(), duplicate);
        QCOMPARE(zip.ZipFileCount(), duplicate ? 1 : 2);
        if (duplicate) {
            QCOMPARE(error->Number(), -2147219503);
            QCOMPARE(error->Description(), QStringLiteral("File is already in Zip List"));
            QCOMPARE(error->Source(), QStringLiteral("CGZip::AddFile"));
        }
    }

    void removeFile()
    {
        CGZipFiles zip;
        zip.AddFile(DataFile);
        const auto unknown = ErrorOf([&] { zip.RemoveFile(QStringLiteral("C:\\inny.txt")); });
        QVERIFY(unknown.has_value());
        QCOMPARE(unknown->Number(), -2147219502);
        QCOMPARE(unknown->Description(), QStringLiteral("File is not in Zip List"));
        QCOMPARE(unknown->Source(), QStringLiteral("CGZip::RemoveFile"));
        QCOMPARE(zip.ZipFileCount(), 1);
        zip.RemoveFile(DataFile.toLower());
        QCOMPARE(zip.ZipFileCount(), 0);
        QVERIFY(ErrorOf([&] { zip.RemoveFile(DataFile); }).has_value());
    }

    void nameListHoldsNinetyNinePaths_data()
    {
        QTest::addColumn<int>("paths");
        QTest::addColumn<bool>("fails");
        QTest::newRow("99 paths and the placeholder fill the list") << 99 << false;
        QTest::newRow("a 100th path does not fit") << 100 << true;
    }
    void nameListHoldsNinetyNinePaths()
    {
        QFETCH(int, paths);
        QFETCH(bool, fails);
        CGZipFiles zip;
        zip.SetZipFileName(Archive);
        zip.AddFile(DataFile);
        for (int i = 1; i < paths; ++i) {
            zip.AddFile(QStringLiteral("C:\\MervaskLab\\Eksport\\brak%1.txt").arg(i));
        }
        qint32 result = -1;
        const auto error = ErrorOf([&] { result = zip.MakeZipFile(); });
        QCOMPARE(error.has_value(), fails);
        if (fails) {
            QCOMPARE(error->Number(), 9);
            QCOMPARE(error->Source(), QStringLiteral("CGZipFiles::MakeZipFile"));
            QVERIFY(!QFile::exists(Real(Archive)));
        } else {
            QCOMPARE(result, 0);
            QCOMPARE(EntriesOf(Archive), QStringList{"MervaskLab/Eksport/DaneDoWIW.txt"});
            QVERIFY(zip.GetLastMessage().contains(QStringLiteral("brak98.txt")));
        }
    }

    void packsARealArchive()
    {
        CGZipFiles zip;
        zip.SetZipFileName(Archive);
        zip.SetUpdatingZip(false);
        zip.AddFile(DataFile);
        QCOMPARE(zip.MakeZipFile(), 0);
        QCOMPARE(EntriesOf(Archive), QStringList{"MervaskLab/Eksport/DaneDoWIW.txt"});
        QCOMPARE(ContentOf(Archive, QStringLiteral("MervaskLab/Eksport/DaneDoWIW.txt")),
                 QByteArray("WNI|Partia|Wynik\r\n0001|12|ujemny\r\n"));
        // The placeholder reaches the library with the paths and has no file.
        QVERIFY2(zip.GetLastMessage().contains(QStringLiteral("querty")),
                 qPrintable(zip.GetLastMessage()));
    }

    void missingFileIsAFailureWithItsMessage()
    {
        QVERIFY(QFile::remove(Real(DataFile)));
        CGZipFiles zip;
        zip.SetZipFileName(Archive);
        zip.AddFile(DataFile);
        QVERIFY(zip.MakeZipFile() != 0);
        QVERIFY(!QFile::exists(Real(Archive)));
        QVERIFY(zip.GetLastMessage().contains(DataFile));
        // The next run starts with a message of its own.
        WriteFile(DataFile, "x");
        QCOMPARE(zip.MakeZipFile(), 0);
        QVERIFY(!zip.GetLastMessage().contains(QStringLiteral("Błąd")));
    }

    void rootFolderReachesTheLibraryInCapitals()
    {
        CGZipFiles zip;
        zip.SetZipFileName(Archive);
        zip.SetRootDirectory(QStringLiteral("c:\\mervasklab\\eksport"));
        zip.AddFile(QStringLiteral("DaneDoWIW.txt"));
        QCOMPARE(zip.MakeZipFile(), 0);
        QCOMPARE(EntriesOf(Archive), QStringList{"DaneDoWIW.txt"});
    }

    void updatingAddsToTheArchive_data()
    {
        QTest::addColumn<bool>("updating");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("new archive") << false << QStringList{"MervaskLab/Eksport/b.txt"};
        QTest::newRow("updated archive")
            << true << QStringList{"MervaskLab/Eksport/DaneDoWIW.txt", "MervaskLab/Eksport/b.txt"};
    }
    void updatingAddsToTheArchive()
    {
        QFETCH(bool, updating);
        QFETCH(QStringList, entries);
        const QString second = QStringLiteral("C:\\MervaskLab\\Eksport\\b.txt");
        WriteFile(second, "b");
        CGZipFiles first;
        first.SetZipFileName(Archive);
        first.AddFile(DataFile);
        QCOMPARE(first.MakeZipFile(), 0);

        CGZipFiles zip;
        zip.SetZipFileName(Archive);
        zip.SetUpdatingZip(updating);
        zip.SetEncrypted(true);
        zip.SetIncludeSystemFiles(true);
        zip.AddFile(second);
        QCOMPARE(zip.MakeZipFile(), 0);
        QCOMPARE(EntriesOf(Archive), entries);
        // Encrypted is kept for its getter only: the entry reads without a password.
        QCOMPARE(ContentOf(Archive, QStringLiteral("MervaskLab/Eksport/b.txt")), QByteArray("b"));
    }

    void foldersFollowRecurseFolders_data()
    {
        QTest::addColumn<bool>("recurse");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("files of the folder")
            << false << QStringList{"MervaskLab/Eksport/", "MervaskLab/Eksport/DaneDoWIW.txt"};
        QTest::newRow("and its sub-folders")
            << true
            << QStringList{"MervaskLab/Eksport/", "MervaskLab/Eksport/DaneDoWIW.txt",
                           "MervaskLab/Eksport/stare/", "MervaskLab/Eksport/stare/a.txt"};
    }
    void foldersFollowRecurseFolders()
    {
        QFETCH(bool, recurse);
        QFETCH(QStringList, entries);
        WriteFile(QStringLiteral("C:\\MervaskLab\\Eksport\\stare\\a.txt"), "a");
        CGZipFiles zip;
        zip.SetZipFileName(QStringLiteral("C:\\MervaskLab\\Eksport.zip"));
        zip.SetRecurseFolders(recurse);
        zip.AddFile(QStringLiteral("C:\\MervaskLab\\Eksport"));
        QCOMPARE(zip.MakeZipFile(), 0);
        QCOMPARE(EntriesOf(QStringLiteral("C:\\MervaskLab\\Eksport.zip")), entries);
    }
};

QTEST_MAIN(tst_CGZipFiles)
#include "tst_CGZipFiles.moc"
