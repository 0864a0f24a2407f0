#include "MemorySource.h"

#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "platform/report/SelectionFormula.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using report::ReportDefinition;
using report::SelectionFormula;

// Reading definition files and selection formulas: what is accepted, and that
// every fault is a numbered error with a Polish description naming its place.
class tst_ReportDefinition : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsFileNotFound();
    void folderInsteadOfFileIsAccessError();
    void brokenDefinitions_data();
    void brokenDefinitions();
    void commentLinesKeepLineNumbers();
    void shippedDefinitionsParse_data();
    void shippedDefinitionsParse();
    void formulas_data();
    void formulas();
    void badFormulas_data();
    void badFormulas();
};

void tst_ReportDefinition::missingFileIsFileNotFound()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brak.rpt"));
    try {
        report::Report::open(path);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), report::err::FileNotFound);
        QVERIFY(e.Description().startsWith(QStringLiteral("Nie można otworzyć raportu: ")));
        QVERIFY(e.Description().contains(path));
    }
}

void tst_ReportDefinition::folderInsteadOfFileIsAccessError()
{
    QTemporaryDir dir;
    try {
        report::Report::open(dir.path());
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), report::err::PathFileAccess);
    }
}

void tst_ReportDefinition::brokenDefinitions_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("expected"); // part of the description

    const QByteArray tables = R"("tables": ["T"])";
    QTest::newRow("not json") << QByteArray("{ \"tables\": [\"T\"], }") << "wierszu 1";
    QTest::newRow("empty file") << QByteArray() << "wierszu 1";
    QTest::newRow("array") << QByteArray("[]") << "nie zawiera definicji";
    QTest::newRow("no tables") << QByteArray("{}") << "tables";
    QTest::newRow("unknown key") << "{" + tables + R"(, "heder": []})"
                                 << "nieznany klucz \"heder\"";
    QTest::newRow("unknown block key")
        << "{" + tables + R"(, "header": [{"text": "a", "colour": 1}]})"
        << "header[0]";
    QTest::newRow("two kinds in a block")
        << "{" + tables + R"(, "header": [{"text": "a", "space": 1}]})"
        << "dokładnie jeden";
    QTest::newRow("undeclared table in text")
        << "{" + tables + R"(, "header": [{"text": "{X.Y}"}]})"
        << "tabela X";
    QTest::newRow("unclosed place") << "{" + tables + R"(, "header": [{"text": "{T.Y"}]})"
                                    << "niezamknięte";
    QTest::newRow("bad place") << "{" + tables + R"(, "header": [{"text": "{TY}"}]})"
                               << "{TY}";
    QTest::newRow("bad when") << "{" + tables +
                                     R"(, "header": [{"text": "a", "when": "{T.A} = "}]})"
                              << "when";
    QTest::newRow("band without columns") << "{" + tables + R"(, "detail": {"table": "T"}})"
                                          << "columns";
    QTest::newRow("band of undeclared table")
        << "{" + tables + R"(, "detail": {"table": "U", "columns": [{"value": "x"}]}})"
        << "detail.table";
    QTest::newRow("bad link")
        << "{" + tables +
               R"(, "detail": {"table": "T", "link": {"A": "B"}, "columns": [{"value": "x"}]}})"
        << "Tabela.Pole";
    QTest::newRow("zero width column")
        << "{" + tables + R"(, "detail": {"table": "T", "columns": [{"value": "x", "width": 0}]}})"
        << "dodatnia";
    QTest::newRow("order not a list")
        << "{" + tables +
               R"(, "detail": {"table": "T", "orderBy": "A", "columns": [{"value": "x"}]}})"
        << "orderBy";
    QTest::newRow("letter paper") << "{" + tables + R"(, "page": {"size": "Letter"}})"
                                  << "A4";
    QTest::newRow("three margins") << "{" + tables + R"(, "page": {"margins": [1, 2, 3]}})"
                                   << "czterech";
    QTest::newRow("negative space") << "{" + tables + R"(, "header": [{"space": -2}]})"
                                    << "nieujemnej";
}

void tst_ReportDefinition::brokenDefinitions()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, expected);
    try {
        definitionOf(json);
        QFAIL("accepted");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), report::err::BadDefinition);
        QVERIFY2(e.Description().startsWith(QStringLiteral("Nie można otworzyć raportu: ")),
                 qPrintable(e.Description()));
        QVERIFY2(e.Description().contains(expected), qPrintable(e.Description()));
    }
}

