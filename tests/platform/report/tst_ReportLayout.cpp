#include "MemorySource.h"

#include "platform/report/Report.h"
#include "platform/report/ReportError.h"

#include <QDate>
#include <QtTest>

using report::Document;
using report::Report;

namespace
{

// All texts of a document, page by page.
QStringList pagesOf(const Document &doc)
{
    QStringList pages;
    for (int i = 0; i < doc.pageCount(); ++i)
        pages.append(doc.pageText(i));
    return pages;
}

QStringList linesOf(const Document &doc)
{
    return pagesOf(doc).join(u'\n').split(u'\n');
}

Document render(const QByteArray &json, MemorySource &source, const QString &formula = {})
{
    Report r(definitionOf(json));
    r.setSelectionFormula(formula);
    return r.render(source);
}

// A batch table with several batches staged, and their samples.
void stageBatches(MemorySource &source)
{
    auto &partia = source.table("Partia", {"Partia", "Nazwa"});
    partia.rows = {{3, "Kowalski"}, {12, "O'Brien"}, {7, "ŁÓDŹ"}, {8, QVariant()}, {9, ""}};
    auto &badanie = source.table("Badanie", {"Partia", "NrProbki"});
    badanie.rows = {{3, 1}, {12, 101}, {12, 102}, {7, 71}, {3, 2}};
}

const QByteArray batchList = R"({
  "tables": ["Partia", "Badanie"],
  "detail": { "table": "Partia", "grid": false,
              "columns": [ { "value": "partia {Partia.Partia} {Partia.Nazwa}" } ] } })";

const QByteArray samplesOfBatch = R"({
  "tables": ["Partia", "Badanie"],
  "header": [ { "text": "Partia {Partia.Partia}" } ],
  "detail": { "table": "Badanie", "link": { "Partia": "Partia.Partia" }, "orderBy": ["NrProbki"],
              "columns": [ { "value": "tusza {Badanie.NrProbki}" } ] } })";

} // namespace

// Laying out reports: which rows a selection formula lets through, how rows
// flow over pages (headings repeated, rows kept whole or broken, numbered
// pages), nested rows, and what values look like on the page.
class tst_ReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void selectionFormulaPicksRows_data();
    void selectionFormulaPicksRows();
    void formulaPicksOneBatchOfSeveral();
    void unknownNamesAreReported_data();
    void unknownNamesAreReported();
    void rowsFlowOverPagesWithHeadings();
    void rowTallerThanAPageBreaksAndContinues();
    void shortRowsAreKeptWhole();
    void runsWithTheirTrays();
    void valuesAsPrinted();
    void conditionsListsAndParameters();
    void tablesAreReadEachRender();
};

void tst_ReportLayout::selectionFormulaPicksRows_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("empty: every row") << ""
                                      << QStringList{"partia 3 Kowalski", "partia 12 O'Brien",
                                                     "partia 7 ŁÓDŹ", "partia 8", "partia 9"};
    QTest::newRow("number") << " {Partia.Partia} = 12" << QStringList{"partia 12 O'Brien"};
    QTest::newRow("text with an apostrophe")
        << "{Partia.Nazwa} = 'O''Brien'" << QStringList{"partia 12 O'Brien"};
    QTest::newRow("text without regard to case")
        << "{partia.nazwa} = 'łódź'" << QStringList{"partia 7 ŁÓDŹ"};
    QTest::newRow("empty text is not Null") << "{Partia.Nazwa} = ''" << QStringList{"partia 9"};
    QTest::newRow("and") << "{Partia.Partia} = 12 and {Partia.Nazwa} = 'Kowalski'" << QStringList{};
    QTest::newRow("no such row") << "{Partia.Partia} = 99" << QStringList{};
    QTest::newRow("injection stays a value")
        << "{Partia.Nazwa} = 'x'' OR ''1''=''1'" << QStringList{};
}

void tst_ReportLayout::selectionFormulaPicksRows()
{
    QFETCH(QString, formula);
    QFETCH(QStringList, rows);
    MemorySource source;
    stageBatches(source);
    const QString text = render(batchList, source, formula).pageText(0);
    QCOMPARE(text.isEmpty() ? QStringList() : text.split(u'\n'), rows);
}

