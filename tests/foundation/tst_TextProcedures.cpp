#include "foundation/DatePickers.h"
#include "foundation/InitApplication.h"
#include "foundation/ScramblePassword.h"
#include "foundation/TextProcedures.h"
#include "platform/fs/Cp1250.h"

#include <QtTest>

// The text procedures, the password scrambling, the configuration-line split
// and the reading of typed dates: no window and no database.
class TextProceduresTest : public QObject
{
    Q_OBJECT

private slots:
    void textProcedures();
    void nameSortKey_data();
    void nameSortKey();
    void scramblePassword();
    void splitKeyValue_data();
    void splitKeyValue();
    void parseDateText_data();
    void parseDateText();
};

void TextProceduresTest::textProcedures()
{
    QCOMPARE(NullToDefault(QVariant(), 0), QVariant(0));
    QCOMPARE(NullToDefault(QString(), "x"), QVariant("x"));
    QCOMPARE(NullToDefault(QStringLiteral(" "), "x"), QVariant(" ")); // untrimmed
    QCOMPARE(DigitsOnlyPadded(QStringLiteral("12:5"), true, 3), QStringLiteral("125"));
    QCOMPARE(DigitsOnlyPadded(QStringLiteral("5"), true, 3), QStringLiteral("005"));
    QCOMPARE(DigitsOnlyPadded(QStringLiteral("5"), false, 3), QStringLiteral("500"));
    QCOMPARE(DigitsOnlyPadded(QStringLiteral("a12345b"), true, 2), QStringLiteral("12345"));
    const QString line = QStringLiteral("A|B||C|");
    QCOMPARE(GetDelimitedField(line, 0, '|'), QVariant("A"));
    QCOMPARE(GetDelimitedField(line, 2, '|'), QVariant(QString()));
    QCOMPARE(GetDelimitedFieldEx(line, 3, '|'), QVariant("C"));
    QCOMPARE(GetDelimitedField(line, 5, '|'), QVariant()); // Empty
    QCOMPARE(GetDelimitedField(QStringLiteral("ABC"), 0, '|'), QVariant("ABC"));
    QCOMPARE(GetDelimitedField(QStringLiteral("ABC"), 1, '|'), QVariant());
    QCOMPARE(GetDelimitedField(QString(), 0, '|'), QVariant());
    QCOMPARE(TrimBlanks(QStringLiteral("  a\tb \t ")), QStringLiteral("a\tb \t"));
    QCOMPARE(UpperCaseKeepLength(QStringLiteral("straße żółw")), QStringLiteral("STRAßE ŻÓŁW"));
    // Polish counts: 2 to 4 take "znaki" in every ten but the teens.
    QStringList counts;
    for (const int n : {0, 1, 2, 4, 5, 11, 12, 14, 21, 22, 34, 50, 102, 112, 150})
        counts << CharacterCount(n);
    QCOMPARE(counts.join(QLatin1Char(',')),
             QStringLiteral("0 znaków,1 znak,2 znaki,4 znaki,5 znaków,11 znaków,12 znaków,"
                            "14 znaków,21 znaków,22 znaki,34 znaki,50 znaków,102 znaki,"
                            "112 znaków,150 znaków"));
}

void TextProceduresTest::nameSortKey_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("lengthAfter");
    QTest::addColumn<QString>("key");
    QTest::newRow("Żak Ewa") << "  Żak "
                             << "Ewa" << 0 << 6 << "ZzAKEW";
    QTest::newRow("ŁÓDŹ, length given") << "ŁÓDŹ"
                                        << "" << 20 << 20 << "LzOzDZz";
    QTest::newRow("lower case letters") << "źdźbło"
                                        << "" << 0 << 6 << "ZzDZzB";
}

void TextProceduresTest::nameSortKey()
{
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(int, length);
    QFETCH(int, lengthAfter);
    QFETCH(QString, key);
    QCOMPARE(MakeNameSortKey(surname, name, length), key);
    QCOMPARE(length, lengthAfter);
    // The letter table holds Windows-1250 codes: Ł is 163, ż 191.
    QCOMPARE(PolishLetterTable[4][1], QStringLiteral("163"));
    QCOMPARE(PolishLetterTable[18][1], QStringLiteral("191"));
    QCOMPARE(PolishLetterTable[18][2], QStringLiteral("122"));
}

