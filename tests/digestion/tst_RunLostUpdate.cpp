#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "HeldFile.h"
#include "Press.h"
#include "RunWindow.h"

#include "digestion/FormNastawienie.h"
#include "digestion/FormPodpAll.h"
#include "digestion/RunStore.h"
#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

using F = DigestionFixture;

namespace
{

const char *const OtherRun = "--other-workstation-run";
const char *const OtherTray = "--other-workstation-tray";
const char *const OtherStatements = "--other-workstation-statements";
const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

// The other workstation's correction, saved as its run window saves it: run 1
// of batch 5 becomes run 4 with its remark, or tray 1 of that run tray 6.
int otherWorkstationCorrects(const char *what, const QString &monthFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        const bool run = qstrcmp(what, OtherRun) == 0;
        dao::Recordset rs = run ? RunStore::OpenRuns(db, 5) : RunStore::OpenTrays(db, 5, 1);
        const LoadedRow loaded = RememberRow(rs);
        RunFrameValues values;
        FrameTexts texts;
        if (run) {
            values = RunStore::RunValues(rs);
            values.number = QStringLiteral("4");
            values.remarks = QStringLiteral("A-zmiana");
        } else {
            texts = RunStore::Texts(rs, RunStore::TrayFields());
            texts[QStringLiteral("NrTacy")] = QStringLiteral("6");
        }
        rs.Close();
        const auto saved = run ? RunStore::SaveRun(db, 5, values, loaded)
                               : RunStore::SaveTray(db, 5, 1, texts, loaded);
        db.Close();
        return std::holds_alternative<dao::Bookmark>(saved) ? 0 : 2;
    } catch (const RuntimeError &error) {
        qWarning("%s", error.what());
        return 1;
    }
}

int otherWorkstation(const char *what)
{
    return QProcess::execute(QCoreApplication::applicationFilePath(),
                             {QLatin1String(what), MonthDb.Name()});
}

// The other workstation's changes as it commits them, one statement at a time.
int otherWorkstationCommits(const QString &monthFile, const QStringList &statements)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        for (const QString &statement : statements)
            db.Execute(statement);
        db.Close();
        return 0;
    } catch (const RuntimeError &error) {
        qWarning("%s", error.what());
        return 1;
    }
}

int otherWorkstation(const QStringList &statements, dao::Database db = MonthDb)
{
    return QProcess::execute(QCoreApplication::applicationFilePath(),
                             QStringList{QLatin1String(OtherStatements), db.Name()} + statements);
}

// A list's rows as "first:second" field texts.
QStringList pairs(ui::DataControl *list, const char *first, const char *second)
{
    const QStringList firsts = Listed(list, first);
    const QStringList seconds = Listed(list, second);
    QStringList pairs;
    for (qsizetype row = 0; row < firsts.size(); ++row)
        pairs.append(firsts.at(row) + u':' + seconds.at(row));
    return pairs;
}

// A delete refused because the row changed (3197) or is gone (3167) since
// the list showed it, told as every window tells it.
void verifyRefused(const ui::ScriptedUi &scripted, const QStringList &numbers)
{
    QCOMPARE(scripted.Last().title, ErrorCaption);
    const QString number = scripted.Last().text.left(4);
    QVERIFY2(numbers.contains(number), qPrintable(scripted.Last().text));
    QCOMPARE(scripted.Last().text,
             number + (number == QLatin1String("3167")
                           ? QStringLiteral("Rekord jest usunięty.")
                           : QStringLiteral("Inny użytkownik zmienił ten rekord, od kiedy został "
                                            "odczytany. Odśwież dane i spróbuj ponownie.")));
}

QString runField(int run, const char *field)
{
    return F::Column(MonthDb,
                     QStringLiteral("SELECT * FROM Nastawienie WHERE Partia = 5 And Nastawienie = "
                                    "%1")
                         .arg(run),
                     QLatin1String(field))
        .join(u'|');
}

