#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "Press.h"
#include "RunWindow.h"

#include "digestion/FormNastawienie.h"
#include "digestion/RunCard.h"
#include "digestion/TrayRanges.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/ReportStaging.h"
#include "platform/db/Transaction.h"
#include "platform/report/DocumentOutput.h"
#include "platform/report/ReportPreview.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WindowRegistry.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using F = DigestionFixture;

namespace
{

// Batch 12 with four samples of three tissues and two runs; the card is
// printed for run 2, whose trays hold lists by animal kind.
void AddCardBatch()
{
    F::AddBatch(12, {{"IlProbek", 4}});
    F::AddSample(12, 501, {{"NazTkanka", "filary przepony"}});
    F::AddSample(12, 502, {{"NazTkanka", "filary przepony"}});
    F::AddSample(12, 503, {{"NazTkanka", "mięśnie języka"}});
    F::AddSample(12, 504, {{"NazTkanka", "ozór 'wołowy'"}});
    F::AddRun(12, 1, {{"Waga", "Waga-0"}});
    F::AddRun(12, 2,
              {{"Waga", "Waga Ł-7"},
               {"Termometr", "Termometr Ż-2"},
               {"Trychinoskop", "Trychinoskop T-1"},
               {"Wykonujacy", "Łucja Żak"},
               {"Odpowiedzialny", "Jan Lis"},
               {"OdczynnikHCL", "HCl 12/2026"},
               {"Wynik", "nie stwierdzono"}});
    F::AddTray(
        12, 2, 1,
        {{"NrTusz", "1-20"}, {"NrTuszTucznik", "1-20"}, {"NrTuszDzik", "31"}, {"IlProbek", 21}});
    F::AddTray(12, 2, 2, {{"NrTusz", "5"}, {"NrTuszInne", "5"}});
    F::AddTray(12, 2, 3, {{"NrTusz", "777"}});
    F::AddTray(12, 1, 9, {{"NrTuszTucznik", "900-950"}});
}

void SetLaboratoryCode(const QString &code)
{
    dao::Recordset rs = StaleDb.OpenRecordset("PODATNIK");
    rs.MoveFirst();
    rs.Edit();
    rs("KodLok") = code;
    rs.Update();
    rs.Close();
}

QString pdfText(const QString &path)
{
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", "-layout", path, "-"});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString documentText(const report::Document &doc)
{
    QString text;
    for (int i = 0; i < doc.pageCount(); ++i)
        text += doc.pageText(i);
    return text;
}

// Every staged row of the card's tables in file order, each value with its
// type.
QStringList StagedRows()
{
    QStringList rows;
    for (const char *table : {"Partia", "Badanie", "NazwaTMP", "Nastawienie", "PozycjaN"}) {
        dao::Recordset rs = RobotDb.OpenRecordset(QLatin1String(table));
        for (; !rs.EOF(); rs.MoveNext()) {
            QString row = QLatin1String(table);
            for (int i = 0; i < rs.Fields().Count(); ++i) {
                const QVariant value = rs.Fields()(i).Value();
                row += u'|' + QLatin1String(value.typeName()) + u':' + value.toString();
            }
            rows << row;
        }
        rs.Close();
    }
    return rows;
}

// A staging copy that goes row by row, as every copy went before: the step
// of each row does nothing.
bool StageRowByRow(const char *table, const QString &condition, const char *orderBy = "")
{
    StagingCopy copy;
    copy.table = QLatin1String(table);
    copy.condition = condition;
    copy.orderBy = QLatin1String(orderBy);
    copy.collectTissues = copy.table == QLatin1String("Badanie");
    copy.sharedFieldsOnly = true;
    copy.beforeStore = [](const dao::Recordset &, dao::Recordset &) {};
    return StageRows(copy);
}

// Presses the card button in the print choice of run 2 and runs `preview`
// on the preview window.
void PrintFromRun2(ui::ScriptedUi &scripted, const char *button,
                   const std::function<void(FormDrukRap &)> &preview)
{
    InRunWindow(scripted, 12, [&](FormNastawienie &w) {
        SelectRun(w, 2);
        PRESS(&w, "ComDrukuj");
        QVERIFY(w.FrameWynik->isVisible() && w.ComDrukuj->isEnabled() && w.LabData->isEnabled());
        QVERIFY(!w.DBGridPartia->isEnabled() && !w.ComDodajPr->isEnabled());
        scripted.AnswerWindow("FormDrukRap", [&](QWidget &window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("Drukowanie"));
            preview(static_cast<FormDrukRap &>(window));
        });
        PRESS(&w, button);
        QVERIFY(w.FrameWynik->isHidden() && ListsEnabled(w));
    });
}

} // namespace

