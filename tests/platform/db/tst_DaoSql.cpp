#include "TestDatabase.h"

#include <QtTest>

using namespace dao;

// What statements of the old dialect find and in which order: the Polish
// case-insensitive collation, LIKE with its own wildcards, DateValue and MID,
// and texts typed by users passed through the quoting helpers.
class tst_DaoSql : public QObject
{
    Q_OBJECT

private slots:
    void orderOfPolishNames();
    void textEquality_data();
    void textEquality();
    void like_data();
    void like();
    void dateValueRanges();
    void dateValueRejectsBadText();
    void mid();
    void typedTextIsFoundExactly_data();
    void typedTextIsFoundExactly();
};

void tst_DaoSql::orderOfPolishNames()
{
    TestDatabase file;
    file.createTable("Zaklad", {{"Nazwa", dbText, 50}});
    const QStringList expected{"0012", "Ab",    "ab",    "ąb",     "b",   "cz",
                               "Ćma",  "lody",  "Łódź",  "łyk",    "osa", "Ósmy",
                               "sok",  "Śruba", "zebra", "źdźbło", "Żaba"};
    QVariantList shuffled;
    for (const int i : {16, 3, 9, 0, 12, 5, 14, 1, 7, 11, 2, 15, 6, 10, 13, 4, 8})
        shuffled << expected.at(i);
    file.addRows("Zaklad", "Nazwa", shuffled);

    QStringList ordered;
    for (const QVariant &v : file.column("SELECT * FROM Zaklad ORDER BY Nazwa", "Nazwa"))
        ordered << v.toString();
    // "Ab" and "ab" are equal and keep the order in which they were stored.
    QCOMPARE(ordered, expected);

    QStringList descending;
    for (const QVariant &v : file.column("SELECT * FROM Zaklad ORDER BY Nazwa DESC", "Nazwa"))
        descending << v.toString();
    QCOMPARE(descending.first(), QStringLiteral("Żaba"));
    QCOMPARE(descending.last(), QStringLiteral("0012"));
}

void tst_DaoSql::textEquality_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<int>("count");

    QTest::newRow("Polish capitals") << "Nazwa = 'ŁÓDŹ'" << 1;
    QTest::newRow("small letters") << "Nazwa = 'łódź'" << 1;
    QTest::newRow("base letters differ") << "Nazwa = 'lodz'" << 0;
    QTest::newRow("trailing blank counts") << "Nazwa = 'Ala'" << 1;
    QTest::newRow("trailing blank kept") << "Nazwa = 'Ala '" << 1;
    QTest::newRow("not equal") << "Nazwa <> 'ala'" << 2;
    QTest::newRow("number against text") << "Kod = 12" << 1;
    QTest::newRow("leading zeros differ") << "Kod = '0012'" << 1;
}

void tst_DaoSql::textEquality()
{
    QFETCH(QString, criterion);
    QFETCH(int, count);
    TestDatabase file;
    file.createTable("T", {{"Nazwa", dbText, 20}, {"Kod", dbText, 10}});
    Recordset rs = file.db().OpenRecordset("T");
    const QList<QPair<QString, QString>> rows{{"Łódź", "12"}, {"Ala", "0012"}, {"Ala ", "x"}};
    for (const auto &[name, code] : rows) {
        rs.AddNew();
        rs("Nazwa") = name;
        rs("Kod") = code;
        rs.Update();
    }
    QCOMPARE(file.db().OpenRecordset("SELECT * FROM T WHERE " + criterion).RecordCount(), count);
}

void tst_DaoSql::like_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("prefix") << "Kow*"
                            << "kowalski" << true;
    QTest::newRow("Polish prefix") << "Ł*"
                                   << "łódź" << true;
    QTest::newRow("Polish letter is no base letter") << "L*"
                                                     << "Łódź" << false;
    QTest::newRow("one character") << "a?c"
                                   << "aŻc" << true;
    QTest::newRow("one digit") << "#12"
                               << "312" << true;
    QTest::newRow("digit only") << "#12"
                                << "x12" << false;
    QTest::newRow("set") << "[abc]x"
                         << "Bx" << true;
    QTest::newRow("range holds Polish letters") << "[a-c]x"
                                                << "ąx" << true;
    QTest::newRow("negated set") << "[!a]*"
                                 << "bcd" << true;
    QTest::newRow("negated set refuses") << "[!a]*"
                                         << "abc" << false;
    QTest::newRow("star inside") << "a*z"
                                 << "abcz" << true;
    QTest::newRow("star backtracks") << "*ab"
                                     << "aab" << true;
    QTest::newRow("percent is a character") << "100%"
                                            << "100%" << true;
    QTest::newRow("percent is no wildcard") << "100%"
                                            << "1000" << false;
    QTest::newRow("underscore is a character") << "a_b"
                                               << "axb" << false;
    QTest::newRow("bracketed star") << "a[*]"
                                    << "a*" << true;
    QTest::newRow("bracketed star literal") << "a[*]"
                                            << "ab" << false;
    QTest::newRow("whole text") << "abc"
                                << "abcd" << false;
}

void tst_DaoSql::like()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    TestDatabase file;
    file.createTable("T", {{"Nazwa", dbText, 20}});
    file.addRows("T", "Nazwa", {text, QVariant()});
    Recordset rs = file.db().OpenRecordset("SELECT * FROM T WHERE Nazwa LIKE " + SqlText(pattern));
    QCOMPARE(rs.RecordCount(), matches ? 1 : 0);
    // Null matches no pattern, not even '*'.
    QCOMPARE(file.db().OpenRecordset("SELECT * FROM T WHERE Nazwa LIKE '*'").RecordCount(), 1);
}

