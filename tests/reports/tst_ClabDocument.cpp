#include "ClabFixture.h"
#include "FixtureTest.h"

#include "foundation/Globals.h"
#include "platform/RuntimeError.h"
#include "reports/ClabDocumentWriter.h"
#include "reports/ClabStore.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

using F = ClabFixture;

namespace
{

const QString Target = QStringLiteral("C:\\MervaskLab\\Eksport\\MervaskLab_Od20240301Do20240331");

ClabDocumentSettings settings()
{
    ClabDocumentSettings s;
    s.lab = QStringLiteral("052");
    s.workingDate = F::Day;
    s.station = QStringLiteral("R01");
    s.codes = ClabSettings::Defaults();
    s.schemaHost = QStringLiteral("https://cbd.example.invalid");
    return s;
}

// Writes the month's chosen batches as the export does; the warnings shown.
QStringList exportMonth(const QString &target = Target, const QString &lab = QStringLiteral("052"))
{
    ClabStore store(MonthDb, StaleDb);
    store.Open(ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31));
    QStringList warnings;
    ClabDocumentSettings s = settings();
    s.lab = lab;
    ClabDocumentWriter writer(s, [&](const QString &text) { warnings << text; });
    for (int i = 0; i < store.BatchCount(); ++i) {
        const ClabBatch batch = store.Batch(i);
        writer.WriteBatch(batch, store.Client(batch.wni));
    }
    writer.Finish(F::Real(target));
    return warnings;
}

// The document as derived by hand from the rules of its layout, written
// with LF (expected/month.xml);
// every line of the file ends with CR LF, except the first two lines of the
// heading, which end with CR alone.
QByteArray expectedDocument(const QString &file)
{
    QFile expected(file);
    if (!expected.open(QIODevice::ReadOnly))
        return QByteArray("<missing expected file>");
    QByteArray bytes = expected.readAll();
    bytes.replace("\n", "\r\n");
    const qsizetype first = bytes.indexOf("\r\n");
    bytes.remove(first + 1, 1);
    const qsizetype second = bytes.indexOf("\r\n", first + 1);
    bytes.remove(second + 1, 1);
    return bytes;
}

QString parseError(const QByteArray &document)
{
    QXmlStreamReader reader(document);
    while (!reader.atEnd())
        reader.readNext();
    return reader.hasError() ? reader.errorString() : QString();
}

} // namespace

// The document of a month: its bytes against the layout rules, written out
// by hand, and what a reader of XML makes of it.
class tst_ClabDocument : public FixtureTest<ClabFixture>
{
    Q_OBJECT

