#include "BatchesFixture.h"
#include "FixtureTest.h"
#include "HeldFile.h"
#include "Press.h"

#include "batches/BatchStore.h"
#include "batches/BatchValidator.h"
#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "platform/db/Transaction.h"
#include "platform/db/dao.h"
#include "platform/ui/DataControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

using F = BatchesFixture;

namespace
{

const QString Wni = QStringLiteral("14650301");
const char *const OtherWorkstation = "--other-workstation";
const char *const OtherRemarks = "--other-remarks";

// The other workstation's correction of batch 5 to number 50, as its save
// writes it: the batch row and its children in one transaction.
int otherWorkstationRenumbers(const QString &monthFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        dao::Transaction transaction(db, dao::Transaction::Immediate);
        dao::Recordset batch =
            db.OpenRecordset(QStringLiteral("SELECT * FROM Partia WHERE Partia = 5"));
        batch.Edit();
        batch(QStringLiteral("Partia")) = 50;
        batch.Update();
        batch.Close();
        BatchStore::RenumberChildren(db, 5, 50);
        transaction.Commit();
        db.Close();
    } catch (const RuntimeError &error) {
        qWarning("%s", error.what());
        return 1;
    }
    return 0;
}

// The other workstation's correction of the remarks of batch 5.
int otherWorkstationWritesRemarks(const QString &monthFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        db.Execute(
            QStringLiteral("UPDATE Partia SET Uwagi = 'drugie stanowisko' WHERE Partia = 5"));
        db.Close();
    } catch (const RuntimeError &error) {
        qWarning("%s", error.what());
        return 1;
    }
    return 0;
}

int rows(const QString &sql)
{
    return F::Count(MonthDb, sql);
}

int childRows(int batch)
{
    int count = 0;
    for (const char *table : {"Badanie", "Nastawienie", "PozycjaN"})
        count += rows(QStringLiteral("SELECT * FROM %1 WHERE Partia = %2")
                          .arg(QLatin1String(table))
                          .arg(batch));
    return count;
}

} // namespace

