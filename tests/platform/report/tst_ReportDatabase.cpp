#include "platform/db/dao.h"
#include "platform/report/DocumentOutput.h"
#include "platform/report/Report.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using report::Document;
using report::Report;

namespace
{

dao::DataTypeEnum typeOf(const QString &name)
{
    static const QHash<QString, dao::DataTypeEnum> types{
        {"Boolean", dao::dbBoolean}, {"Byte", dao::dbByte},     {"Integer", dao::dbInteger},
        {"Long", dao::dbLong},       {"Single", dao::dbSingle}, {"Date", dao::dbDate},
        {"Text", dao::dbText},       {"Memo", dao::dbMemo}};
    return types.value(name, dao::dbMemo);
}

QJsonArray schemaTables(const QString &file)
{
    QFile f(QStringLiteral(SCHEMA_DIR "/") + file);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("schema %s missing", qPrintable(file));
    return QJsonDocument::fromJson(f.readAll()).object().value("tables").toArray();
}

// Creates the named tables as the installation's schema defines them; the
// staging copies take the fields of their month namesakes first.
void createTables(dao::Database &db, const QString &file, const QStringList &names)
{
    const QJsonArray month = schemaTables("month.json");
    for (const QJsonValue &t : schemaTables(file)) {
        const QString name = t["name"].toString();
        if (!names.contains(name))
            continue;
        QJsonArray fields;
        if (t["copyOf"].toString() == "month")
            for (const QJsonValue &m : month)
                if (m["name"].toString() == name)
                    fields = m["fields"].toArray();
        for (const QJsonValue &f : t["fields"].toArray())
            fields.append(f);
        dao::TableDef td = db.CreateTableDef(name);
        for (const QJsonValue &f : fields) {
            dao::Field field = td.CreateField(f["name"].toString(), typeOf(f["type"].toString()),
                                              f["size"].toInt());
            td.Fields().Append(field);
        }
        db.TableDefs().Append(td);
    }
}

void addRow(dao::Database &db, const QString &table, const QVariantMap &values)
{
    dao::Recordset rs = db.OpenRecordset(table);
    rs.AddNew();
    for (auto it = values.begin(); it != values.end(); ++it)
        rs(it.key()) = it.value();
    rs.Update();
    rs.Close();
}

QStringList linesOf(const Document &doc)
{
    QStringList lines;
    for (int i = 0; i < doc.pageCount(); ++i)
        lines += doc.pageText(i).split(u'\n');
    return lines;
}

QString definition(const QString &file)
{
    return QStringLiteral(REPORTS_DIR "/") + file;
}

void stageBatch(dao::Database &robot, int batch, const QString &wni, int samples)
{
    addRow(robot, "Partia",
           {{"Partia", batch},
            {"WNI", wni},
            {"IlProbek", QString::number(samples)},
            {"DataDoLab", QDate(2024, 3, 5)},
            {"Metoda", "Metoda wytrawiania"},
            {"Autoryzowal", "dr Anna Żółkiewska"}});
    for (int i = 1; i <= samples; ++i)
        addRow(robot, "Badanie",
               {{"Partia", batch},
                {"NrProbki", batch * 100 + i},
                {"NrDzien", i},
                {"NazTkanka", "filary przepony"},
                {"Wynik", "nie stwierdzono"}});
}

} // namespace

// The shipped definitions over databases built as the installation builds
// them: the list reports over the dictionary tables and the result sheet over
// the staging tables.
class tst_ReportDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listOfEstablishments();
    void listOfInspectorates();
    void resultSheetOfOneStagedBatch();
    void missingTableIsReported();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    dao::Database open(const QString &name, const QString &schema, const QStringList &tables);
};

void tst_ReportDatabase::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
}

dao::Database tst_ReportDatabase::open(const QString &name, const QString &schema,
                                       const QStringList &tables)
{
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(dir_->filePath(name));
    createTables(db, schema, tables);
    return db;
}

