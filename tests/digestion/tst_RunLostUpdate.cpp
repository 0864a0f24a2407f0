#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "Press.h"
#include "RunWindow.h"

#include "digestion/FormNastawienie.h"
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
const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

// The other workstation's correction, saved as its run window saves it: run 1
// of batch 5 becomes run 4 with its remark, or tray 1 of that run tray 6.
int otherWorkstationCorrects(const char *what, const QString &monthFile)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(monthFile);
        const bool run = qstrcmp(what, OtherRun) == 0;
        dao::Recordset rs = run ? RunStore::OpenRuns(db, 5) : RunStore::OpenTrays(db, 5, 1);
        const RunStore::LoadedRow loaded = RunStore::Remember(rs);
        FrameTexts texts =
            RunStore::Texts(rs, run ? RunStore::RunFields() : RunStore::TrayFields());
        rs.Close();
        if (run) {
            texts[QStringLiteral("Nastawienie")] = QStringLiteral("4");
            texts[QStringLiteral("Uwagi")] = QStringLiteral("A-zmiana");
        } else {
            texts[QStringLiteral("NrTacy")] = QStringLiteral("6");
        }
        const auto saved = run ? RunStore::SaveRun(db, 5, texts, loaded)
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

// Two workstations correct the same run or tray: the one that saves second is
// told that it changed meanwhile, and nothing of its save is written.
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
};

int main(int argc, char **argv)
{
    if (argc == 3 && (qstrcmp(argv[1], OtherRun) == 0 || qstrcmp(argv[1], OtherTray) == 0)) {
        QCoreApplication app(argc, argv);
        return otherWorkstationCorrects(argv[1], QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_RunLostUpdate test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_RunLostUpdate.moc"
