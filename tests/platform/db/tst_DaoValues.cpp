#include "TestDatabase.h"

#include <QtTest>

using namespace dao;

// Values on their way into fields: the checks made at assignment, what is
// stored, and the texts that statements are built from.
class tst_DaoValues : public QObject
{
    Q_OBJECT

private slots:
    void assignment_data();
    void assignment();
    void errorsComeAtAssignment();
    void dateText_data();
    void dateText();
    void sqlLiterals_data();
    void sqlLiterals();
    void errorDescriptions();
};

void tst_DaoValues::assignment_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("error");
    QTest::addColumn<QVariant>("stored");

    const QVariant none;
    QTest::newRow("text fits") << int(dbText) << 5 << QVariant("12345") << 0 << QVariant("12345");
    QTest::newRow("text too long") << int(dbText) << 5 << QVariant("123456") << 3163 << none;
    QTest::newRow("Polish letters are characters")
        << int(dbText) << 4 << QVariant(QStringLiteral("łódź")) << 0
        << QVariant(QStringLiteral("łódź"));
    QTest::newRow("leading zeros stay text")
        << int(dbText) << 10 << QVariant("0012") << 0 << QVariant("0012");
    QTest::newRow("empty text is not Null")
        << int(dbText) << 10 << QVariant("") << 0 << QVariant("");
    QTest::newRow("number into text") << int(dbText) << 10 << QVariant(12) << 0 << QVariant("12");
    QTest::newRow("memo has no limit")
        << int(dbMemo) << 0 << QVariant(QString(5000, 'x')) << 0 << QVariant(QString(5000, 'x'));
    QTest::newRow("byte top") << int(dbByte) << 0 << QVariant(255) << 0 << QVariant(255);
    QTest::newRow("byte over") << int(dbByte) << 0 << QVariant(256) << 6 << none;
    QTest::newRow("byte negative") << int(dbByte) << 0 << QVariant(-1) << 6 << none;
    QTest::newRow("integer top") << int(dbInteger) << 0 << QVariant(32767) << 0 << QVariant(32767);
    QTest::newRow("integer over") << int(dbInteger) << 0 << QVariant(32768) << 6 << none;
    QTest::newRow("integer bottom")
        << int(dbInteger) << 0 << QVariant(-32768) << 0 << QVariant(-32768);
    QTest::newRow("integer under") << int(dbInteger) << 0 << QVariant(-32769) << 6 << none;
    QTest::newRow("long top") << int(dbLong) << 0 << QVariant(2147483647) << 0
                              << QVariant(2147483647);
    QTest::newRow("long over") << int(dbLong) << 0 << QVariant(2147483648LL) << 6 << none;
    QTest::newRow("number text") << int(dbInteger) << 0 << QVariant(" 12 ") << 0 << QVariant(12);
    QTest::newRow("text over range") << int(dbInteger) << 0 << QVariant("40000") << 6 << none;
    QTest::newRow("no number") << int(dbLong) << 0 << QVariant("12a") << 3421 << none;
    QTest::newRow("empty into number") << int(dbLong) << 0 << QVariant("") << 3421 << none;
    QTest::newRow("half to even") << int(dbInteger) << 0 << QVariant("2,5") << 0 << QVariant(2);
    QTest::newRow("single with comma")
        << int(dbSingle) << 0 << QVariant("1,5") << 0 << QVariant(1.5f);
    QTest::newRow("single with point")
        << int(dbSingle) << 0 << QVariant("0.25") << 0 << QVariant(0.25f);
    QTest::newRow("single overflow") << int(dbSingle) << 0 << QVariant(1e39) << 6 << none;
    QTest::newRow("date text") << int(dbDate) << 0 << QVariant("05.03.2024") << 0
                               << QVariant(QDate(2024, 3, 5));
    QTest::newRow("date 1111") << int(dbDate) << 0 << QVariant("11.11.1111") << 0
                               << QVariant(QDate(1111, 11, 11));
    QTest::newRow("date value") << int(dbDate) << 0 << QVariant(QDate(2026, 12, 31)) << 0
                                << QVariant(QDate(2026, 12, 31));
    QTest::newRow("date no day") << int(dbDate) << 0 << QVariant("31.02.2024") << 3421 << none;
    QTest::newRow("empty date") << int(dbDate) << 0 << QVariant("") << 3421 << none;
    QTest::newRow("boolean") << int(dbBoolean) << 0 << QVariant(true) << 0 << QVariant(true);
    QTest::newRow("boolean from number")
        << int(dbBoolean) << 0 << QVariant(0) << 0 << QVariant(false);
    QTest::newRow("Null into number") << int(dbLong) << 0 << none << 0 << none;
    QTest::newRow("Null into text") << int(dbText) << 5 << none << 0 << none;
}

