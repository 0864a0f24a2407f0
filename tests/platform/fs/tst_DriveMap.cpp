#include "platform/fs/DriveMap.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using fs::DriveMap;

class tst_DriveMap : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString drives_;

private slots:
    void initTestCase()
    {
        drives_ = dir_.path() + QStringLiteral("/drives");
        for (const char *folder :
             {"t/Dane/2026", "c/MervaskLab/Eksport", "t/ab", "t/AB", "X/Dane"}) {
            QVERIFY(QDir(drives_).mkpath(QString::fromLatin1(folder)));
        }
        QFile file(drives_ + QStringLiteral("/t/Dane/2026/Mervask202612.mdb"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        DriveMap::SetDrivesFolder(drives_);
    }
    void cleanupTestCase() { DriveMap::SetDrivesFolder(QString()); }

    void toReal_data()
    {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("relative");
        QTest::newRow("other case") << "t:\\DANE\\2026\\mervask202612.MDB"
                                    << "t/Dane/2026/Mervask202612.mdb";
        QTest::newRow("missing names as written, trailing separator")
            << "C:\\mervasklab\\Nowy\\Plik.TXT\\"
            << "c/MervaskLab/Nowy/Plik.TXT";
        QTest::newRow("forward slashes, dots") << "T:/./Dane/2026/../2026"
                                               << "t/Dane/2026";
        QTest::newRow("drive root") << "T:\\"
                                    << "t";
        QTest::newRow("exact name preferred") << "T:\\AB"
                                              << "t/AB";
        QTest::newRow("drive folder in other case") << "X:\\dane"
                                                    << "X/Dane";
        QTest::newRow("rooted without drive") << "\\MervaskLab"
                                              << "c/MervaskLab";
        QTest::newRow("dot dot above the root") << "T:\\Dane\\..\\..\\..\\etc\\passwd"
                                                << "t/etc/passwd";
        QTest::newRow("relative dot dot") << "..\\..\\x"
                                          << "c/x";
    }
    void toReal()
    {
        QFETCH(QString, windows);
        QFETCH(QString, relative);
        QCOMPARE(DriveMap::ToReal(windows), drives_ + u'/' + relative);
        QCOMPARE(DriveMap::ToReal(QStringLiteral("/srv/x/../y")), QStringLiteral("/srv/y"));
    }

    void toWindows_data()
    {
        QTest::addColumn<QString>("real");
        QTest::addColumn<QString>("windows");
        QTest::newRow("file") << drives_ + "/t/Dane/x.mdb"
                              << "T:\\Dane\\x.mdb";
        QTest::newRow("drive folder") << drives_ + "/c/"
                                      << "C:\\";
        QTest::newRow("unclean") << drives_ + "/X/a/../Dane"
                                 << "X:\\Dane";
        QTest::newRow("outside") << dir_.path() + "/x.txt" << dir_.path() + "/x.txt";
        QTest::newRow("drives folder itself") << drives_ << drives_;
        QTest::newRow("not a drive letter") << drives_ + "/tt/x" << drives_ + "/tt/x";
        QTest::newRow("name prefix") << drives_ + "2/t/x" << drives_ + "2/t/x";
    }
    void toWindows()
    {
        QFETCH(QString, real);
        QFETCH(QString, windows);
        QCOMPARE(DriveMap::ToWindows(real), windows);
    }

    // A shared data drive is a link to the program folder; a dialog may hand
    // back the linked or the resolved path, and both must map to a drive path.
    void linkedDrives()
    {
        QTemporaryDir other;
        const QString root = other.path() + QStringLiteral("/real");
        QVERIFY(QDir().mkpath(root + QStringLiteral("/c/MervaskLab/Dane")));
        QVERIFY(QFile::link(QStringLiteral("c/MervaskLab"), root + QStringLiteral("/t")));
        QVERIFY(QFile::link(root, other.path() + QStringLiteral("/linked")));
        DriveMap::SetDrivesFolder(other.path() + QStringLiteral("/linked"));

        const QString real = DriveMap::ToReal(QStringLiteral("T:\\dane"));
        QCOMPARE(real, other.path() + QStringLiteral("/linked/t/Dane"));
        QCOMPARE(DriveMap::ToWindows(real), QStringLiteral("T:\\Dane"));
        QCOMPARE(DriveMap::ToWindows(QFileInfo(real).canonicalFilePath()),
                 QStringLiteral("C:\\MervaskLab\\Dane"));
        DriveMap::SetDrivesFolder(drives_);
    }

    void drivesFolderSources()
    {
        const QByteArray saved = qgetenv("MERVASKLAB_DRIVES");
        DriveMap::SetDrivesFolder(QString());
        qputenv("MERVASKLAB_DRIVES", QFile::encodeName(drives_ + QStringLiteral("/../drives/")));
        QCOMPARE(DriveMap::DrivesFolder(), drives_);
        qunsetenv("MERVASKLAB_DRIVES");
        QCOMPARE(DriveMap::DrivesFolder(),
                 QDir::homePath() + QStringLiteral("/.local/share/mervasklab/drives"));
        qputenv("MERVASKLAB_DRIVES", saved);
        DriveMap::SetDrivesFolder(drives_);
    }
};

QTEST_GUILESS_MAIN(tst_DriveMap)
#include "tst_DriveMap.moc"
