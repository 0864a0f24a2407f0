#include "ClabFixture.h"
#include "FixtureTest.h"

#include "foundation/Globals.h"
#include "platform/RuntimeError.h"
#include "platform/fs/Cp1250.h"
#include "platform/shell/ShellRecorder.h"
#include "reports/ClabExport.h"
#include "reports/ClabJournal.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using F = ClabFixture;

namespace
{

const QString DayFolder = QStringLiteral("C:\\MervaskLab\\Eksport\\20240305");
const QString Chosen = DayFolder + QStringLiteral("\\eksport marca");
const QDate March1(2024, 3, 1);

ClabDocumentSettings settings()
{
    return {QStringLiteral("052"), F::Day, QStringLiteral("R01"), ClabSettings::Defaults(),
            QStringLiteral("https://clab.invalid")};
}

QStringList dayFolderFiles()
{
    QStringList files = QDir(F::Real(DayFolder)).entryList(QDir::Files | QDir::Hidden);
    files.sort();
    return files;
}

} // namespace

// The export procedure without its window: the refusals and the proposed
// name, the document with its journal line and archive, and failures that
// leave neither a half-written document nor a journal line behind.
class tst_ClabExport : public FixtureTest<ClabFixture>
{
    Q_OBJECT

    // An official batch of two samples ended on the working day, and a
    // service batch ended the day before whose one sample has no result and
    // a tissue without a code.
    void Prepare() override
    {
        F::AddOfficialBatch(QStringLiteral("Świt"));
        F::AddBatch(8, {{QStringLiteral("Platnik"), QStringLiteral("P")},
                        {QStringLiteral("DataZakBad"), F::Day.addDays(-1)}});
        F::AddSample(8, {{QStringLiteral("NrOgolny"), 125},
                         {QStringLiteral("NazTkanka"), QStringLiteral("ogon")},
                         {QStringLiteral("Gatunek"), QStringLiteral("świnie")},
                         {QStringLiteral("Plec"), QStringLiteral("tucznik")}});
    }

private slots:
    // Nothing is made before a choice is known to go out; then the day's
    // folder holds the proposed name.
    void refusalsAndProposedName()
    {
        ClabStore store(MonthDb, StaleDb);
        const auto refusal = [&](const ClabDocumentSettings &s, const QString &choice) {
            const auto prepared = ClabExport(store, s).Prepare(choice, March1, F::Day);
            return std::holds_alternative<Refusal>(prepared) ? std::get<Refusal>(prepared)
                                                             : Refusal{};
        };
        const Refusal none = refusal(settings(), QStringLiteral("9"));
        QCOMPARE(none.text + u'|' + none.title, QStringLiteral("Brak danych!|EKSPORT do CLab"));
        QCOMPARE(none.style, 64);
        ClabDocumentSettings noService = settings();
        noService.codes.typBad2 = QStringLiteral("  ");
        const Refusal code = refusal(noService, ClabStore::AllBatches);
        QVERIFY(code.text.startsWith(
            QStringLiteral("Brak kodu CLab w polu: Typ badania (badania usługowe)!\r")));
        QCOMPARE(code.focus, QStringLiteral("TextTypBad2MervaskLab"));
        QVERIFY(!QFile::exists(F::Real(DayFolder)));

        // The official batch alone needs no service code.
        const auto one = ClabExport(store, noService).Prepare(QStringLiteral("7"), March1, F::Day);
        QCOMPARE(std::get<ClabExport::Proposal>(one).path,
                 DayFolder + QStringLiteral("\\MervaskLab_ZlecenieNr7"));
        QVERIFY(QDir(F::Real(DayFolder)).isEmpty());
        const auto all =
            ClabExport(store, settings()).Prepare(ClabStore::AllBatches, March1, F::Day);
        QCOMPARE(std::get<ClabExport::Proposal>(all).path,
                 DayFolder + QStringLiteral("\\MervaskLab_Od20240301Do20240305"));
        QCOMPARE(std::get<ClabExport::Proposal>(all).batches, 2);
    }