void tst_ReportDefinition::commentLinesKeepLineNumbers()
{
    const QByteArray json = "// one\n// two\n{\n  \"tables\": [\"T\"]\n  \"title\": 1\n}";
    try {
        definitionOf(json);
        QFAIL("accepted");
    } catch (const RuntimeError &e) {
        QVERIFY2(e.Description().contains(QStringLiteral("wierszu 5")),
                 qPrintable(e.Description()));
    }
    const ReportDefinition d =
        definitionOf("  // a comment \"with quotes\"\n{\"tables\": [\"T\"]}");
    QCOMPARE(d.tables, QStringList{QStringLiteral("T")});
    QCOMPARE(d.title, QStringLiteral("test")); // the file's name when no title is given
}

void tst_ReportDefinition::shippedDefinitionsParse_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("tables");
    QTest::addColumn<QString>("title");
    QTest::newRow("wyniki") << "wyniki.rpt"
                            << QStringList{"Partia", "Badanie", "NazwaTMP", "WynikTMP", "SeriaTest"}
                            << "Sprawozdanie z badania";
    QTest::newRow("zlewnia") << "zlewnia.rpt" << QStringList{"Zaklad"} << "Lista zakładów";
    QTest::newRow("producen") << "producen.rpt" << QStringList{"PIW"} << "Lista PIW";
}

void tst_ReportDefinition::shippedDefinitionsParse()
{
    QFETCH(QString, file);
    QFETCH(QStringList, tables);
    QFETCH(QString, title);
    const ReportDefinition d = ReportDefinition::load(QStringLiteral(REPORTS_DIR "/") + file);
    QCOMPARE(d.tables, tables);
    QCOMPARE(d.title, title);
    QVERIFY(d.detail.has_value());
    QCOMPARE(d.detail->table, tables.first() == QStringLiteral("Partia") ? QStringLiteral("Badanie")
                                                                         : tables.first());
}

void tst_ReportDefinition::formulas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected"); // table.field=value per condition

    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks") << "   " << QStringList{};
    QTest::newRow("batch, as the register passes it")
        << " {Partia.Partia} = 12" << QStringList{"Partia.Partia=12"};
    QTest::newRow("no blanks") << "{Partia.Partia}=7" << QStringList{"Partia.Partia=7"};
    QTest::newRow("negative and decimal") << "{A.B} = -2.5" << QStringList{"A.B=-2.5"};
    QTest::newRow("text") << "{Zaklad.IdRzezni} = '14610001'"
                          << QStringList{"Zaklad.IdRzezni=14610001"};
    QTest::newRow("apostrophe doubled") << "{Badanie.NazTkanka} = 'mięśnie ''języka'''"
                                        << QStringList{"Badanie.NazTkanka=mięśnie 'języka'"};
    QTest::newRow("double quotes") << "{A.B} = \"say \"\"hi\"\"\"" << QStringList{"A.B=say \"hi\""};
    QTest::newRow("and, any case")
        << "{Partia.Partia} = 3 AND {Nastawienie.Nastawienie} = 2 and {A.B} = 'x'"
        << QStringList{"Partia.Partia=3", "Nastawienie.Nastawienie=2", "A.B=x"};
}

void tst_ReportDefinition::formulas()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const SelectionFormula f = SelectionFormula::parse(text);
    QStringList got;
    for (const auto &c : f.conditions())
        got.append(QStringLiteral("%1.%2=%3").arg(c.table, c.field, c.value.toString()));
    QCOMPARE(got, expected);
    QCOMPARE(f.isEmpty(), expected.isEmpty());
}

void tst_ReportDefinition::badFormulas_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no braces") << "Partia.Partia = 12";
    QTest::newRow("no field") << "{Partia} = 12";
    QTest::newRow("no value") << "{Partia.Partia} =";
    QTest::newRow("no operator") << "{Partia.Partia} 12";
    QTest::newRow("other operator") << "{Partia.Partia} > 12";
    QTest::newRow("unclosed text") << "{A.B} = 'abc";
    QTest::newRow("or") << "{A.B} = 1 or {A.B} = 2";
    QTest::newRow("dangling and") << "{A.B} = 1 and";
    QTest::newRow("word for number") << "{A.B} = abc";
    QTest::newRow("sql tail") << "{A.B} = 1; DROP TABLE Partia";
}

void tst_ReportDefinition::badFormulas()
{
    QFETCH(QString, text);
    try {
        SelectionFormula::parse(text);
        QFAIL("accepted");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), report::err::BadFormula);
        QVERIFY(e.Description().contains(text));
    }
}

QTEST_MAIN(tst_ReportDefinition)
#include "tst_ReportDefinition.moc"