void verifyChangedMeanwhile(const ui::ScriptedUi &scripted)
{
    QCOMPARE(scripted.Last().title, ErrorCaption);
    QVERIFY2(scripted.Last().text.startsWith(QStringLiteral("3197")),
             qPrintable(scripted.Last().text));
    QVERIFY(scripted.Last().text.contains(QStringLiteral("Inny użytkownik zmienił ten rekord")));
}

} // namespace

// Two workstations work on the same run, tray or equipment list: a correction
// or a delete of a row that the other workstation changed or deleted since it
// was shown is refused, and nothing of it is written; while the other holds
// the file, a write waits for it once.
class tst_RunLostUpdate : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

private slots:
    void runCorrectedMeanwhile()
    {
        F::AddBatch(5);
        F::AddRun(5, 1, {{"Uwagi", "przed poprawą"}});
        F::AddTray(5, 1, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 5, [&](FormNastawienie &w) {
            PRESS(&w, "ComPopraw");
            QCOMPARE(w.TextNastawienie->text(), QStringLiteral("1"));
            QCOMPARE(otherWorkstation(OtherRun), 0);
            QCOMPARE(runField(4, "Uwagi"), QStringLiteral("A-zmiana"));

            w.TextUwagi->moveCursor(QTextCursor::End);
            TYPE(&w, "TextUwagi", QStringLiteral(" B-zmiana"));
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFr");
            verifyChangedMeanwhile(scripted);
            QVERIFY(w.FramePartia->isVisible() && !ListsEnabled(w));
            QCOMPARE(w.TextUwagi->toPlainText(), QStringLiteral("przed poprawą B-zmiana"));
            QCOMPARE(runField(4, "Uwagi"), QStringLiteral("A-zmiana"));
            QCOMPARE(F::RowCount(MonthDb, "SELECT * FROM Nastawienie WHERE Nastawienie = 1"), 0);
            QCOMPARE(F::Trays(5, 4), QStringList{"1:10"});

            // Saving the same frame again is refused again; a correction
            // loaded anew starts from what the other workstation saved.
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFr");
            verifyChangedMeanwhile(scripted);
            PRESS(&w, "ComAnulujFr");
            QCOMPARE(Listed(w.DataPartia, "Nastawienie"), QStringList{"4"});
            PRESS(&w, "ComPopraw");
            QCOMPARE(w.TextNastawienie->text(), QStringLiteral("4"));
            QCOMPARE(w.TextUwagi->toPlainText(), QStringLiteral("A-zmiana"));
            w.TextUwagi->moveCursor(QTextCursor::End);
            TYPE(&w, "TextUwagi", QStringLiteral(", B-zmiana"));
            PRESS(&w, "ComZapiszFr");
            QVERIFY(w.FramePartia->isHidden() && ListsEnabled(w));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(runField(4, "Uwagi"), QStringLiteral("A-zmiana, B-zmiana"));
        QCOMPARE(F::Trays(5, 4), QStringList{"1:10"});
        QCOMPARE(F::RowCount(MonthDb, "Nastawienie"), 1);
    }

    void trayCorrectedMeanwhile()
    {
        F::AddBatch(5);
        F::AddRun(5, 1);
        F::AddTray(5, 1, 1);
        F::AddTray(5, 1, 2);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 5, [&](FormNastawienie &w) {
            PRESS(&w, "ComPoprawG");
            QCOMPARE(w.TextNrTacy->text(), QStringLiteral("1"));
            QCOMPARE(otherWorkstation(OtherTray), 0);
            QCOMPARE(F::Trays(5, 1), QStringList({"2:20", "6:10"}));

            TYPE(&w, "TextNrTusz", QStringLiteral("-15"));
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFrNaPIW");
            verifyChangedMeanwhile(scripted);
            QVERIFY(w.FramePartiaG->isVisible() && !ListsEnabled(w));
            QCOMPARE(w.TextNrTusz->text(), QStringLiteral("10-15"));
            QCOMPARE(F::Trays(5, 1), QStringList({"2:20", "6:10"}));

            PRESS(&w, "ComAnulujFrNaPIW");
            QCOMPARE(Listed(w.DataPartiaG, "NrTacy"), QStringList({"2", "6"}));
            QCOMPARE(CurrentTray(w), 6);
            PRESS(&w, "ComPoprawG");
            QCOMPARE(w.TextNrTacy->text(), QStringLiteral("6"));
            TYPE(&w, "TextNrTusz", QStringLiteral("-15"));
            PRESS(&w, "ComZapiszFrNaPIW");
            QVERIFY(w.FramePartiaG->isHidden() && ListsEnabled(w));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Trays(5, 1), QStringList({"2:20", "6:10-15"}));
    }

    void trayDeletedMeanwhile_data()
    {
        QTest::addColumn<int>("tray");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("refusal");
        QTest::addColumn<QStringList>("traysLeft");
        QTest::newRow("corrected")
            << 3 << QStringList{"UPDATE PozycjaN SET NrTusz = '30-35' WHERE NrTacy = 3"}
            << QStringList{"3197"} << QStringList({"1:10", "2:20", "3:30-35"});
        QTest::newRow("deleted, another tray added")
            << 2
            << QStringList{"DELETE FROM PozycjaN WHERE NrTacy = 2",
                           "INSERT INTO PozycjaN (Partia, Nastawienie, NrTacy, NrTusz, IlProbek) "
                           "VALUES (5, 1, 7, '70', 1)"}
            << QStringList{"3167"} << QStringList({"1:10", "3:30", "7:70"});
        // The new tray never takes the deleted one's place in the file.
        QTest::newRow("newest deleted, another tray added")
            << 3
            << QStringList{"DELETE FROM PozycjaN WHERE NrTacy = 3",
                           "INSERT INTO PozycjaN (Partia, Nastawienie, NrTacy, NrTusz, IlProbek) "
                           "VALUES (5, 1, 7, '70', 1)"}
            << QStringList{"3167"} << QStringList({"1:10", "2:20", "7:70"});
    }

    // A tray is deleted only as the list showed it: one that another
    // workstation corrected or deleted meanwhile is refused, and what that
    // workstation saved stays.
    void trayDeletedMeanwhile()
    {
        QFETCH(int, tray);
        QFETCH(QStringList, statements);
        QFETCH(QStringList, refusal);
        QFETCH(QStringList, traysLeft);
        F::AddBatch(5);
        F::AddRun(5, 1);
        for (int number : {1, 2, 3})
            F::AddTray(5, 1, number);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 5, [&](FormNastawienie &w) {
            SelectTray(w, tray);
            QCOMPARE(CurrentTray(w), tray);
            QCOMPARE(otherWorkstation(statements), 0);
            scripted.Answer("Yes");
            scripted.Answer("OK");
            PRESS(&w, "ComUsunG");
            verifyRefused(scripted, refusal);
            QVERIFY(ListsEnabled(w));
            QCOMPARE(pairs(w.DataPartiaG, "NrTacy", "NrTusz"), traysLeft);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Trays(5, 1), traysLeft);
    }

    void runDeletedMeanwhile_data()
    {
        QTest::addColumn<int>("run");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("refusal");
        QTest::addColumn<QStringList>("runsLeft");
        QTest::newRow("corrected, its tray kept")
            << 1 << QStringList{"Yes", "Yes"}
            << QStringList{"UPDATE Nastawienie SET Uwagi = 'B' WHERE Nastawienie = 1"}
            << QStringList{"3197"} << QStringList({"1:B", "2:", "3:"});
        QTest::newRow("deleted, another run added")
            << 2 << QStringList{"Yes"}
            << QStringList{"DELETE FROM Nastawienie WHERE Nastawienie = 2",
                           "INSERT INTO Nastawienie (Partia, Nastawienie, Uwagi) VALUES (5, 5, "
                           "'B')"}
            << QStringList{"3167"} << QStringList({"1:", "3:", "5:B"});
        // The new run never takes the deleted one's place in the file.
        QTest::newRow("newest deleted, another run added")
            << 3 << QStringList{"Yes"}
            << QStringList{"DELETE FROM Nastawienie WHERE Nastawienie = 3",
                           "INSERT INTO Nastawienie (Partia, Nastawienie, Uwagi) VALUES (5, 5, "
                           "'B')"}
            << QStringList{"3167"} << QStringList({"1:", "2:", "5:B"});
    }

    // A run is deleted only as the list showed it; when it is refused, the
    // trays the user let go stay with it.
    void runDeletedMeanwhile()
    {
        QFETCH(int, run);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, statements);
        QFETCH(QStringList, refusal);
        QFETCH(QStringList, runsLeft);
        F::AddBatch(5);
        for (int number : {1, 2, 3})
            F::AddRun(5, number);
        F::AddTray(5, 1, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 5, [&](FormNastawienie &w) {
            SelectRun(w, run);
            QCOMPARE(CurrentRun(w), run);
            QCOMPARE(otherWorkstation(statements), 0);
            for (const QString &answer : answers)
                scripted.Answer(answer);
            scripted.Answer("OK");
            PRESS(&w, "ComUsun");
            verifyRefused(scripted, refusal);
            QVERIFY(ListsEnabled(w));
            QCOMPARE(pairs(w.DataPartia, "Nastawienie", "Uwagi"), runsLeft);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QStringList runs;
        for (const QVariantMap &row :
             F::Rows(MonthDb, QStringLiteral("SELECT * FROM Nastawienie ORDER BY Nastawienie")))
            runs.append(row.value("Nastawienie").toString() + ':' + row.value("Uwagi").toString());
        QCOMPARE(runs, runsLeft);
        QCOMPARE(F::Trays(5, 1), QStringList{"1:10"});
    }

    void eachWriteWaitsOnceWhileTheFileIsHeld_data()
    {
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("answers");
        QTest::newRow("new run") << "ComDodajPr"
                                 << "ComZapiszFr" << QStringList{};
        QTest::newRow("run correction") << "ComPopraw"
                                        << "ComZapiszFr" << QStringList{};
        QTest::newRow("starting a new run") << ""
                                            << "ComDodajPr" << QStringList{};
        QTest::newRow("run deleted") << ""
                                     << "ComUsun" << QStringList{"Yes", "Yes"};
        QTest::newRow("new tray") << "ComDodajG"
                                  << "ComZapiszFrNaPIW" << QStringList{};
        QTest::newRow("tray correction") << "ComPoprawG"
                                         << "ComZapiszFrNaPIW" << QStringList{};
        QTest::newRow("tray deleted") << ""
                                      << "ComUsunG" << QStringList{"Yes"};
    }

    // While another workstation holds the month file, every write of the run
    // window waits for it once, the window drawn meanwhile included, and is
    // refused with one box; nothing is written and the lists still show what
    // they showed.
    void eachWriteWaitsOnceWhileTheFileIsHeld()
    {
        QFETCH(QString, opening);
        QFETCH(QString, button);
        QFETCH(QStringList, answers);
        F::AddBatch(5);
        F::AddRun(5, 1);
        F::AddTray(5, 1, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 5, [&](FormNastawienie &w) {
            if (!opening.isEmpty())
                PRESS(&w, qPrintable(opening));
            if (opening == QLatin1String("ComDodajG")) {
                RETYPE(&w, "TextNrTacy", QStringLiteral("2"));
                RETYPE(&w, "TextIlProbekPozycjaN", QStringLiteral("5"));
            }
            const QString problem = other_workstation::PressWhileHeld(
                &w, qPrintable(button), MonthDb, other_workstation::Holder::Writing, scripted,
                answers);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QCOMPARE(Listed(w.DataPartia, "Nastawienie"), QStringList{"1"});
            QCOMPARE(Listed(w.DataPartiaG, "NrTacy"), QStringList{"1"});
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::RowCount(MonthDb, "Nastawienie"), 1);
        QCOMPARE(F::Trays(5, 1), QStringList{"1:10"});
    }

    void equipmentDeletedMeanwhile_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("refusal");
        QTest::addColumn<QStringList>("rowsLeft");
        QTest::addColumn<QString>("choice");
        const QStringList corrected{"UPDATE Termometr SET Wartosc = 'T-3 zmiana' WHERE ID = '3'"};
        const QStringList correctionKept{"1:T-1", "2:T-2", "3:T-3 zmiana", "4:T-4"};
        QTest::newRow("corrected") << corrected << QStringList{"3197"} << correctionKept << "click";
        QTest::newRow("corrected, chosen by keys before the list was drawn")
            << corrected << QStringList{"3197"} << correctionKept << "keys";
        QTest::newRow("corrected, chosen by the arrows before the list was drawn")
            << corrected << QStringList{"3197"} << correctionKept << "arrows";
        QTest::newRow("deleted, another added")
            << QStringList{"DELETE FROM Termometr WHERE ID = '3'",
                           "INSERT INTO Termometr (ID, Wartosc) VALUES ('5', 'T-5')"}
            << QStringList{"3167"} << QStringList({"1:T-1", "2:T-2", "4:T-4", "5:T-5"}) << "click";
    }

    // An equipment list deletes a row only as it showed it, as the run and
    // tray lists do: what another workstation saved meanwhile stays, and the
    // list shows it.
    void equipmentDeletedMeanwhile()
    {
        QFETCH(QStringList, statements);
        QFETCH(QStringList, refusal);
        QFETCH(QStringList, rowsLeft);
        QFETCH(QString, choice);
        for (const char *id : {"1", "2", "3", "4"})
            F::AddRow(StaleDb, "Termometr",
                      {{"ID", id}, {"Wartosc", QStringLiteral("T-") + QLatin1String(id)}});
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormPodpAll", [&](QWidget &window) {
            auto &w = static_cast<FormPodpAll &>(window);
            if (choice == QLatin1String("click")) {
                // The user sees the list and clicks the third row.
                QVERIFY(QTest::qWaitForWindowExposed(&w));
                const QModelIndex third = w.DBGridPodp->model()->index(2, 1);
                QCOMPARE(third.data().toString(), QStringLiteral("T-3"));
                QTest::mouseClick(w.DBGridPodp->viewport(), Qt::LeftButton, {},
                                  w.DBGridPodp->visualRect(third).center());
            } else if (choice == QLatin1String("keys")) {
                // The user goes down to the third row before the list is drawn.
                w.DBGridPodp->setFocus();
                QTest::keyClick(w.DBGridPodp, Qt::Key_Down);
                QTest::keyClick(w.DBGridPodp, Qt::Key_Down);
            } else {
                PRESS(&w, "Next");
                PRESS(&w, "Next");
            }
            QCOMPARE(w.DataPodp->Recordset().AbsolutePosition(), 2);
            QCOMPARE(otherWorkstation(statements, StaleDb), 0);
            scripted.Answer("Yes");
            scripted.Answer("OK");
            PRESS(&w, "ComUsun");
            verifyRefused(scripted, refusal);
            QCOMPARE(pairs(w.DataPodp, "ID", "Wartosc"), rowsLeft);
            PRESS(&w, "ComZamk");
        });
        FormPodpAll::Open(QStringLiteral("TERMOMETR"), QStringLiteral("TERMOMETR"), 30);
        SCRIPTED_UI_VERIFY(scripted);
        QStringList stored;
        for (const QVariantMap &row :
             F::Rows(StaleDb, QStringLiteral("SELECT * FROM Termometr ORDER BY ID")))
            stored.append(row.value("ID").toString() + ':' + row.value("Wartosc").toString());
        QCOMPARE(stored, rowsLeft);
    }
};

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], OtherStatements) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstationCommits(app.arguments().at(2), app.arguments().mid(3));
    }
    if (argc == 3 && (qstrcmp(argv[1], OtherRun) == 0 || qstrcmp(argv[1], OtherTray) == 0)) {
        QCoreApplication app(argc, argv);
        return otherWorkstationCorrects(argv[1], QString::fromLocal8Bit(argv[2]));
    }
    if (int exitCode = 0; other_workstation::RanAsHolder(argc, argv, exitCode))
        return exitCode;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_RunLostUpdate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_RunLostUpdate.moc"