void TextProceduresTest::scramblePassword()
{
    QString lower = "tajne1";
    QString upper = "TAJNE1";
    const QString scrambled = ScramblePassword(lower);
    QCOMPARE(lower, upper); // the caller's text is upper-cased in place
    QCOMPARE(ScramblePassword(upper), scrambled);
    QCOMPARE(scrambled.size(), 6);
    QVERIFY(scrambled != upper);
    // Stored values survive Windows-1250 and stay printable for passwords of
    // 3 to 10 characters, Polish capitals included.
    for (QString password : {"ŻÓŁĆ123", "0123456789"}) {
        const QString stored = ScramblePassword(password);
        QCOMPARE(fs::Cp1250::Decode(fs::Cp1250::Encode(stored)), stored);
        for (const QChar c : stored)
            QVERIFY(fs::Cp1250::Asc(c) >= 32);
    }
    QString longText(300, QLatin1Char('!'));
    QCOMPARE(ScramblePassword(longText).size(), 300); // no failure, just no match
}

void TextProceduresTest::splitKeyValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("separator");
    QTest::newRow("equals") << "STALE=T:\\Dane\\"
                            << "STALE"
                            << "T:\\Dane\\"
                            << "=";
    QTest::newRow("blank kept") << "STALE = T:\\Dane\\"
                                << "STALE "
                                << " T:\\Dane\\"
                                << "=";
    QTest::newRow("hash") << "ROBOT#T:\\Dane\\"
                          << "ROBOT"
                          << "T:\\Dane\\"
                          << "#";
    QTest::newRow("semicolon") << "ROBOT;T:\\Dane\\"
                               << "ROBOT"
                               << "T:\\Dane\\"
                               << ";";
    QTest::newRow("first equals only") << "RAPORTY=C:\\a=b\\"
                                       << "RAPORTY"
                                       << "C:\\a=b\\"
                                       << "=";
    QTest::newRow("equals before hash") << "A#b=c"
                                        << "A#b"
                                        << "c"
                                        << "=";
    QTest::newRow("no separator") << "ARCH"
                                  << "ARCH"
                                  << ""
                                  << "=";
    QTest::newRow("empty line") << ""
                                << ""
                                << "old"
                                << "=";
}

void TextProceduresTest::splitKeyValue()
{
    QFETCH(QString, line);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, separator);
    QString out = "old";
    QString used = "=";
    SplitKeyValue(line, out, used, 0);
    QCOMPARE(line, key);
    QCOMPARE(out, value);
    QCOMPARE(used, separator);
    QString longKey = "RAPORTY=x";
    SplitKeyValue(longKey, out, used, 3);
    QCOMPARE(longKey, QStringLiteral("RAP"));
}

void TextProceduresTest::parseDateText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("rewritten");
    QTest::addColumn<QDate>("date");
    QTest::newRow("dots") << "05.03.2010"
                          << "05.03.2010" << QDate(2010, 3, 5);
    QTest::newRow("dashes") << "05-03-2010"
                            << "05.03.2010" << QDate(2010, 3, 5);
    QTest::newRow("slashes") << "05/03/2010"
                             << "05.03.2010" << QDate(2010, 3, 5);
    QTest::newRow("no date") << "1.2ab"
                             << "1.2ab" << QDate(1899, 12, 30);
    QTest::newRow("no such day") << "31-02-2010"
                                 << "31.02.2010" << QDate(1899, 12, 30);
}

void TextProceduresTest::parseDateText()
{
    QFETCH(QString, text);
    QFETCH(QString, rewritten);
    QFETCH(QDate, date);
    QCOMPARE(::ParseDateText(text), date);
    QCOMPARE(text, rewritten);
}

QTEST_MAIN(TextProceduresTest)
#include "tst_TextProcedures.moc"