    // Two fair-copy batches (one official, one a service batch delivered in
    // the month before), an empty one, and one that is no fair copy.
    void Prepare() override
    {
        F::AddClient(QStringLiteral("14650301"),
                     {{QStringLiteral("TypWNI"), QStringLiteral("zakład ubojowy")},
                      {QStringLiteral("Nazwa"),
                       QStringLiteral(" Ubojnia „Świt” & <Syn> \"Kowalscy\" O'Brien ")},
                      {QStringLiteral("Miejscowosc"), QStringLiteral("Łódź")},
                      {QStringLiteral("Ulica"), QStringLiteral("ul. Żółwia 5")}});
        F::AddBatch(7, {{QStringLiteral("Pobral"), QStringLiteral("  Jan Kowalski ")}});
        F::AddSample(7, {{QStringLiteral("NrOgolny"), 123},
                         {QStringLiteral("NazTkanka"), QStringLiteral("Filary przepony ")},
                         {QStringLiteral("Gatunek"), QStringLiteral("Świnie")},
                         {QStringLiteral("Plec"), QStringLiteral("Locha")},
                         {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
        F::AddBatch(8, {{QStringLiteral("Czystopis"), QStringLiteral("N")}});
        F::AddSample(8, {{QStringLiteral("NrOgolny"), 200}});
        F::AddSample(7, {{QStringLiteral("NrOgolny"), 124},
                         {QStringLiteral("NazTkanka"), QStringLiteral("inne")},
                         {QStringLiteral("Gatunek"), QStringLiteral("bydło")},
                         {QStringLiteral("Plec"), QStringLiteral("Knur")},
                         {QStringLiteral("Wynik"), QStringLiteral("stwierdzono")}});
        F::AddBatch(9, {{QStringLiteral("WNI"), QStringLiteral("O'Brien 1")},
                        {QStringLiteral("Platnik"), QStringLiteral("U")},
                        {QStringLiteral("KodPIW"), QVariant()},
                        {QStringLiteral("Pobral"), QStringLiteral("ĄąĆćĘęŁłŃńÓóŚśŹźŻż")},
                        {QStringLiteral("DataPobr"), QVariant()},
                        {QStringLiteral("DataDoLab"), QDate(2024, 2, 28)},
                        {QStringLiteral("DataZakBad"), QDate(2024, 3, 1)}});
        F::AddSample(9, {{QStringLiteral("NrOgolny"), 125},
                         {QStringLiteral("NazTkanka"), QStringLiteral("mięśnie języka")},
                         {QStringLiteral("Gatunek"), QStringLiteral("owce")},
                         {QStringLiteral("Plec"), QStringLiteral("Baran")},
                         {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
        // Null tissue, species and sex take the way of an empty name.
        F::AddSample(9, {{QStringLiteral("NrOgolny"), 126},
                         {QStringLiteral("Gatunek"), QVariant()},
                         {QStringLiteral("Wynik"), QStringLiteral("stwierdzono")}});
        F::AddBatch(10, {{QStringLiteral("WNI"), QStringLiteral("99999999")},
                         {QStringLiteral("DataDoLab"), F::Day}});
    }

private slots:
    void monthByteForByte()
    {
        const QStringList warnings = exportMonth();
        const QByteArray document = F::ReadAll(Target);
        const QByteArray expected = expectedDocument(QFINDTESTDATA("expected/month.xml"));
        // Line by line first, so that a difference is easy to find.
        const QList<QByteArray> got = document.split('\n');
        const QList<QByteArray> want = expected.split('\n');
        for (qsizetype i = 0; i < std::min(got.size(), want.size()); ++i)
            QCOMPARE(got[i], want[i]);
        QCOMPARE(document, expected);
        QVERIFY(!document.startsWith("\xEF\xBB\xBF"));
        QVERIFY(document.contains("\xC5\x81\xC3\xB3\x64\xC5\xBA")); // Łódź
        QCOMPARE(parseError(document), QString());
        // Per sample, the tissue warning comes before the species and sex ones.
        QCOMPARE(warnings, QStringList({
                               QStringLiteral("Proba wysłania do CBD tkanki: \r"
                                              "Zgłoś problem do informatyka WIW."),
                               QStringLiteral("Proba wysłania do CBD gatunku: "),
                               QStringLiteral("Proba wysłania do CBD płci: \r"
                                              "Zgłoś problem do informatyka WIW."),
                           }));
        // The parts stay beside it: elements CR-joined, each ended by CR LF.
        const QByteArray firstDirection(
            "  <cbad2 id=\"8000312324052\">\r    <cbad1_id>8000312324052</cbad1_id>\r"
            "    <ckierunek1_id>319001</ckierunek1_id>\r  </cbad2>\r\n");
        QVERIFY(F::ReadAll(QStringLiteral("C:\\MervaskLab\\Eksport\\TmpLcBad2.txt"))
                    .startsWith(firstDirection));
    }

    // Whatever a client's name or a code box holds, the document stays
    // well formed and carries the text.
    void anyTextStaysWellFormed()
    {
        const QString name = QStringLiteral("A&B <C> \"D\" ]]> \x01\x1F\tE\rF\nG \U0001F600");
        TableData::AddRow(StaleDb, QStringLiteral("Zaklad"),
                          {{QStringLiteral("IdRzezni"), QStringLiteral("99999999")},
                           {QStringLiteral("Nazwa"), name}});
        F::AddSample(10, {{QStringLiteral("NrOgolny"), 127},
                          {QStringLiteral("NazTkanka"), QStringLiteral("inne")},
                          {QStringLiteral("Gatunek"), QStringLiteral("psy")},
                          {QStringLiteral("Plec"), QStringLiteral("pies")},
                          {QStringLiteral("Wynik"), QStringLiteral("nie stwierdzono")}});
        exportMonth();
        const QByteArray document = F::ReadAll(Target);
        QCOMPARE(parseError(document), QString());
        QXmlStreamReader reader(document);
        QString read; // the last sample's, of batch 10
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement &&
                reader.name() == QLatin1String("czlec1_knt_nazwa"))
                read = reader.readElementText();
        }
        QCOMPARE(read, QStringLiteral("A&B <C> \"D\" ]]> \tE\nF\nG \U0001F600"));
    }

    // A laboratory code that is no number stops the export before any file
    // is touched: an earlier document of that name survives.
    void badLaboratoryCodeTouchesNothing()
    {
        QFile earlier(F::Real(Target));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier export");
        earlier.close();
        for (const QString &lab : {QString(), QStringLiteral("05a"), QStringLiteral("-52")}) {
            try {
                exportMonth(Target, lab);
                QFAIL("no error");
            } catch (const RuntimeError &error) {
                QCOMPARE(error.Number(), 13);
            }
        }
        QCOMPARE(F::ReadAll(Target), QByteArray("earlier export"));
        QVERIFY(!QFile::exists(F::Real(QStringLiteral("C:\\MervaskLab\\Eksport\\TmpLcPr1.txt"))));
        // Blanks around the code are tolerated; the ids keep it as typed.
        exportMonth(Target, QStringLiteral(" 052"));
        QVERIFY(F::ReadAll(Target).contains(
            "<clok1_id>52</clok1_id>\r\n  <cgrupa1 id=\"803724 052\">"));
    }
};

QTEST_MAIN(tst_ClabDocument)
#include "tst_ClabDocument.moc"