void tst_ReportDatabase::listOfEstablishments()
{
    dao::Database stale = open("Stale.mdb", "stale.json", {"Zaklad"});
    addRow(stale, "Zaklad",
           {{"IdRzezni", "14610002"}, {"Nazwa", "Łuków Mięso"}, {"Miasto", "Łuków"}});
    addRow(stale, "Zaklad",
           {{"IdRzezni", "14610001"},
            {"Nazwa", "Zakład \"O'Brien\""},
            {"Nazwa2", "sp. z o.o."},
            {"Ulica", "ul. Polna 1"},
            {"KodPocztowy", "00-001"},
            {"Miasto", "Warszawa"}});
    addRow(stale, "Zaklad", {{"IdRzezni", "14610003"}, {"Nazwa", "Lubartów"}});
    Report r = Report::open(definition("zlewnia.rpt"));
    r.setLetterhead({"Laboratorium Wet.", "Łódź"});
    const QStringList lines = linesOf(r.render(stale));
    QCOMPARE(lines.mid(0, 3), (QStringList{"Laboratorium Wet.", "Łódź", "LISTA ZAKŁADÓW"}));
    // By name in Polish order: L before Ł before Z.
    const qsizetype lub = lines.indexOf(QRegularExpression("^14610003 .*Lubartów.*"));
    const qsizetype luk = lines.indexOf(QRegularExpression("^14610002 .*Łuków Mięso.*"));
    const qsizetype zak = lines.indexOf(
        QRegularExpression("^14610001 .*Zakład \"O'Brien\" sp. z o.o.*ul. Polna 1.*"));
    QVERIFY2(lub > 0 && lub < luk && luk < zak, qPrintable(lines.join('\n')));
    QVERIFY(lines.contains(QRegularExpression(".*00-001 Warszawa.*")));
    QCOMPARE(lines.last(), QStringLiteral("Strona 1 z 1"));
}

void tst_ReportDatabase::listOfInspectorates()
{
    dao::Database stale = open("Stale.mdb", "stale.json", {"PIW"});
    addRow(stale, "PIW", {{"IDPIW", "1462"}, {"NAZWA", "PIW Zgierz"}, {"Email", "piw@zgierz.pl"}});
    addRow(stale, "PIW", {{"IDPIW", "1461"}, {"NAZWA", "PIW Łódź"}, {"Miasto", "Łódź"}});
    const QStringList lines = linesOf(Report::open(definition("producen.rpt")).render(stale));
    QCOMPARE(lines.first(), QStringLiteral("LISTA PIW"));
    const qsizetype lodz = lines.indexOf(QRegularExpression("^1461 PIW Łódź.*"));
    const qsizetype zgierz = lines.indexOf(QRegularExpression("^1462 PIW Zgierz.*piw@zgierz.pl"));
    QVERIFY2(lodz > 0 && lodz < zgierz, qPrintable(lines.join('\n')));
}

void tst_ReportDatabase::resultSheetOfOneStagedBatch()
{
    dao::Database robot =
        open("Robot.mdb", "robot.json", {"Partia", "Badanie", "NazwaTMP", "WynikTMP", "SeriaTest"});
    stageBatch(robot, 12, "14610001", 3);
    stageBatch(robot, 13, "99990000", 2);
    addRow(robot, "NazwaTMP", {{"Nazwa", "filary przepony"}});
    addRow(robot, "WynikTMP",
           {{"Numer", "12/3/2024"},
            {"Zleceniodawca", "ZAKŁAD MIĘSNY ŁÓDŹ\rŁódź ul. Rzgowska 17, 93-008 Łódź"},
            {"Wlasciciel", "j.w."},
            {"Platnik", "j.w."},
            {"DataGodzDoLab", QDate(2024, 3, 5)}});
    addRow(
        robot, "SeriaTest",
        {{"Data", "05.03.2024"}, {"Egz", "2"}, {"LogoPCA", "N"}, {"Otrzymuja", "1461 - PIW Łódź"}});
    Report r = Report::open(definition("wyniki.rpt"));
    r.setSelectionFormula(" {Partia.Partia} = 12");
    r.setParameter("Miejsc", "Łódź");
    const Document doc = r.render(robot);
    const QString text = linesOf(doc).join('\n');
    for (const char *expected :
         {"Nr 12/3/2024", "ZAKŁAD MIĘSNY ŁÓDŹ", "Łódź ul. Rzgowska 17", "14610001", "1201", "1202",
          "1203", "nie stwierdzono", "Łódź, 05.03.2024", "05.03.2024", "Wydrukowano 2 egz.",
          "Otrzymują: 1461 - PIW Łódź", "dr Anna Żółkiewska", "Strona 1 z 1",
          "Materiał badany: filary przepony"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!text.contains("1301") && !text.contains("99990000"));

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString pdf = dir_->filePath("12MervaskLab20240305-Zaklad14610001.pdf");
    report::DocumentOutput::writePdf(doc, pdf);
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    QVERIFY(p.waitForFinished(60000));
    const QString extracted = QString::fromUtf8(p.readAllStandardOutput());
    for (const char *expected :
         {"12/3/2024", "ZAKŁAD MIĘSNY ŁÓDŹ", "1201", "1203", "nie stwierdzono"})
        QVERIFY2(extracted.contains(QString::fromUtf8(expected)), expected);
}

void tst_ReportDatabase::missingTableIsReported()
{
    dao::Database robot = open("Robot.mdb", "robot.json", {"Partia", "Badanie"});
    try {
        Report::open(definition("wyniki.rpt")).render(robot);
        QFAIL("rendered");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.Number(), int(dao::err::TableNotFound));
    }
}

QTEST_MAIN(tst_ReportDatabase)
#include "tst_ReportDatabase.moc"