void tst_DaoSql::dateValueRanges()
{
    TestDatabase file;
    file.createTable("Partia", {{"Partia", dbLong, 0}, {"DataZakBad", dbDate, 0}});
    Recordset rs = file.db().OpenRecordset("Partia");
    const QList<QDate> days{QDate(2024, 2, 29), QDate(2024, 3, 1),   QDate(2024, 3, 31),
                            QDate(2024, 4, 1),  QDate(1111, 11, 11), QDate(9999, 12, 31)};
    for (int i = 0; i < days.size(); ++i) {
        rs.AddNew();
        rs("Partia") = i + 1;
        rs("DataZakBad") = days.at(i);
        rs.Update();
    }
    auto count = [&](const QString &where) {
        return file.db().OpenRecordset("SELECT * FROM Partia WHERE " + where).RecordCount();
    };
    QCOMPARE(count("DataZakBad >= DateValue('01.03.2024') and DataZakBad <=  "
                   "DateValue('31.03.2024')"),
             2);
    QCOMPARE(count("DataZakBad = DateValue('1-3-2024')"), 1);
    QCOMPARE(count("DataZakBad = DateValue('11.11.1111')"), 1);
    QCOMPARE(count("DataZakBad > DateValue('31.12.2025')"), 1);
    QCOMPARE(count("DataZakBad < DateValue('01.01.2000')"), 1);
    QCOMPARE(file.column("SELECT * FROM Partia ORDER BY DataZakBad", "Partia").first(),
             QVariant(5));
}

void tst_DaoSql::dateValueRejectsBadText()
{
    TestDatabase file;
    file.createTable("Partia", {{"DataDoLab", dbDate, 0}});
    file.addRows("Partia", "DataDoLab", {QDate(2024, 3, 5)});
    for (const QString text : {"31.02.2024", "", "abc", "05.03.24"}) {
        const QString where = "DataDoLab = DateValue(" + SqlText(text) + ")";
        QCOMPARE(
            errorNumberOf([&] { file.db().OpenRecordset("SELECT * FROM Partia WHERE " + where); }),
            int(err::TypeMismatch));
        Recordset rs = file.db().OpenRecordset("Partia");
        QCOMPARE(errorNumberOf([&] { rs.FindFirst(where); }), int(err::TypeMismatch));
    }
}

void tst_DaoSql::mid()
{
    TestDatabase file;
    file.createTable("Badanie", {{"Partia", dbLong, 0}, {"IDProbki", dbText, 27}});
    Recordset rs = file.db().OpenRecordset("Badanie");
    const QStringList ids{"12345678123ŁX", "12345678124", "1234", QString()};
    for (const QString &id : ids) {
        rs.AddNew();
        rs("Partia") = 7;
        rs("IDProbki") = id.isNull() ? QVariant() : QVariant(id);
        rs.Update();
    }
    auto count = [&](const QString &nr) {
        return file.db()
            .OpenRecordset("SELECT * FROM BADANIE where PARTIA = 7 AND MID(IDProbki,9,3) = " +
                           SqlText(nr))
            .RecordCount();
    };
    QCOMPARE(count("123"), 1);
    QCOMPARE(count("124"), 1);
    QCOMPARE(count(""), 1); // "1234" has no ninth character
    QCOMPARE(file.db()
                 .OpenRecordset("SELECT * FROM Badanie WHERE MID(IDProbki, 12) = 'ŁX'")
                 .RecordCount(),
             1);
}

void tst_DaoSql::typedTextIsFoundExactly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("always true") << "' OR '1'='1";
    QTest::newRow("statement end") << "x'; DELETE FROM Zaklad; --";
    QTest::newRow("star") << "*";
    QTest::newRow("percent") << "%";
    QTest::newRow("class") << "[a-z]";
    QTest::newRow("Polish letters") << "Żółć gęślą";
}

// A typed text goes into the file as typed and is found by itself alone;
// the statement around it does what it did without it.
void tst_DaoSql::typedTextIsFoundExactly()
{
    QFETCH(QString, typed);
    TestDatabase file;
    file.createTable("Zaklad", {{"IdRzezni", dbText, 30}, {"Nazwa", dbText, 50}});
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Zaklad");
    const QStringList others{"1", "A", "Brien", "O", "x", "Żółć", "a", "%x", "[a"};
    const QStringList all = QStringList(others) << typed;
    for (const QString &name : all) {
        rs.AddNew();
        rs("IdRzezni") = name;
        rs("Nazwa") = name + " s.c.";
        rs.Update();
    }
    const Bookmark stored = rs.LastModified();

    Recordset found =
        file.db().OpenRecordset("SELECT * FROM Zaklad WHERE IdRzezni = " + SqlText(typed));
    QCOMPARE(found.RecordCount(), 1);
    QCOMPARE(found("IdRzezni").Value().toString(), typed);

    rs.MoveFirst();
    rs.FindFirst("IdRzezni = " + SqlText(typed));
    QVERIFY(!rs.NoMatch());
    QCOMPARE(rs.Bookmark(), stored);

    Recordset prefix =
        file.db().OpenRecordset("SELECT * FROM Zaklad WHERE Nazwa LIKE " + SqlLikePrefix(typed));
    int startsWithTyped = 0;
    for (const QString &name : all)
        startsWithTyped += (name + " s.c.").startsWith(typed, Qt::CaseInsensitive) ? 1 : 0;
    QCOMPARE(prefix.RecordCount(), startsWithTyped);
    prefix.FindFirst("IdRzezni = " + SqlText(typed));
    QVERIFY(!prefix.NoMatch());

    QCOMPARE(file.db().OpenRecordset("Zaklad").RecordCount(), others.size() + 1);
}

QTEST_MAIN(tst_DaoSql)
#include "tst_DaoSql.moc"