// The run cards: staging of the selected run, the three definitions written
// to PDF, the dispatch by laboratory code, and the failures that return the
// window to browsing.
class tst_RunCards : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

    void Prepare() override { AddCardBatch(); }

private slots:
    void cardToPdf_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("heading");
        QTest::newRow("S") << "ComKartaS"
                           << "KARTA PRZEBIEGU BADANIA";
        QTest::newRow("W") << "ComKartaW"
                           << "KARTA PRZEBIEGU BADANIA – W";
        QTest::newRow("O") << "ComKartaO"
                           << "KARTA PRZEBIEGU BADANIA – O";
    }

    // Whatever an earlier print left staged (here the sheet of batch 13),
    // each card shows the selected run of its batch only, and the preview
    // offers no sending.
    void cardToPdf()
    {
        QFETCH(QString, button);
        QFETCH(QString, heading);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        F::AddBatch(13, {{"WNI", "99990009"}});
        F::AddSample(13, 1313, {{"NazTkanka", "przepona 13"}});
        QVERIFY(PrzedDr("Partia", "Partia", "13", false));
        QVERIFY(PrzedDr("Badanie", "Partia", "13", true));
        F::AddRow(RobotDb, "PozycjaN",
                  {{"Partia", 13}, {"Nastawienie", 2}, {"NrTacy", 8}, {"NrTusz", "1313-1399"}});

        QTemporaryDir folder;
        const QString pdf = folder.filePath("karta.pdf");
        bool sendOffered = true;
        ui::ScriptedUi scripted;
        PrintFromRun2(scripted, qPrintable(button), [&](FormDrukRap &preview) {
            sendOffered = preview.ComWyslij->isEnabled();
            report::DocumentOutput::writePdf(preview.CRViewer->document(), pdf);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(!sendOffered);
        QVERIFY(ui::WindowRegistry::Instance<FormDrukRap>().ComWyslij->isEnabled());

        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(heading), qPrintable(text));
        for (const char *shown :
             {"Karta Przebiegu Nastawienia nr 2 w dniu 05.03.2024", "14650301", "Waga Ł-7",
              "Termometr Ż-2", "Trychinoskop T-1", "HCl 12/2026", "Łucja Żak", "Jan Lis",
              "1-20(T), 31(D)", "5(Inne)", "777", "mięśnie języka", "'wołowy'"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
        for (const char *hidden : {"900-950", "Waga-0", "1313", "99990009", "przepona 13"})
            QVERIFY2(!text.contains(QLatin1String(hidden)), hidden);
    }

    void dispatchByLaboratoryCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("052") << "052"
                             << "ComKartaS"
                             << "Karta przebiegu badania W";
        QTest::newRow("055") << "055"
                             << "ComKartaS"
                             << "Karta przebiegu badania O";
        QTest::newRow("another code") << "52"
                                      << "ComKartaS"
                                      << "Karta przebiegu badania";
        QTest::newRow("no code") << ""
                                 << "ComKartaS"
                                 << "Karta przebiegu badania";
        QTest::newRow("W for any code") << "061"
                                        << "ComKartaW"
                                        << "Karta przebiegu badania W";
    }

    void dispatchByLaboratoryCode()
    {
        QFETCH(QString, code);
        QFETCH(QString, button);
        QFETCH(QString, title);
        SetLaboratoryCode(code);
        QString shown;
        ui::ScriptedUi scripted;
        PrintFromRun2(scripted, qPrintable(button), [&](FormDrukRap &preview) {
            shown = preview.CRViewer->document().title;
            QVERIFY(documentText(preview.CRViewer->document())
                        .contains("Karta Przebiegu Nastawienia nr 2 w dniu 05.03.2024"));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(shown, title);
    }

    // What the staging holds for the card: each tissue once, the trays in
    // order with their kind lists joined, the card's title; a month table
    // with a column the staging lacks still stages; a WynikTMP without its
    // one row gets no title and no box.
    void staging()
    {
        MonthDb.Execute("ALTER TABLE Nastawienie ADD COLUMN Dodatkowe text(10)");
        MonthDb.Execute("UPDATE Nastawienie SET Dodatkowe = 'x'");
        ui::ScriptedUi scripted;
        QVERIFY(RunCard::Stage(12, 2, QDate(2024, 3, 5)));
        QCOMPARE(F::Column(RobotDb, "NazwaTMP", "Nazwa"),
                 QStringList({"filary przepony", "mięśnie języka", "ozór 'wołowy'"}));
        QCOMPARE(F::Column(RobotDb, "Nastawienie", "Waga"), QStringList{"Waga Ł-7"});
        QCOMPARE(F::Column(RobotDb, "PozycjaN", "NrTuszRazem"),
                 QStringList({"1-20(T), 31(D)", "5(Inne)", ""}));
        QCOMPARE(F::Column(RobotDb, "WynikTMP", "Numer"),
                 QStringList{"Karta Przebiegu Nastawienia nr 2 w dniu 05.03.2024"});
        RobotDb.Execute("DELETE FROM WynikTMP");
        QVERIFY(RunCard::Stage(12, 1, QDate(2024, 3, 5)));
        QCOMPARE(F::RowCount(RobotDb, "WynikTMP"), 0);
        QCOMPARE(F::Column(RobotDb, "PozycjaN", "NrTuszRazem"), QStringList{"900-950(T)"});
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 0);
    }

    // The card's staging holds what the copy row by row held: every field of
    // every row with its type, dates and Nulls, the rows in the card's order,
    // each tissue name once in the order of the samples (in any letter case,
    // also when the list held it already, and never an empty one).
    void stagingMatchesTheRowByRowCopy()
    {
        F::AddSample(12, 500,
                     {{"NazTkanka", "FILARY przepony"},
                      {"DataDoLab", QDate(2024, 3, 5)},
                      {"Uwagi", "ząb 😀"},
                      {"Wiek", 3}});
        F::AddSample(12, 506, {{"Opis", "bez tkanki"}});
        ui::ScriptedUi scripted;
        QVERIFY(RunCard::Stage(12, 2, QDate(2024, 3, 5)));
        QVERIFY(PrzedDr("Badanie", "Partia", "12", true));
        const QStringList staged = StagedRows();
        QCOMPARE(F::Column(RobotDb, "NazwaTMP", "Nazwa"),
                 QStringList({"FILARY przepony", "mięśnie języka", "ozór 'wołowy'"}));

        for (const char *table : {"Partia", "Badanie", "NazwaTmp", "Nastawienie", "PozycjaN"})
            CzyscPrzedDr(QLatin1String(table));
        QVERIFY(StageRowByRow("Partia", "Partia = 12"));
        QVERIFY(StageRowByRow("Badanie", "Partia = 12", "NrDzien"));
        QVERIFY(StageRowByRow("Nastawienie", "Partia = 12 And Nastawienie = 2"));
        QVERIFY(PrzedDrNastawienie("PozycjaN", 12, 2));
        QVERIFY(StageRowByRow("Badanie", "Partia = 12", "NrDzien"));
        QCOMPARE(StagedRows(), staged);
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Copies made under one attachment of the month file (nested ones
    // sharing it) stage what copies attaching it each stage, and the file is
    // detached when it ends. Inside a RobotDb transaction, where a file cannot
    // be attached, the copies still stage the same rows.
    void copiesShareOneAttachment()
    {
        // The month file's descriptors: MonthDb's own and one per attachment.
        const QString month = MonthDb.Name().section(QRegularExpression("[\\\\/]"), -1);
        const auto attached = [&month] {
            int count = 0;
            for (const QFileInfo &fd :
                 QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
                count += QFileInfo(fd.symLinkTarget()).fileName() == month ? 1 : 0;
            return count - 1;
        };
        ui::ScriptedUi scripted;
        QVERIFY(RunCard::Stage(12, 2, QDate(2024, 3, 5)));
        const QStringList staged = StagedRows();
        {
            const StagingMonth month;
            const StagingMonth nested;
            QCOMPARE(attached(), 1);
            QVERIFY(RunCard::Stage(12, 2, QDate(2024, 3, 5)));
            QCOMPARE(StagedRows(), staged);
            QCOMPARE(attached(), 1);
        }
        QCOMPARE(attached(), 0);
        {
            dao::Transaction transaction(RobotDb);
            const StagingMonth month;
            for (const char *table : {"Partia", "Badanie", "NazwaTmp"})
                CzyscPrzedDr(QLatin1String(table));
            QVERIFY(PrzedDr("Partia", "Partia", "12", false));
            QVERIFY(PrzedDr("Badanie", "Partia", "12", true));
            transaction.Commit();
        }
        QCOMPARE(attached(), 0);
        QCOMPARE(StagedRows(), staged);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 0);
    }

    // The kind lists joined by the staging statement are the lists joined by
    // the tray rule, whatever the lists hold: none, empty, blanks, commas at
    // their ends, quotes, marks of their own, letters beyond the basic plane.
    void trayTotalsFollowTheTrayRule()
    {
        const QVariant pool[] = {QVariant(), "",      " ", "1-20",    "5,", "7, ",
                                 "ząb 'x'",  "(T), ", "😀", "1-3, 9 ", ",",  "Łoś"};
        const char *kinds[] = {"NrTuszTucznik", "NrTuszMaciora", "NrTuszKnur", "NrTuszDzik",
                               "NrTuszInne"};
        for (quint32 seed : {1u, 2u, 3u}) {
            QRandomGenerator random(seed);
            const int run = 10 + int(seed);
            F::AddRun(12, run);
            QStringList expected;
            for (int tray = 1; tray <= 40; ++tray) {
                QVariantMap lists;
                QStringList texts;
                for (const char *kind : kinds) {
                    const QVariant value = pool[random.bounded(int(std::size(pool)))];
                    lists.insert(QLatin1String(kind), value);
                    texts << value.toString();
                }
                F::AddTray(12, run, tray, lists);
                expected << TrayRanges::NrTuszRazem(texts[0], texts[1], texts[2], texts[3],
                                                    texts[4]);
            }
            ui::ScriptedUi scripted;
            QVERIFY(RunCard::Stage(12, run, QDate(2024, 3, 5)));
            SCRIPTED_UI_VERIFY(scripted);
            QCOMPARE(F::Column(RobotDb, "PozycjaN", "NrTuszRazem"), expected);
        }
    }

    void aFailedStagingKeepsTheLastCard_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("caption");
        QTest::newRow("trays without their total") << "PozycjaN"
                                                   << "NrTuszRazem"
                                                   << "DrukowaniePozycjaN";
        QTest::newRow("title row without its number") << "WynikTMP"
                                                      << "Numer"
                                                      << "Drukowanie";
    }

    // A staging file that cannot take the card: the error is reported once
    // the staging is undone, no preview opens, the window returns to
    // browsing, and the staging tables still hold the card printed before,
    // not an emptied or half-filled staging of the new one.
    void aFailedStagingKeepsTheLastCard()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, caption);
        ui::ScriptedUi scripted;
        QVERIFY(RunCard::Stage(12, 2, QDate(2024, 3, 5)));
        RobotDb.Execute("ALTER TABLE " + table + " DROP COLUMN " + column);
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            SelectRun(w, 1);
            PRESS(&w, "ComDrukuj");
            scripted.Answer("OK");
            PRESS(&w, "ComKartaS");
            QCOMPARE(scripted.Last().title, caption);
            QVERIFY(w.FrameWynik->isHidden() && ListsEnabled(w));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(std::count_if(scripted.Log().begin(), scripted.Log().end(),
                               [](const ui::ShownDialog &shown) {
                                   return shown.kind == ui::ShownDialog::Message;
                               }),
                 1);
        QVERIFY(!RobotDb.InTransaction());
        QCOMPARE(F::RowCount(RobotDb, "Partia"), 1);
        QCOMPARE(F::RowCount(RobotDb, "Badanie"), 4);
        QCOMPARE(F::Column(RobotDb, "NazwaTMP", "Nazwa"),
                 QStringList({"filary przepony", "mięśnie języka", "ozór 'wołowy'"}));
        QCOMPARE(F::Column(RobotDb, "Nastawienie", "Waga"), QStringList{"Waga Ł-7"});
        QCOMPARE(F::Column(RobotDb, "PozycjaN", "NrTacy"), QStringList({"1", "2", "3"}));
    }

    // No run: the message and nothing staged. A missing definition: an error
    // box and the window back to browsing.
    void failuresReturnToBrowsing()
    {
        F::AddBatch(14);
        F::AddRow(RobotDb, "Nastawienie", {{"Partia", 99}, {"Nastawienie", 1}});
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 14, [&](FormNastawienie &w) {
            PRESS(&w, "ComDrukuj");
            scripted.Answer("OK");
            PRESS(&w, "ComKartaS");
            QCOMPARE(scripted.Last().text, QStringLiteral("Brak danych do wydruku!"));
            QCOMPARE(scripted.Last().title, QStringLiteral("DRUKOWANIE"));
            QCOMPARE(scripted.Last().style, ui::vbExclamation);
            PRESS(&w, "ComDrukuj");
            QVERIFY(w.FrameWynik->isHidden() && ListsEnabled(w));
        });
        QCOMPARE(F::Column(RobotDb, "Nastawienie", "Partia"), QStringList{"99"});

        QVERIFY(QFile::remove(F::Real(ReportFolder + "KartaBadaniaS.rpt")));
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            PRESS(&w, "ComDrukuj");
            scripted.Answer("OK");
            PRESS(&w, "ComKartaS");
            QCOMPARE(scripted.Last().title, QStringLiteral("Drukowanie"));
            QVERIFY(w.FrameWynik->isHidden() && ListsEnabled(w));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(ui::WindowRegistry::Instance<FormDrukRap>().ComWyslij->isEnabled());
    }
};

QTEST_MAIN(tst_RunCards)
#include "tst_RunCards.moc"
