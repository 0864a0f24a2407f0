#include "platform/RuntimeError.h"
#include "platform/fs/Cp1250.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/TextFileReader.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using fs::Cp1250;
using fs::TextFileReader;

class tst_Cp1250Text : public QObject
{
    Q_OBJECT

    const QByteArray undefinedBytes_ = QByteArrayLiteral("\x81\x83\x88\x90\x98");

private slots:
    // Scrambled passwords hold any byte, so every byte must come back.
    void everyByteSurvivesARoundTrip()
    {
        QByteArray bytes;
        for (int b = 0; b < 256; ++b) {
            bytes.append(static_cast<char>(b));
            QCOMPARE(Cp1250::Asc(Cp1250::Chr(b)), b);
        }
        QCOMPARE(Cp1250::Encode(Cp1250::Decode(bytes)), bytes);
        QCOMPARE(Cp1250::Chr(0x90), QChar(char16_t(0x0090)));
    }

    // The system's own decoder (ICU) must read the defined bytes as we do.
    void agreesWithTheSystemCodec()
    {
        QStringDecoder decoder("windows-1250");
        QVERIFY2(decoder.isValid(), "windows-1250 is not available");
        for (int b = 0; b < 256; ++b) {
            if (!undefinedBytes_.contains(static_cast<char>(b))) {
                QCOMPARE(QString(Cp1250::Chr(b)), decoder.decode(QByteArray(1, char(b))));
            }
        }
        const QString polish = QStringLiteral("Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ „cytat” – €");
        QStringEncoder encoder("windows-1250");
        QCOMPARE(Cp1250::Encode(polish), QByteArray(encoder.encode(polish)));
        QCOMPARE(Cp1250::Asc(u'ą'), 0xB9);
        QCOMPARE(Cp1250::Asc(u'Ł'), 0xA3);
    }

    void unrepresentableCharacters()
    {
        QCOMPARE(Cp1250::Asc(QChar(u'中')), int('?'));
        QCOMPARE(Cp1250::Encode(QStringLiteral("a中ñb")), QByteArray("a??b"));
        // A character beyond U+FFFF is one character and becomes one '?'.
        QCOMPARE(Cp1250::Encode(QString::fromUcs4(U"x\U0001F600y")), QByteArray("x?y"));
        for (const int code : {-1, 256}) {
            try {
                Cp1250::Chr(code);
                QFAIL("Chr accepted a code outside the code page");
            } catch (const RuntimeError &error) {
                QCOMPARE(error.Number(), 5);
            }
        }
    }

    void lineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("last line without end") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("CR LF, CR, LF") << "a\rb\nc\r\nd\r\n" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("blank lines kept") << "a\r\n\r\n\nb" << QStringList{"a", "", "", "b"};
        QTest::newRow("only a line end") << "\r\n" << QStringList{""};
        QTest::newRow("LF CR is two ends") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("CR CR LF is two ends") << "a\r\r\nb" << QStringList{"a", "", "b"};
    }
    void lineEnds()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFileReader::SplitLines(text), lines);
    }

    void readsFiles()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/t/Dane")));
        fs::DriveMap::SetDrivesFolder(dir.path());
        QFile file(dir.path() + QStringLiteral("/t/Dane/Zlecenie.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[PartiaMervask]|12|\xA3\xF3\x64\x9F\r\n1|\x8C\x77inie\r\n\r\n");
        file.close();
        QCOMPARE(TextFileReader::ReadLines(QStringLiteral("T:\\dane\\zlecenie.TXT")),
                 (QStringList{QStringLiteral("[PartiaMervask]|12|Łódź"), QStringLiteral("1|Świnie"),
                              QString()}));

        const auto numberOf = [](const char *path) {
            try {
                TextFileReader::ReadLines(QString::fromLatin1(path));
            } catch (const RuntimeError &error) {
                return error.Number();
            }
            return 0;
        };
        QCOMPARE(numberOf("T:\\Dane\\Brak.txt"), 53);
        QCOMPARE(numberOf("T:\\Brak\\Zlecenie.txt"), 76);
        QCOMPARE(numberOf("T:\\Dane"), 75);
        fs::DriveMap::SetDrivesFolder(QString());
    }
};

QTEST_GUILESS_MAIN(tst_Cp1250Text)
#include "tst_Cp1250Text.moc"
