#include "FixtureTest.h"
#include "Press.h"
#include "SamplesFixture.h"

#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "samples/FormBadanie.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleStore.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>

#include <iostream>

using F = SamplesFixture;

namespace
{

const char *const OtherWorkstation = "--other-workstation";
const char *const HoldingWorkstation = "--holding-workstation";

// The other workstation in the middle of writing the month file: it holds
// the file, so that nobody else reads or writes it, until told to let go.
int otherWorkstationHoldsTheMonthFile(const QString &monthFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        db.Execute(QStringLiteral("BEGIN EXCLUSIVE"));
        std::cout << "ready" << std::endl;
        std::string line;
        std::getline(std::cin, line);
        db.Execute(QStringLiteral("ROLLBACK"));
        db.Close();
    } catch (const RuntimeError &error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
    return 0;
}

// The other workstation deletes the month's last sample (carcass 8 of batch
// 12) from its list, then adds a sample to batch 11, as "&Dodaj" and
// "&Zapisz" write it.
int otherWorkstationReplacesTheLastSample(const QString &monthFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        dao::Recordset batch12 = db.OpenRecordset(SampleStore::BatchSource(12));
        batch12.MoveLast();
        if (batch12(QStringLiteral("NrProbki")).Value().toInt() != 8)
            return 1;
        batch12.Delete();
        batch12.Close();

        dao::Recordset batch11 = db.OpenRecordset(SampleStore::BatchSource(11));
        SampleFrameValues v;
        v.carcass = QStringLiteral("2");
        v.tray = QStringLiteral("3");
        v.codeWni = F::Wni;
        v.codeNumber = QStringLiteral("002");
        v.codeDate = QStringLiteral("04032024");
        v.tissue = QStringLiteral("filary przepony");
        v.species = QStringLiteral("Świnie");
        v.sex = QStringLiteral("Tucznik");
        v.daily = SampleNumbering::ProposalText(
            SampleNumbering::NextDaily(db, dao::ParseDateText(F::DeliveryDate)));
        v.general = SampleNumbering::ProposalText(SampleNumbering::NextGeneral(db));
        const auto saved = SampleStore::Save(batch11, v, {}, {11, F::Day});
        if (const auto *fault = std::get_if<Refusal>(&saved)) {
            std::cerr << fault->text.toStdString() << std::endl;
            return 1;
        }
        db.Close();
    } catch (const RuntimeError &error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
    return 0;
}

} // namespace

// Two workstations on one month database: a sample deleted from a list that
// another workstation changed meanwhile, or while it holds the file.
class tst_SampleDeleteProcesses : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

protected:
    void Prepare() override
    {
        F::AddBatch(11);
        F::AddBatch(12);
        F::AddSample(11, 1, 1, 1);
        F::AddSample(12, 7, 2, 2);
        F::AddSample(12, 8, 3, 3); // the month's last sample
    }

private slots:
    // The other workstation deletes the month's last sample and adds one:
    // the new sample never takes the deleted sample's row, and deleting the
    // old one from a list that still shows it deletes nothing.
    void deletingAReplacedSampleKeepsTheNewOne()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            const QAbstractItemModel *grid = form.DBGridBad->model();
            QCOMPARE(grid->rowCount(), 2);
            QCOMPARE(grid->index(1, 0).data().toString(), QStringLiteral("8"));
            const dao::Bookmark shown = form.DataBad->Recordset().BookmarkAt(1);

            const int other =
                QProcess::execute(QCoreApplication::applicationFilePath(),
                                  {QLatin1String(OtherWorkstation), F::Real(MonthDb.Name())});
            QCOMPARE(other, 0);
            dao::Recordset added = MonthDb.OpenRecordset(
                QStringLiteral("SELECT * FROM Badanie WHERE Partia = 11 AND NrProbki = 2"));
            QVERIFY(added.RecordCount() == 1 && !(added.Bookmark() == shown));
            added.Close();

            SELECT_ROW(&form, "DBGridBad", 1);
            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComUsun");
            SCRIPTED_UI_VERIFY(ui);
            const qsizetype boxes = ui.Log().size();
            QVERIFY(boxes >= 2);
            QCOMPARE(ui.Log().at(boxes - 2).text, QStringLiteral("Czy na pewno usunąć próbkę?"));
            QCOMPARE(ui.Log().at(boxes - 2).answer, QStringLiteral("Yes"));
            QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
            QCOMPARE(ui.Last().text, QStringLiteral("3167Rekord jest usunięty."));
            // The list is read again: carcass 8 is gone from it.
            QCOMPARE(form.DataBad->RowCount(), 1);
            QCOMPARE(grid->index(0, 0).data().toString(), QStringLiteral("7"));
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie ORDER BY Partia, NrProbki"),
                          QStringLiteral("NrProbki")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("7")}));
    }

    // While the other workstation holds the month file, a delete waits for
    // it once and is refused with one box; the list, which the refusal left
    // as it was, is not read again, which would wait for the lock once more.
    void deleteRefusedWhileTheFileIsHeld()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            SELECT_ROW(&form, "DBGridBad", 1);
            QProcess other;
            other.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            other.start(QCoreApplication::applicationFilePath(),
                        {QLatin1String(HoldingWorkstation), F::Real(MonthDb.Name())});
            QVERIFY(other.waitForReadyRead(60000));
            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComUsun");
            QCOMPARE(ui.Log().size(), 3);
            QCOMPARE(ui.Last().text,
                     QStringLiteral("3218Nie można zaktualizować; obecnie zablokowane."));
            QCOMPARE(form.DataBad->RowCount(), 2);
            other.write("\n");
            other.closeWriteChannel();
            QVERIFY(other.waitForFinished(60000));
            QCOMPARE(other.exitCode(), 0);
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 3);
    }

    // Read and unchanged, the sample is deleted.
    void deletingAnUnchangedSample()
    {
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            SELECT_ROW(&form, "DBGridBad", 1);
            QCOMPARE(form.DBGridBad->model()->index(1, 0).data().toString(), QStringLiteral("8"));
            ui.Answer(QStringLiteral("Yes"));
            PRESS(&form, "ComUsun");
            QCOMPARE(form.DataBad->RowCount(), 1);
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie ORDER BY Partia, NrProbki"),
                          QStringLiteral("NrProbki")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("7")}));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], OtherWorkstation) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstationReplacesTheLastSample(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && qstrcmp(argv[1], HoldingWorkstation) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstationHoldsTheMonthFile(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_SampleDeleteProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SampleDeleteProcesses.moc"