    // The document, its progress, the journal line and the archive beside
    // it; a missing packer only skips packing.
    void writesJournalAndPacks()
    {
        ClabStore store(MonthDb, StaleDb);
        ClabExport exporter(store, settings());
        QVERIFY(std::holds_alternative<ClabExport::Proposal>(
            exporter.Prepare(ClabStore::AllBatches, March1, F::Day)));
        shell::ShellRecorder shell;
        QStringList boundaries;
        int lastSample = 0;
        const auto progress = [&](int batch, const QString &partia, int samples, bool boundary) {
            if (boundary)
                boundaries << QStringLiteral("%1:%2:%3").arg(batch).arg(partia).arg(samples);
            else
                lastSample = samples;
        };
        QStringList warnings;
        const auto warn = [&](const QString &text) { warnings << text; };
        const ClabExport::Written written = exporter.Write(Chosen, F::Operator, progress, warn);
        QCOMPARE(warnings.size(), 1);
        QVERIFY(warnings[0].startsWith(QStringLiteral("Proba wysłania do CBD tkanki: ogon")));
        QCOMPARE(written.samples, 3);
        QCOMPARE(written.emptyResults, 1);
        QCOMPARE(boundaries, QStringList({"1:7:0", "2:8:2", "2:8:3"}));
        QCOMPARE(lastSample, 3);
        QVERIFY(F::ReadAll(Chosen).endsWith("</celab>\r\n"));
        const QString line = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) +
                             QStringLiteral("      ") + Chosen + QStringLiteral("      Wąsik\r\n");
        QCOMPARE(F::ReadAll(ClabJournal::Path), fs::Cp1250::Encode(line));
        QCOMPARE(shell.Calls().size(), 1);
        QCOMPARE(shell.Calls()[0].program, ClabExport::Packer);
        QCOMPARE(shell.Calls()[0].arguments,
                 QStringList({"a", "eksport marca.zip", "eksport marca"}));
        QCOMPARE(shell.Calls()[0].workingFolder, F::Real(DayFolder));

        QVERIFY(QFile::remove(F::Real(ClabExport::Packer)));
        exporter.Write(Chosen, F::Operator, progress, warn);
        QCOMPARE(shell.Calls().size(), 1);
        QCOMPARE(ClabJournal::Read().count(u'\n'), 2);
    }

    // A run that fails while writing or while putting the document in
    // place keeps an earlier file of that name, leaves no work file, and
    // writes no journal line and no archive.
    void failureLeavesNoHalfWrittenExport()
    {
        ClabStore store(MonthDb, StaleDb);
        ClabExport exporter(store, settings());
        QVERIFY(std::holds_alternative<ClabExport::Proposal>(
            exporter.Prepare(ClabStore::AllBatches, March1, F::Day)));
        QFile earlier(F::Real(Chosen));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier export");
        earlier.close();
        QVERIFY(QDir().mkpath(F::Real(DayFolder + QStringLiteral("\\folder\\inside"))));
        shell::ShellRecorder shell;
        const ClabExport::Progress quiet = [](int, const QString &, int, bool) {};
        const ClabExport::Progress failsAtSecondBatch = [](int batch, const QString &, int, bool) {
            if (batch == 2)
                throw RuntimeError(3021, QStringLiteral("Brak bieżącego rekordu."));
        };
        struct Failure {
            QString chosen;
            ClabExport::Progress progress;
            int number;
        };
        for (const Failure &failure :
             {Failure{Chosen, failsAtSecondBatch, 3021},
              Failure{DayFolder + QStringLiteral("\\folder"), quiet, 75}}) {
            try {
                exporter.Write(failure.chosen, F::Operator, failure.progress,
                               [](const QString &) {});
                QFAIL("no error");
            } catch (const RuntimeError &error) {
                QCOMPARE(error.Number(), failure.number);
            }
            QCOMPARE(F::ReadAll(Chosen), QByteArray("earlier export"));
            QCOMPARE(dayFolderFiles(), QStringList{"eksport marca"});
            QVERIFY(!QFile::exists(F::Real(ClabJournal::Path)));
            QVERIFY(shell.Calls().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(tst_ClabExport)
#include "tst_ClabExport.moc"
