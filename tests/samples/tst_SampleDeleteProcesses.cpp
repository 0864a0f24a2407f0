#include "FixtureTest.h"
#include "OtherWorkstation.h"
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
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <iostream>

using F = SamplesFixture;

namespace
{

const char *const OtherWorkstation = "--other-workstation";
const QString Locked = QStringLiteral("3218Nie można zaktualizować; obecnie zablokowane.");
const QString All = QStringLiteral("SELECT * FROM Badanie ORDER BY Partia, NrProbki");

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
// another workstation changed meanwhile, or while it holds the file; and every
// write of the sample window while the other workstation holds the file.
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
            other_workstation::Holder other(MonthDb);
            QVERIFY(other.Ready());
            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("OK"));
            const quint64 waits = dao::DBEngine::LockWaits();
            PRESS(&form, "ComUsun");
            QCOMPARE(dao::DBEngine::LockWaits() - waits, 1u);
            QCOMPARE(ui.Log().size(), 3);
            QCOMPARE(ui.Last().text, Locked);
            QCOMPARE(form.DataBad->RowCount(), 2);
            QVERIFY(other.LetGo());
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 3);
    }

    void eachWriteWaitsOnceWhileTheFileIsHeld_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<other_workstation::Holder::How>("hold");
        QTest::addColumn<QStringList>("answers");
        const auto writing = other_workstation::Holder::Writing;
        const auto reading = other_workstation::Holder::Reading;
        QTest::newRow("correction") << "correction" << writing << QStringList{};
        QTest::newRow("new sample") << "new" << writing << QStringList{};
        QTest::newRow("next new sample") << "next" << writing << QStringList{};
        QTest::newRow("starting a new sample") << "start" << writing << QStringList{};
        QTest::newRow("fill") << "fill" << writing << QStringList{"Yes"};
        QTest::newRow("new sample, file being read") << "new" << reading << QStringList{};
        QTest::newRow("correction, file being read") << "correction" << reading << QStringList{};
    }

    // While the other workstation holds the month file, a write of the sample
    // window waits for it once, however many statements, transactions and
    // lists it goes through (drawing the window included), and is refused
    // with one box; nothing is written and the list still shows what it
    // showed.
    void eachWriteWaitsOnceWhileTheFileIsHeld()
    {
        QFETCH(QString, write);
        QFETCH(other_workstation::Holder::How, hold);
        QFETCH(QStringList, answers);
        const auto stored = [] {
            QStringList values;
            for (const char *field : {"NrProbki", "Opis", "Wynik"})
                values += F::Texts(All, QLatin1String(field));
            return values;
        };
        const QStringList before = stored();
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            SELECT_ROW(&form, "DBGridBad", 1);
            if (write == QLatin1String("new") || write == QLatin1String("next")) {
                PRESS(&form, "ComDodajPr");
                RETYPE(&form, "TextNrTacy", QStringLiteral("3"));
                RETYPE(&form, "ComboPlec", QStringLiteral("Knur"));
                RETYPE(&form, "ComboTkanka", QStringLiteral("inne"));
                if (write == QLatin1String("next"))
                    PRESS(&form, "CheckNast");
            } else if (write != QLatin1String("start")) {
                PRESS(&form, "ComPopraw");
                if (write == QLatin1String("correction"))
                    RETYPE(&form, "ComboOpis", QStringLiteral("poprawiona"));
            }
            const qsizetype boxes = ui.Log().size();
            other_workstation::Holder other(MonthDb, hold);
            QVERIFY(other.Ready());
            for (const QString &answer : answers)
                ui.Answer(answer);
            ui.Answer(QStringLiteral("OK"));
            const quint64 waits = dao::DBEngine::LockWaits();
            QElapsedTimer toTheBox;
            toTheBox.start();
            const char *const button = write == QLatin1String("fill")    ? "ComWstUjemny"
                                       : write == QLatin1String("start") ? "ComDodajPr"
                                                                         : "ComZapiszFr";
            PRESS(&form, button);
            // The window is drawn while the box is up, the file still held.
            form.grab();
            press::Settle();
            qInfo("%s: the box and the window drawn after %lld ms", QTest::currentDataTag(),
                  toTheBox.elapsed());
            QCOMPARE(dao::DBEngine::LockWaits() - waits, 1u);
            QCOMPARE(ui.Log().size(), boxes + answers.size() + 1);
            QCOMPARE(ui.Last().text, Locked);
            QCOMPARE(form.DataBad->RowCount(), 2);
            QVERIFY(other.LetGo());
            // What the lock kept unread is drawn once the file is free.
            QTRY_COMPARE(form.DBGridBad->model()->index(1, 0).data().toString(),
                         QStringLiteral("8"));
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(stored(), before);
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
    if (int exitCode = 0; other_workstation::RanAsHolder(argc, argv, exitCode))
        return exitCode;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_SampleDeleteProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SampleDeleteProcesses.moc"
