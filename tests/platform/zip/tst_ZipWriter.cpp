#include "ErrorNumberOf.h"
#include "TemporaryFolder.h"
#include "platform/zip/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <zip.h>

using zipw::ZipWriter;

namespace
{

// Names (sorted), and content and method by name, read back through libzip.
struct Archive {
    QStringList names;
    QMap<QString, QByteArray> content;
    QMap<QString, int> method;
};

Archive ReadArchive(const QString &path)
{
    Archive result;
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    for (zip_int64_t i = 0; archive && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        const QString name = QString::fromUtf8(stat.name);
        result.names.append(name);
        result.method[name] = stat.comp_method;
        QByteArray content(qsizetype(stat.size), '\0');
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        zip_fread(file, content.data(), stat.size);
        zip_fclose(file);
        result.content[name] = content;
    }
    if (archive) {
        zip_discard(archive);
    }
    result.names.sort();
    return result;
}

} // namespace

class tst_ZipWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporaryFolder> dir_;
    QString source_;
    QString archive_;

    void Write(const QString &relative, const QByteArray &content)
    {
        dir_->Write(QStringLiteral("Dane/") + relative, content);
    }

private slots:
    void init()
    {
        dir_ = std::make_unique<TemporaryFolder>();
        source_ = dir_->Path() + QStringLiteral("/Dane");
        archive_ = dir_->Path() + QStringLiteral("/Archiwum.zip");
        Write(QStringLiteral("Stale.mdb"), "stale");
        Write(QStringLiteral("2026/Mervask202601.mdb"), QByteArray(4000, 'a'));
        Write(QStringLiteral("2026/Łódź.txt"), "zażółć");
        Write(QStringLiteral("2026/.ukryty"), "hidden");
    }

    void storedNames_data()
    {
        QTest::addColumn<bool>("storePaths");
        QTest::addColumn<bool>("recurse");
        QTest::addColumn<bool>("includeHidden");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("paths, recursive")
            << true << true << false
            << QStringList{"Dane/", "Dane/2026/", "Dane/2026/Mervask202601.mdb",
                           "Dane/2026/Łódź.txt", "Dane/Stale.mdb"};
        QTest::newRow("hidden included") << true << true << true
                                         << QStringList{"Dane/",
                                                        "Dane/2026/",
                                                        "Dane/2026/.ukryty",
                                                        "Dane/2026/Mervask202601.mdb",
                                                        "Dane/2026/Łódź.txt",
                                                        "Dane/Stale.mdb"};
        QTest::newRow("one level")
            << true << false << false << QStringList{"Dane/", "Dane/Stale.mdb"};
        QTest::newRow("names only")
            << false << true << false << QStringList{"Mervask202601.mdb", "Stale.mdb", "Łódź.txt"};
    }
    void storedNames()
    {
        QFETCH(bool, storePaths);
        QFETCH(bool, recurse);
        QFETCH(bool, includeHidden);
        QFETCH(QStringList, names);
        ZipWriter writer;
        writer.Open(archive_);
        writer.AddPath(source_, {dir_->Path(), storePaths, recurse, includeHidden, true});
        QCOMPARE(writer.Close(), names.size());
        QCOMPARE(ReadArchive(archive_).names, names);
    }

    void namesNeverLeaveTheArchive()
    {
        ZipWriter writer;
        writer.Open(archive_);
        const QString file = source_ + QStringLiteral("/Stale.mdb");
        writer.AddFile(file, QStringLiteral("../../etc/a.txt"));
        writer.AddFile(file, QStringLiteral("/abs/./b.txt"));
        writer.AddFile(file, QStringLiteral("c\\d.txt"));
        writer.AddPath(file, {source_ + QStringLiteral("/2026"), true, true, false, true});
        writer.Close();
        QCOMPARE(ReadArchive(archive_).names,
                 QStringList({"abs/b.txt", "c/d.txt", "etc/a.txt", file.mid(1)}));
    }

    void contentAndCompression()
    {
        ZipWriter writer;
        writer.Open(archive_);
        const QString big = source_ + QStringLiteral("/2026/Mervask202601.mdb");
        writer.SetCompressionLevel(0);
        writer.AddFile(big, QStringLiteral("s.mdb"));
        writer.SetCompressionLevel(9);
        writer.AddFile(big, QStringLiteral("d.mdb"));
        writer.AddFile(source_ + QStringLiteral("/2026/Łódź.txt"), QStringLiteral("Łódź.txt"));
        writer.Close();
        const Archive archive = ReadArchive(archive_);
        QCOMPARE(archive.method["s.mdb"], int(ZIP_CM_STORE));
        QCOMPARE(archive.method["d.mdb"], int(ZIP_CM_DEFLATE));
        QCOMPARE(archive.content["d.mdb"], QByteArray(4000, 'a'));
        QCOMPARE(archive.content["Łódź.txt"], QByteArray("zażółć"));

        const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
        if (!unzip.isEmpty()) {
            QProcess list;
            list.start(unzip, {QStringLiteral("-l"), archive_});
            QVERIFY(list.waitForFinished());
            QCOMPARE(list.exitCode(), 0);
            QVERIFY(list.readAllStandardOutput().contains("d.mdb"));
        }
    }

    void updateAddsCreateReplacesEmptyWritesNothing()
    {
        const QString file = source_ + QStringLiteral("/Stale.mdb");
        ZipWriter writer;
        writer.Open(archive_);
        writer.AddFile(file, QStringLiteral("Stale.mdb"));
        writer.Close();
        Write(QStringLiteral("Stale.mdb"), "nowsze");
        writer.Open(archive_, ZipWriter::OpenMode::Update);
        QCOMPARE(writer.EntryCount(), 1);
        writer.AddFile(file, QStringLiteral("Stale.mdb"));
        writer.AddFile(file, QStringLiteral("Kopia.mdb"));
        QCOMPARE(writer.Close(), 2);
        QCOMPARE(ReadArchive(archive_).content["Stale.mdb"], QByteArray("nowsze"));

        writer.Open(archive_, ZipWriter::OpenMode::Create);
        QCOMPARE(writer.Close(), 0);
        QCOMPARE(ReadArchive(archive_).names.size(), 2);
        writer.Open(archive_, ZipWriter::OpenMode::Create);
        writer.AddFile(file, QStringLiteral("x.mdb"));
        writer.Close();
        QCOMPARE(ReadArchive(archive_).names, QStringList{"x.mdb"});
    }

    void errors()
    {
        ZipWriter writer;
        const QString file = source_ + QStringLiteral("/Stale.mdb");
        QCOMPARE(ErrorNumberOf([&] { writer.AddFile(file, "x"); }), 5);
        QCOMPARE(ErrorNumberOf([&] { writer.Open(dir_->Path() + "/Brak/a.zip"); }), 76);
        QCOMPARE(ErrorNumberOf([&] { writer.Open(source_); }), 75);
        QCOMPARE(ErrorNumberOf([&] { writer.Open(file, ZipWriter::OpenMode::Update); }), 75);
        writer.Open(archive_);
        QCOMPARE(ErrorNumberOf([&] { writer.AddFile(source_ + "/Brak.mdb", "x"); }), 53);
        QCOMPARE(ErrorNumberOf([&] { writer.AddPath(source_ + "/Brak", {}); }), 53);
        QCOMPARE(ErrorNumberOf([&] { writer.AddFile(file, "../.."); }), 5);
        QCOMPARE(ErrorNumberOf([&] { writer.SetCompressionLevel(10); }), 5);

        // A file that disappears before the archive is written fails the whole
        // archive and leaves no partial file behind.
        writer.AddFile(file, QStringLiteral("Stale.mdb"));
        QVERIFY(QFile::remove(file));
        QCOMPARE(ErrorNumberOf([&] { writer.Close(); }), 53);
        QVERIFY(!writer.IsOpen());
        QCOMPARE(QDir(dir_->Path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_ZipWriter)
#include "tst_ZipWriter.moc"