void tst_ReportLayout::formulaPicksOneBatchOfSeveral()
{
    MemorySource source;
    stageBatches(source);
    QCOMPARE(linesOf(render(samplesOfBatch, source, " {Partia.Partia} = 12")),
             (QStringList{"Partia 12", "tusza 101", "tusza 102"}));
    QCOMPARE(linesOf(render(samplesOfBatch, source, " {Partia.Partia} = 99")),
             (QStringList{"Partia"}));
}

void tst_ReportLayout::unknownNamesAreReported_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("error");
    QTest::newRow("formula table")
        << batchList << "{Zaklad.Nazwa} = 'a'" << int(report::err::BadFormula);
    QTest::newRow("formula field")
        << batchList << "{Partia.Numer} = 1" << int(report::err::BadFormula);
    QTest::newRow("field of a text")
        << QByteArray(R"({"tables": ["Partia"], "header": [{"text": "{Partia.Brak}"}]})") << ""
        << int(report::err::BadField);
    QTest::newRow("field of an empty table")
        << QByteArray(R"({"tables": ["Puste"], "header": [{"text": "{Puste.Brak}"}]})") << ""
        << int(report::err::BadField);
    QTest::newRow("order field")
        << QByteArray(R"({"tables": ["Partia"], "detail": {"table": "Partia", "orderBy": ["X"],
                          "columns": [{"value": "a"}]}})")
        << "" << int(report::err::BadField);
    QTest::newRow("link field")
        << QByteArray(R"({"tables": ["Partia", "Badanie"], "detail": {"table": "Badanie",
                          "link": {"Partia": "Partia.Numer"}, "columns": [{"value": "a"}]}})")
        << "" << int(report::err::BadField);
}

void tst_ReportLayout::unknownNamesAreReported()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, formula);
    QFETCH(int, error);
    MemorySource source;
    stageBatches(source);
    source.table("Puste", {"A"});
    try {
        render(json, source, formula);
        QFAIL("rendered");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), error);
    }
}

void tst_ReportLayout::rowsFlowOverPagesWithHeadings()
{
    MemorySource source;
    auto &t = source.table("Zaklad", {"IdRzezni", "Nazwa"});
    for (int i = 1; i <= 150; ++i)
        t.rows.append({QStringLiteral("Z%1").arg(i, 3, 10, QLatin1Char('0')), "Zakład"});
    const Document doc = render(R"({
      "tables": ["Zaklad"],
      "header": [ { "text": "LISTA ZAKŁADÓW" } ],
      "detail": { "table": "Zaklad", "orderBy": ["IdRzezni"],
        "columns": [ { "title": "Nr WNI", "value": "{Zaklad.IdRzezni}" },
                     { "title": "Nazwa", "value": "{Zaklad.Nazwa}" } ] },
      "footer": [ { "text": "KONIEC" } ],
      "pageFooter": [ { "text": "Strona {#Page} z {#Pages}" } ] })",
                                source);
    const int pages = doc.pageCount();
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    QStringList rows;
    for (int p = 0; p < pages; ++p) {
        QStringList lines = doc.pageText(p).split(u'\n');
        if (p == 0)
            QCOMPARE(lines.takeFirst(), QStringLiteral("LISTA ZAKŁADÓW"));
        QCOMPARE(lines.takeFirst(), QStringLiteral("Nr WNI Nazwa"));
        QCOMPARE(lines.takeLast(), QStringLiteral("Strona %1 z %2").arg(p + 1).arg(pages));
        if (p == pages - 1)
            QCOMPARE(lines.takeLast(), QStringLiteral("KONIEC"));
        QVERIFY(!lines.isEmpty());
        rows += lines;
    }
    QCOMPARE(rows.size(), 150);
    for (int i = 0; i < 150; ++i)
        QCOMPARE(rows[i], QStringLiteral("Z%1 Zakład").arg(i + 1, 3, 10, QLatin1Char('0')));
}

