#include "ClabFixture.h"
#include "FixtureTest.h"

#include "foundation/Globals.h"
#include "platform/RuntimeError.h"
#include "platform/fs/Cp1250.h"
#include "reports/ClabJournal.h"
#include "reports/ClabPrecheck.h"
#include "reports/ClabSettings.h"
#include "reports/ClabStore.h"

#include <QFile>
#include <QtTest>

using F = ClabFixture;

namespace
{

ClabPrecheck::Counts check(const QString &choice)
{
    ClabStore store(MonthDb, StaleDb);
    return ClabPrecheck::Run(store, choice, QDate(2024, 3, 1), QDate(2024, 3, 31));
}

QByteArray ansi(const char *utf8)
{
    return fs::Cp1250::Encode(QString::fromUtf8(utf8));
}

} // namespace

// What the export checks and keeps beside the document: the results check
// with its two reports, the batch choice, the code settings and the journal.
class tst_ClabChecks : public FixtureTest<ClabFixture>
{
    Q_OBJECT

private slots:
    // Missing and doubtful results in batch and sample order, named by the
    // sample code or, without one, by its stored parts.
    void resultsCheckReports()
    {
        F::AddBatch(5);
        F::AddBatch(6, {{QStringLiteral("Czystopis"), QStringLiteral("N")}});
        F::AddBatch(4);
        const auto sample = [](int batch, const char *code, const QVariant &wynik) {
            F::AddSample(batch, {{QStringLiteral("IDProbki"), QString::fromUtf8(code)},
                                 {QStringLiteral("Wynik"), wynik}});
        };
        sample(5, "ŁÓDŹ0001001", QVariant());
        sample(5, "ŁÓDŹ0001002", QStringLiteral("wątpliwy"));
        sample(5, "ŁÓDŹ0001003", QStringLiteral("nie stwierdzono"));
        sample(6, "NIE0001", QString()); // not a fair copy
        sample(4, "X004", QStringLiteral("Nie stwierdzono"));
        sample(4, "X005", QStringLiteral("ujemny"));
        sample(4, "X006", QString());
        sample(4, "X007", QStringLiteral("stwierdzono"));
        F::AddSample(4, {{QStringLiteral("IDProbkiWNI"), QStringLiteral("14650301")},
                         {QStringLiteral("IDProbkiNr"), QStringLiteral("008")},
                         {QStringLiteral("IDProbkiData"), QStringLiteral("03032024")},
                         {QStringLiteral("Wynik"), QStringLiteral("odstąpienie")}});

        const ClabPrecheck::Counts counts = check(ClabStore::AllBatches);
        QCOMPARE(counts.batches, 2);
        QCOMPARE(counts.total, 8);
        QCOMPARE(counts.missing, 2);
        QCOMPARE(counts.doubtful, 4);
        QVERIFY(!counts.Passed());
        QCOMPARE(F::ReadAll(ClabPrecheck::MissingReport),
                 ansi("Partia: 5, Próbka nr: ŁÓDŹ0001001\r\nPartia: 4, Próbka nr: X006\r\n"));
        QCOMPARE(F::ReadAll(ClabPrecheck::DoubtfulReport),
                 ansi("Partia: 5, Próbka nr: ŁÓDŹ0001002, Wynik: wątpliwy\r\n"
                      "Partia: 4, Próbka nr: X004, Wynik: Nie stwierdzono\r\n"
                      "Partia: 4, Próbka nr: X005, Wynik: ujemny\r\n"
                      "Partia: 4, Próbka nr: 1465030100803032024, Wynik: odstąpienie\r\n"));

        // A batch chosen by number must still be a fair copy; its reports
        // are made anew.
        const ClabPrecheck::Counts none = check(QStringLiteral("6"));
        QCOMPARE(none.batches, 0);
        QVERIFY(!none.Passed());
        QCOMPARE(F::ReadAll(ClabPrecheck::MissingReport), QByteArray());
        QCOMPARE(F::ReadAll(ClabPrecheck::DoubtfulReport), QByteArray());
    }