void tst_DaoValues::assignment()
{
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(QVariant, value);
    QFETCH(int, error);
    QFETCH(QVariant, stored);

    TestDatabase file;
    file.createTable("T", {{"Pole", DataTypeEnum(type), size}, {"Nr", dbLong, 0}});
    Recordset rs = file.db().OpenRecordset("T");
    rs.AddNew();
    rs("Nr") = 1;
    QCOMPARE(errorNumberOf([&] { rs("Pole") = value; }), error);
    rs.Update();

    Recordset back = file.db().OpenRecordset("SELECT * FROM T");
    QCOMPARE(back.RecordCount(), 1);
    const QVariant read = back("Pole").Value();
    QCOMPARE(read.isValid(), stored.isValid());
    if (stored.isValid()) {
        QCOMPARE(read.typeId(), stored.typeId());
        QCOMPARE(read, stored);
    }
}

// The width probe assigns an oversized text and never calls Update: the error
// must come from the assignment itself, and the row must not be stored.
void tst_DaoValues::errorsComeAtAssignment()
{
    TestDatabase file;
    file.createTable("Badanie", {{"Wynik", dbText, 10}});
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie");
    QCOMPARE(errorNumberOf([&] { rs("Wynik") = "x"; }), int(err::UpdateWithoutEdit));
    rs.AddNew();
    QCOMPARE(errorNumberOf([&] { rs("Wynik") = "123451234512345"; }), int(err::FieldTooSmall));
    QVERIFY(IsNull(rs("Wynik").Value()));
    rs.Close();
    QCOMPARE(file.db().OpenRecordset("Badanie").RecordCount(), 0);
    QCOMPARE(errorNumberOf([&] { rs.AddNew(); }), int(err::ObjectInvalid));
}

void tst_DaoValues::dateText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");

    QTest::newRow("dots") << "05.03.2024" << QDate(2024, 3, 5);
    QTest::newRow("dashes") << "05-03-2024" << QDate(2024, 3, 5);
    QTest::newRow("slashes") << "5/3/2024" << QDate(2024, 3, 5);
    QTest::newRow("blanks around") << " 05.03.2024 " << QDate(2024, 3, 5);
    QTest::newRow("year 1111") << "11.11.1111" << QDate(1111, 11, 11);
    QTest::newRow("first day") << "01.01.0001" << QDate(1, 1, 1);
    QTest::newRow("last day") << "31.12.9999" << QDate(9999, 12, 31);
    QTest::newRow("leap day") << "29.02.2024" << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << "29.02.2023" << QDate();
    QTest::newRow("day 0") << "00.01.2024" << QDate();
    QTest::newRow("month 13") << "01.13.2024" << QDate();
    QTest::newRow("year 0") << "01.01.0000" << QDate();
    QTest::newRow("two-digit year") << "05.03.24" << QDate();
    QTest::newRow("empty mask") << "__.__.____" << QDate();
    QTest::newRow("empty") << "" << QDate();
}

void tst_DaoValues::dateText()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    const auto parsed = ParseDateText(text);
    QCOMPARE(parsed.has_value(), date.isValid());
    if (parsed)
        QCOMPARE(*parsed, date);
}

void tst_DaoValues::sqlLiterals_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("likePrefix");

    QTest::newRow("plain") << "Kowalski"
                           << "'Kowalski'"
                           << "'Kowalski*'";
    QTest::newRow("apostrophe") << "O'Brien"
                                << "'O''Brien'"
                                << "'O''Brien*'";
    QTest::newRow("wildcards") << "a*b?c#d[e"
                               << "'a*b?c#d[e'"
                               << "'a[*]b[?]c[#]d[[]e*'";
    QTest::newRow("percent stays") << "100%"
                                   << "'100%'"
                                   << "'100%*'";
    QTest::newRow("empty") << ""
                           << "''"
                           << "'*'";
}

void tst_DaoValues::sqlLiterals()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(QString, likePrefix);
    QCOMPARE(SqlText(value), text);
    QCOMPARE(SqlLikePrefix(value), likePrefix);
    QCOMPARE(SqlDate(QDate(1111, 11, 11)), QStringLiteral("DateValue('11.11.1111')"));
}

void tst_DaoValues::errorDescriptions()
{
    const Error missing = Error::Make(err::FileNotFound, {"/a/b%1.mdb"});
    QCOMPARE(missing.Number(), 3024);
    QCOMPARE(missing.Description(), QStringLiteral("Nie można znaleźć pliku '/a/b%1.mdb'."));
    QCOMPARE(Error::Make(err::NoSuchField, {"TabelaTMP", "Badanie"}).Description(),
             QStringLiteral("Brak pola o nazwie 'TabelaTMP' w tabeli 'Badanie'."));
    QCOMPARE(Error::Make(err::Overflow).Description(), QStringLiteral("Przepełnienie."));
}

QTEST_MAIN(tst_DaoValues)
#include "tst_DaoValues.moc"