void tst_ReportLayout::rowTallerThanAPageBreaksAndContinues()
{
    MemorySource source;
    QStringList memo;
    for (int i = 1; i <= 160; ++i)
        memo.append(QStringLiteral("linia %1").arg(i));
    source.table("Badanie", {"NrProbki", "Uwagi"}).rows = {
        {1, "krótka"}, {2, memo.join(u'\r')}, {3, "po długiej"}};
    const Document doc = render(R"({
      "tables": ["Badanie"],
      "detail": { "table": "Badanie",
        "columns": [ { "title": "Nr", "value": "{Badanie.NrProbki}", "width": 1 },
                     { "title": "Uwagi", "value": "{Badanie.Uwagi}", "width": 5 } ] } })",
                                source);
    QVERIFY(doc.pageCount() >= 2);
    QStringList lines;
    for (int p = 0; p < doc.pageCount(); ++p) {
        QStringList page = doc.pageText(p).split(u'\n');
        QCOMPARE(page.takeFirst(), QStringLiteral("Nr Uwagi")); // heading on every page
        lines += page;
    }
    QStringList expected{"1 krótka", "2 linia 1"};
    for (int i = 2; i <= 160; ++i)
        expected.append(QStringLiteral("linia %1").arg(i));
    expected.append("3 po długiej");
    QCOMPARE(lines, expected);
    // The broken row is closed by a line at the foot of the first page.
    const auto &first = doc.pages.front();
    double lowest = 0;
    for (const auto &l : first.lines)
        if (l.line.dy() == 0)
            lowest = std::max(lowest, l.line.y1());
    double lastText = 0;
    for (const auto &t : first.texts)
        lastText = std::max(lastText, t.baseline.y());
    QVERIFY(lowest > lastText);
}

void tst_ReportLayout::shortRowsAreKeptWhole()
{
    MemorySource source;
    auto &t = source.table("T", {"N"});
    for (int i = 1; i <= 60; ++i)
        t.rows.append(QVariantList{i});
    const Document doc = render(R"({
      "tables": ["T"],
      "detail": { "table": "T",
        "columns": [ { "value": "a{T.N}\nb{T.N}\nc{T.N}" } ] } })",
                                source);
    QVERIFY(doc.pageCount() >= 2);
    for (int p = 0; p < doc.pageCount(); ++p) {
        const QStringList lines = doc.pageText(p).split(u'\n');
        QCOMPARE(lines.size() % 3, 0);
        QVERIFY(lines.first().startsWith(u'a'));
        QVERIFY(lines.last().startsWith(u'c'));
    }
}

void tst_ReportLayout::runsWithTheirTrays()
{
    MemorySource source;
    source.table("Partia", {"Partia"}).rows = {{5}};
    source.table("Nastawienie", {"Partia", "Nastawienie", "Wynik"}).rows = {
        {5, 2, "nie stwierdzono"}, {5, 1, "nie stwierdzono"}, {6, 1, "obca partia"}};
    source.table("PozycjaN", {"Partia", "Nastawienie", "NrTacy", "NrTuszRazem"}).rows = {
        {5, 1, 2, "21-40(T)"},
        {5, 1, 1, "1-20(T), 31(D)"},
        {5, 2, 1, "41-60(M)"},
        {6, 1, 1, "obca taca"},
        {5, 3, 1, "taca bez nastawienia"}};
    const QByteArray card = R"({
      "tables": ["Partia", "Nastawienie", "PozycjaN"],
      "detail": { "table": "Nastawienie", "link": { "Partia": "Partia.Partia" },
        "orderBy": ["Nastawienie"],
        "blocks": [ { "text": "Nastawienie nr {Nastawienie.Nastawienie}: {Nastawienie.Wynik}" } ],
        "children": [ { "table": "PozycjaN", "indent": 5, "orderBy": ["NrTacy"],
          "link": { "Partia": "Nastawienie.Partia", "Nastawienie": "Nastawienie.Nastawienie" },
          "columns": [ { "title": "Taca", "value": "{PozycjaN.NrTacy}" },
                       { "title": "Tusze", "value": "{PozycjaN.NrTuszRazem}" } ] } ] } })";
    QCOMPARE(linesOf(render(card, source, " {Partia.Partia} = 5")),
             (QStringList{"Nastawienie nr 1: nie stwierdzono", "Taca Tusze", "1 1-20(T), 31(D)",
                          "2 21-40(T)", "Nastawienie nr 2: nie stwierdzono", "Taca Tusze",
                          "1 41-60(M)"}));

    // Many trays: the tray headings repeat on the next page, under the run.
    auto &trays = source.table("PozycjaN", {"Partia", "Nastawienie", "NrTacy", "NrTuszRazem"});
    trays.rows.clear();
    for (int i = 1; i <= 90; ++i)
        trays.rows.append({5, 1, i, QStringLiteral("%1(T)").arg(i)});
    const Document doc = render(card, source, " {Partia.Partia} = 5");
    QVERIFY(doc.pageCount() >= 2);
    const QStringList second = doc.pageText(1).split(u'\n');
    QCOMPARE(second.first(), QStringLiteral("Taca Tusze"));
    QVERIFY(second.contains(QStringLiteral("Nastawienie nr 2: nie stwierdzono")));
    QVERIFY(second.contains(QStringLiteral("90 90(T)")));
}