    // Only the samples that may be refused are read for the check: results
    // are still compared letter for letter, and every sample of the choice
    // is counted as the export counts it, a batch number held twice twice.
    void resultsComparedExactly()
    {
        F::AddBatch(7);
        F::AddBatch(8);
        F::AddBatch(7);
        F::AddBatch(9);
        const auto sample = [](int batch, const char *code, const QVariant &wynik) {
            F::AddSample(batch, {{QStringLiteral("IDProbki"), QString::fromUtf8(code)},
                                 {QStringLiteral("Wynik"), wynik}});
        };
        sample(7, "A1", QStringLiteral("nie stwierdzono"));
        sample(7, "A2", QStringLiteral("STWIERDZONO"));
        sample(7, "A3", QStringLiteral("stwierdzono "));
        sample(8, "B1", QStringLiteral("stwierdzono"));
        sample(8, "B2", QStringLiteral(""));
        sample(9, "C1", QStringLiteral("nie stwierdzono"));
        sample(9, "C2", QStringLiteral("stwierdzono"));

        const ClabPrecheck::Counts counts = check(ClabStore::AllBatches);
        QCOMPARE(counts.batches, 4);
        QCOMPARE(counts.total, 10);
        QCOMPARE(counts.missing, 1);
        QCOMPARE(counts.doubtful, 4);
        QCOMPARE(F::ReadAll(ClabPrecheck::MissingReport), ansi("Partia: 8, Próbka nr: B2\r\n"));
        QCOMPARE(F::ReadAll(ClabPrecheck::DoubtfulReport),
                 ansi("Partia: 7, Próbka nr: A2, Wynik: STWIERDZONO\r\n"
                      "Partia: 7, Próbka nr: A3, Wynik: stwierdzono \r\n"
                      "Partia: 7, Próbka nr: A2, Wynik: STWIERDZONO\r\n"
                      "Partia: 7, Próbka nr: A3, Wynik: stwierdzono \r\n"));
        ClabStore store(MonthDb, StaleDb);
        store.Open(ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QCOMPARE(store.SampleCount(), counts.total);

        const ClabPrecheck::Counts passed = check(QStringLiteral("9"));
        QVERIFY(passed.Passed());
        QCOMPARE(passed.total, 2);
        QCOMPARE(F::ReadAll(ClabPrecheck::DoubtfulReport), QByteArray());
    }

    // The period counts the end of the test; a batch without it goes only
    // by its number. A batch without samples passes.
    void batchChoice()
    {
        F::AddBatch(1, {{QStringLiteral("DataZakBad"), QDate(2024, 2, 29)}});
        F::AddBatch(2, {{QStringLiteral("DataZakBad"), QDate(2024, 3, 1)}});
        F::AddBatch(3, {{QStringLiteral("DataZakBad"), QVariant()}});
        F::AddBatch(12, {{QStringLiteral("DataZakBad"), QDate(2024, 3, 31)},
                         {QStringLiteral("Czystopis"), QStringLiteral("t")}});
        ClabStore store(MonthDb, StaleDb);
        store.Open(ClabStore::AllBatches, QDate(2024, 3, 1), QDate(2024, 3, 31));
        QCOMPARE(store.BatchCount(), 2);
        QCOMPARE(store.Batch(0).partia, QStringLiteral("2"));
        QCOMPARE(store.Batch(1).partia, QStringLiteral("12"));
        store.Open(QStringLiteral(" 3 "), {}, {});
        QCOMPARE(store.BatchCount(), 1);
        QVERIFY(check(QStringLiteral("3")).Passed());
        for (const QString &typed : {QStringLiteral("3a"), QStringLiteral("3 OR 1=1"), QString()}) {
            try {
                store.Open(typed, {}, {});
                QFAIL(qPrintable(typed));
            } catch (const RuntimeError &error) {
                QCOMPARE(error.Number(), 3075);
            }
        }
    }

    // The first load shows the defaults and a save stores all eight boxes;
    // an empty service-test code comes back as its default.
    void codeSettings()
    {
        const QString key = QStringLiteral("MervaskLab");
        QCOMPARE(ClabSettings::Load(StaleDb, key), ClabSettings::Defaults());
        ClabCodeSet codes = ClabSettings::Defaults();
        codes.typBad1 = QStringLiteral("1");
        codes.opisTypBad1 = QStringLiteral("urzędowe");
        codes.typBad2 = QStringLiteral("2");
        codes.opisTypBad2 = QStringLiteral("usługowe");
        codes.cmetoda1 = QStringLiteral("3");
        codes.opisCMetoda1 = QString();
        codes.ckierunek1 = QStringLiteral("4");
        codes.opisCKierunek1 = QStringLiteral("kierunek");
        const LoadedRow read = ClabSettings::Save(StaleDb, key, std::nullopt, codes);
        QCOMPARE(ClabSettings::Load(StaleDb, key), codes);
        codes.typBad2.clear();
        codes.opisTypBad2.clear();
        ClabSettings::Save(StaleDb, key, read, codes);
        QCOMPARE(F::RowCount(StaleDb, QStringLiteral("CLab")), 1);
        const ClabCodeSet loaded = ClabSettings::Load(StaleDb, key);
        QCOMPARE(loaded.typBad2, QStringLiteral("63001"));
        QCOMPARE(loaded.opisTypBad2, QStringLiteral("Badanie usługowe"));
        QCOMPARE(loaded.typBad1, QStringLiteral("1"));
    }

    void journal()
    {
        QCOMPARE(ClabJournal::Read(), QString());
        const QString first = ClabJournal::Line(
            QDate(2024, 3, 15),
            QStringLiteral("C:\\MervaskLab\\Eksport\\20240315\\MervaskLab_ZlecenieNr7"),
            QStringLiteral("Wąsik"));
        QCOMPARE(first, QStringLiteral("15.03.2024      C:\\MervaskLab\\Eksport\\20240315\\"
                                       "MervaskLab_ZlecenieNr7      Wąsik"));
        ClabJournal::Append(first);
        ClabJournal::Append(QStringLiteral("second"));
        QCOMPARE(F::ReadAll(ClabJournal::Path), ansi("15.03.2024      C:\\MervaskLab\\Eksport\\"
                                                     "20240315\\MervaskLab_ZlecenieNr7      "
                                                     "Wąsik\r\nsecond\r\n"));
        QCOMPARE(ClabJournal::Read(), first + QStringLiteral("\r\nsecond\r\n"));
    }
};

QTEST_MAIN(tst_ClabChecks)
#include "tst_ClabChecks.moc"