// Two workstations work on the same batch: the one that saves or deletes
// second is told that the batch changed meanwhile, and nothing of its save or
// delete is written.
class tst_BatchLostUpdate : public FixtureTest<BatchesFixture>
{
    Q_OBJECT

private slots:
    void secondCorrectionIsRefused()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni, {{QStringLiteral("Uwagi"), QStringLiteral("przed poprawą")}});
        F::AddChildren(5, 3, 1, 1);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        PRESS(&form, "ComPopraw");
        QCOMPARE(form.TextNrPartii->text(), QStringLiteral("5"));

        // Meanwhile the other workstation saves batch 5 as batch 50.
        const int other = QProcess::execute(QCoreApplication::applicationFilePath(),
                                            {QLatin1String(OtherWorkstation), MonthDb.Name()});
        QCOMPARE(other, 0);
        QCOMPARE(childRows(50), 5);

        form.TextUwagi->setPlainText(QStringLiteral("uwagi drugiego stanowiska"));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
        QVERIFY2(ui.Last().text.startsWith(QStringLiteral("3197")), qPrintable(ui.Last().text));
        QVERIFY(ui.Last().text.contains(QStringLiteral("Inny użytkownik zmienił ten rekord")));

        QCOMPARE(rows(QStringLiteral("SELECT * FROM Partia")), 1);
        QCOMPARE(F::Column(MonthDb, QStringLiteral("SELECT * FROM Partia WHERE Partia = 50"),
                           QStringLiteral("Uwagi")),
                 QStringList{QStringLiteral("przed poprawą")});
        QCOMPARE(childRows(50), 5);
        QCOMPARE(childRows(5), 0);
        // The frame stays as the operator left it, so nothing typed is lost;
        // saving it once more is refused again, until the batch is read anew.
        QVERIFY(form.FramePartia->isVisible());
        QCOMPARE(form.TextUwagi->toPlainText(), QStringLiteral("uwagi drugiego stanowiska"));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(ui.Last().text.startsWith(QStringLiteral("3197")));
        QCOMPARE(rows(QStringLiteral("SELECT * FROM Partia WHERE Partia = 5")), 0);

        PRESS(&form, "ComAnulujFr");
        PRESS(&form, "ComPopraw");
        QCOMPARE(form.TextNrPartii->text(), QStringLiteral("50"));
        form.TextUwagi->setPlainText(QStringLiteral("uwagi drugiego stanowiska"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(form.FramePartia->isHidden());
        QCOMPARE(F::Column(MonthDb, QStringLiteral("SELECT * FROM Partia WHERE Partia = 50"),
                           QStringLiteral("Uwagi")),
                 QStringList{QStringLiteral("uwagi drugiego stanowiska")});
        QCOMPARE(childRows(50), 5);
    }

    void eachWriteWaitsOnceWhileTheFileIsHeld_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("answers");
        QTest::newRow("correction") << "ComPopraw"
                                    << "ComZapiszFr" << QStringList{};
        QTest::newRow("new batch") << "ComDodajPr"
                                   << "ComZapiszFr" << QStringList{};
        QTest::newRow("starting a new batch") << ""
                                              << "ComDodajPr" << QStringList{};
        QTest::newRow("batch deleted") << ""
                                       << "ComUsun" << QStringList{"Yes"};
    }

    // While another workstation holds the month file, every write of the
    // batch register waits for it once, the window drawn meanwhile included,
    // and is refused with one box; the frame keeps what was typed, and a save
    // goes through once the other workstation has let go.
    void eachWriteWaitsOnceWhileTheFileIsHeld()
    {
        QFETCH(QString, opening);
        QFETCH(QString, button);
        QFETCH(QStringList, answers);
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni, {{QStringLiteral("Uwagi"), QStringLiteral("przed poprawą")}});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        if (opening == QLatin1String("ComPopraw")) {
            PRESS(&form, "ComPopraw");
            RETYPE(&form, "TextUwagi", QStringLiteral("po poprawie"));
        } else if (opening == QLatin1String("ComDodajPr")) {
            PRESS(&form, "ComDodajPr");
            F::FillValidFrame(form, Wni);
            RETYPE(&form, "TextUwagi", QStringLiteral("po poprawie"));
        }
        const auto remarks = [] {
            return F::Column(MonthDb, QStringLiteral("SELECT * FROM Partia"),
                             QStringLiteral("Uwagi"));
        };
        const QString problem = other_workstation::PressWhileHeld(
            &form, qPrintable(button), MonthDb, other_workstation::Holder::Writing, ui, answers);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(form.DataPartia->RowCount(), 1);
        QCOMPARE(remarks(), QStringList{QStringLiteral("przed poprawą")});
        if (button != QLatin1String("ComZapiszFr"))
            return;
        QVERIFY(form.FramePartia->isVisible());
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY(form.FramePartia->isHidden());
        QVERIFY(remarks().contains(QStringLiteral("po poprawie")));
    }

    // The store alone: the frame shows a batch as its save wrote it, a
    // number another batch carries is refused, and a correction to a new
    // number takes the children along.
    void saveWritesWhatTheFrameShows()
    {
        BatchFrameValues v;
        v.batchNumber = QStringLiteral("7");
        v.trays = QStringLiteral("2");
        v.sampleCount = QStringLiteral("12");
        v.establishment = Wni;
        v.establishmentKind = QStringLiteral("W");
        v.countyCode = QStringLiteral("1465");
        v.samplingPlace = QStringLiteral("Wola");
        v.vet = QStringLiteral("Nowak");
        v.orderingParty = QStringLiteral("1465");
        v.countyOrders = true;
        v.orderingPartyPays = false;
        v.slaughterDate = QStringLiteral("03.03.2024");
        v.samplingDate = QStringLiteral("04.03.2024");
        v.samplingTime = QStringLiteral("08:15");
        v.deliveryDate = QStringLiteral("04.03.2024");
        v.deliveryTime = QStringLiteral("09:30");
        v.startDate = QStringLiteral("04.03.2024");
        v.startTime = QStringLiteral("10:00");
        v.endDate = QStringLiteral("05.03.2024");
        v.endTime = QStringLiteral("11:00");
        v.method = QStringLiteral("PN-EN ISO 18743");
        v.receivedBy = QStringLiteral("Kowalska");
        v.authorisedBy = QStringLiteral("Zieliński");
        v.resultDelivery = QStringLiteral("osobiście");
        v.fairCopy = true;
        v.remarks = QStringLiteral("linia1\r\nlinia2");
        v.deliveredBy = QStringLiteral("kierowca");
        dao::Recordset batches = BatchStore::OpenList(MonthDb);
        const auto saved = BatchStore::Save(batches, v, std::nullopt);
        batches.setBookmark(std::get<dao::Bookmark>(saved));
        QCOMPARE(BatchStore::Values(batches), v);
        const LoadedRow loaded = RememberRow(batches);

        QCOMPARE(std::get<Refusal>(BatchStore::Save(batches, v, std::nullopt)).text,
                 BatchValidator::DuplicateNumber(7).text);
        QCOMPARE(rows(QStringLiteral("SELECT * FROM Partia")), 1);

        F::AddChildren(7, 1, 1, 1);
        BatchFrameValues renumbered = v;
        renumbered.batchNumber = QStringLiteral("8");
        const auto corrected = BatchStore::Save(batches, renumbered, loaded);
        QCOMPARE(std::get<dao::Bookmark>(corrected), std::get<dao::Bookmark>(saved));
        QCOMPARE(rows(QStringLiteral("SELECT * FROM Partia WHERE Partia = 8")), 1);
        QCOMPARE(childRows(7), 0);
        QCOMPARE(childRows(8), 3);
        QVERIFY(!MonthDb.InTransaction());
    }

    // The children deleted before the refused row come back with it.
    void deleteOfAChangedBatchIsRefused()
    {
        F::AddClient(Wni, QStringLiteral("Ubojnia"));
        F::AddBatch(5, Wni);
        F::AddChildren(5, 3, 1, 1);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        // The list shows batch 5 when the other workstation corrects it.
        QCOMPARE(form.DataPartia->Recordset()(QStringLiteral("Partia")).Value().toInt(), 5);
        const int other = QProcess::execute(QCoreApplication::applicationFilePath(),
                                            {QLatin1String(OtherRemarks), MonthDb.Name()});
        QCOMPARE(other, 0);

        ui.Answer(QStringLiteral("Yes"));
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComUsun");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QStringLiteral("Powiadom programistę!"));
        QVERIFY2(ui.Last().text.startsWith(QStringLiteral("3197")), qPrintable(ui.Last().text));
        QCOMPARE(F::Column(MonthDb, QStringLiteral("SELECT * FROM Partia WHERE Partia = 5"),
                           QStringLiteral("Uwagi")),
                 QStringList{QStringLiteral("drugie stanowisko")});
        QCOMPARE(childRows(5), 5);
    }
};

int main(int argc, char **argv)
{
    if (int exitCode = 0; other_workstation::RanAsHolder(argc, argv, exitCode))
        return exitCode;
    if (argc == 3 && qstrcmp(argv[1], OtherWorkstation) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstationRenumbers(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 3 && qstrcmp(argv[1], OtherRemarks) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstationWritesRemarks(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_BatchLostUpdate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_BatchLostUpdate.moc"