void tst_ReportLayout::valuesAsPrinted()
{
    MemorySource source;
    source.table("WynikTMP", {"Zleceniodawca", "Data", "Ilosc", "Waga", "Pusty"}).rows = {
        {"ZAKŁAD MIĘSNY\rGórki 5, 00-001\r\nWarszawa\nPolska", QDate(2024, 3, 5), 12.0,
         QVariant::fromValue(2.5f), QVariant()}};
    const Document doc = render(R"({
      "tables": ["WynikTMP"],
      "header": [ { "text": "{WynikTMP.Zleceniodawca}" },
                  { "text": "dnia {WynikTMP.Data}, rok {WynikTMP.Data|yyyy}" },
                  { "text": "{WynikTMP.Ilosc} szt., {WynikTMP.Waga} g, [{WynikTMP.Pusty}] {{x}}" } ] })",
                                source);
    QCOMPARE(linesOf(doc), (QStringList{"ZAKŁAD MIĘSNY", "Górki 5, 00-001", "Warszawa", "Polska",
                                        "dnia 05.03.2024, rok 2024", "12 szt., 2,5 g, [] {x}"}));
}

void tst_ReportLayout::conditionsListsAndParameters()
{
    MemorySource source;
    source.table("SeriaTest", {"LogoPCA"}).rows = {{"T"}};
    source.table("NazwaTMP", {"Nazwa"}).rows = {{"filary przepony"}, {""}, {QVariant()}, {"inne"}};
    const QByteArray json = R"({
      "tables": ["SeriaTest", "NazwaTMP"],
      "header": [ { "letterhead": true },
                  { "text": "{?KodPCA}", "when": "{SeriaTest.LogoPCA} = 'T'" },
                  { "text": "bez logo", "when": "{SeriaTest.LogoPCA} = 'N'" },
                  { "text": "Materiał: {NazwaTMP.Nazwa|list:, }" },
                  { "text": "[{?Brak}]" } ] })";
    Report r(definitionOf(json));
    r.setLetterhead({"Laboratorium Wet.", "ul. Łąkowa 1", "", ""});
    r.setParameter("KodPCA", "AB 123");
    QCOMPARE(linesOf(r.render(source)), (QStringList{"Laboratorium Wet.", "ul. Łąkowa 1", "AB 123",
                                                     "Materiał: filary przepony, inne", "[]"}));
    source.table("SeriaTest", {"LogoPCA"}).rows = {{"N"}};
    QVERIFY(linesOf(r.render(source)).contains("bez logo"));
    source.table("SeriaTest", {"LogoPCA"}).rows.clear(); // no row: neither condition holds
    const QStringList none = linesOf(r.render(source));
    QVERIFY(!none.contains("AB 123") && !none.contains("bez logo"));
}

void tst_ReportLayout::tablesAreReadEachRender()
{
    MemorySource source;
    stageBatches(source);
    Report r(definitionOf(batchList));
    r.setSelectionFormula(" {Partia.Partia} = 3");
    QCOMPARE(r.render(source).pageText(0), QStringLiteral("partia 3 Kowalski"));
    source.table("Partia", {"Partia", "Nazwa"}).rows = {{3, "Nowak"}};
    QCOMPARE(r.render(source).pageText(0), QStringLiteral("partia 3 Nowak"));
    QCOMPARE(source.reads, 4); // both tables, each time
}

QTEST_MAIN(tst_ReportLayout)
#include "tst_ReportLayout.moc"
