#include "FixtureTest.h"
#include "Press.h"
#include "SamplesFixture.h"

#include "foundation/Globals.h"
#include "platform/db/dao.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormZaklad.h"
#include "samples/FormBadanie.h"

#include <QApplication>
#include <QProcess>
#include <QtTest>

#include <iostream>

using F = SamplesFixture;

namespace
{

const char *const OtherWorkstation = "--other-workstation";
constexpr int LongList = 2600;
const QString ChangedText =
    QStringLiteral("3197Inny użytkownik zmienił ten rekord, od kiedy został odczytany. Odśwież "
                   "dane i spróbuj ponownie.");
const QString DeletedText = QStringLiteral("3167Rekord jest usunięty.");

// The other workstation: it opens the database file and commits each
// statement, as another program's save or delete would.
int otherWorkstation(const QString &file, const QStringList &statements)
{
    try {
        dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(file);
        for (const QString &statement : statements)
            db.Execute(statement);
        db.Close();
    } catch (const RuntimeError &error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
    return 0;
}

bool runOther(dao::Database db, const QStringList &statements)
{
    return QProcess::execute(QCoreApplication::applicationFilePath(),
                             QStringList{QLatin1String(OtherWorkstation), F::Real(db.Name())} +
                                 statements) == 0;
}

// Copies the row of `table` that `where` finds LongList - 1 times, as
// `columns` name them, with `i` (2 .. LongList) in the expressions; one
// statement, so one transaction.
void copyRow(dao::Database db, const QString &table, const QString &columns,
             const QString &expressions, const QString &where)
{
    db.Execute(QStringLiteral("INSERT INTO %1 (%2) WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL "
                              "SELECT i + 1 FROM n WHERE i < %3) SELECT %4 FROM %1, n WHERE %5")
                   .arg(table, columns)
                   .arg(LongList)
                   .arg(expressions, where));
}

// Real key presses on the list: down to its end a page at a time, then, after
// the other workstation committed, to its start, end and start again.
void pageToTheEndAndBack(QAbstractItemView *grid, const QStringList &otherWrite, dao::Database db)
{
    grid->setFocus();
    const int last = grid->model()->rowCount() - 1;
    for (int presses = 0; grid->currentIndex().row() < last; ++presses) {
        QVERIFY2(presses <= last, "PageDown does not reach the end of the list");
        QTest::keyClick(grid, Qt::Key_PageDown);
    }
    QVERIFY(runOther(db, otherWrite));
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid->currentIndex().row(), 0);
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(grid->currentIndex().row(), last);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid->currentIndex().row(), 0);
}

// Picks the row (the last one by Ctrl+End when `row` is -1): the row's text
// in `column` as the list shows it, or the problem.
QString pick(QAbstractItemView *grid, int row, int column, QString &problem)
{
    if (row < 0) {
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        row = grid->model()->rowCount() - 1;
    } else {
        problem = press::SelectRow(grid, row);
    }
    if (problem.isEmpty() && grid->currentIndex().row() != row)
        problem = QStringLiteral("row %1 did not become current").arg(row);
    return grid->model()->index(row, column).data().toString();
}

int columnOf(const QAbstractItemView *grid, const QString &header)
{
    for (int column = 0; column < grid->model()->columnCount(); ++column) {
        if (grid->model()->headerData(column, Qt::Horizontal).toString() == header)
            return column;
    }
    return -1;
}

} // namespace

// Two workstations on one data folder and a list far longer than what the
// program keeps in memory: a row picked after the list was paged to its end
// and back is deleted only while it still holds what the list showed.
class tst_LongListProcesses : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

protected:
    void Prepare() override
    {
        F::AddBatch(11);
        F::AddBatch(12);
        F::AddSample(11, 1, 1, 1);
        F::AddSample(12, 1, 2, 2, {{QStringLiteral("Wynik"), QStringLiteral("ujemny")}});
        copyRow(MonthDb, QStringLiteral("Badanie"),
                QStringLiteral("Partia, NrProbki, NrDzien, NrOgolny, IDProbkiWNI, IDProbkiNr, "
                               "IDProbkiData, NrTacy, NazTkanka, Gatunek, Plec, Wynik, DataDoLab"),
                QStringLiteral("Partia, i, i + 1, i + 1, IDProbkiWNI, printf('%03d', i % 1000), "
                               "IDProbkiData, NrTacy, NazTkanka, Gatunek, Plec, Wynik, DataDoLab"),
                QStringLiteral("Partia = 12 AND NrProbki = 1"));
    }

private slots:
    // Another workstation sets the picked sample's result, or deletes the
    // sample and adds one that may take its place in the file: "&Usuń" is
    // refused and the other's sample stays on file as it wrote it.
    void sampleChangedAfterPagingIsNotDeleted_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("otherChange");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("result set")
            << 3
            << QStringList{"UPDATE Badanie SET Wynik = 'dodatni' WHERE Partia = 12 AND NrProbki = "
                           "4"}
            << QStringList{ChangedText};
        // The new sample never takes the deleted one's place: the row shown
        // is gone.
        QTest::newRow("replaced")
            << -1
            << QStringList{QStringLiteral("DELETE FROM Badanie WHERE Partia = 12 AND NrProbki = %1")
                               .arg(LongList),
                           QStringLiteral(
                               "INSERT INTO Badanie (Partia, NrProbki, NrDzien, NrOgolny, Wynik, "
                               "IDProbkiWNI, DataDoLab) SELECT 11, 2, 9000, 9000, 'dodatni', "
                               "IDProbkiWNI, DataDoLab FROM Badanie WHERE Partia = 11")}
            << QStringList{DeletedText};
    }

    void sampleChangedAfterPagingIsNotDeleted()
    {
        QFETCH(int, row);
        QFETCH(QStringList, otherChange);
        QFETCH(QStringList, messages);
        ui::ScriptedUi ui;
        F::Open(ui, 12, [&](FormBadanie &form) {
            QAbstractItemView *grid = form.DBGridBad;
            QCOMPARE(grid->model()->rowCount(), LongList);
            pageToTheEndAndBack(
                grid, {QStringLiteral("UPDATE Badanie SET Uwagi = 'x' WHERE Partia = 11")},
                MonthDb);
            if (QTest::currentTestFailed())
                return;
            QString problem;
            const QString shown = pick(grid, row, columnOf(grid, QStringLiteral("Wynik")), problem);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QCOMPARE(shown, QStringLiteral("ujemny"));
            const QString carcass =
                form.DataBad->Recordset()(QStringLiteral("NrProbki")).Value().toString();
            QVERIFY(runOther(MonthDb, otherChange));

            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComUsun");
            SCRIPTED_UI_VERIFY(ui);
            QVERIFY(ui.Log().size() >= 2);
            QCOMPARE(ui.Log().at(ui.Log().size() - 2).text,
                     QStringLiteral("Czy na pewno usunąć próbkę?"));
            QVERIFY2(messages.contains(ui.Last().text), qPrintable(ui.Last().text));
            if (row >= 0) {
                QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie WHERE Partia = 12 AND "
                                                 "NrProbki = ") +
                                      carcass,
                                  QStringLiteral("Wynik")),
                         QStringList{QStringLiteral("dodatni")});
            }
        });
        SCRIPTED_UI_VERIFY(ui);
        // Nothing of the other workstation's is lost.
        QCOMPARE(F::Texts(QStringLiteral("SELECT * FROM Badanie WHERE Wynik = 'dodatni'"),
                          QStringLiteral("Partia")),
                 QStringList{row >= 0 ? QStringLiteral("12") : QStringLiteral("11")});
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), LongList + 1);
    }

    // The same story in the client register: a client renamed by another
    // workstation after the list was paged to its end and back is kept.
    void clientChangedAfterPagingIsNotDeleted()
    {
        F::AddRow(StaleDb, QStringLiteral("Zaklad"),
                  {{QStringLiteral("IdRzezni"), QStringLiteral("K0001")},
                   {QStringLiteral("Nazwa"), QStringLiteral("Klient 0001")},
                   {QStringLiteral("Miejscowosc"), QStringLiteral("Łęczyca")}});
        copyRow(StaleDb, QStringLiteral("Zaklad"), QStringLiteral("IdRzezni, Nazwa, Miejscowosc"),
                QStringLiteral("printf('K%04d', i), printf('Klient %04d', i), Miejscowosc"),
                QStringLiteral("IdRzezni = 'K0001'"));
        const int clients = F::RowCount(StaleDb, QStringLiteral("Zaklad"));
        QVERIFY(clients >= LongList);

        ui::ScriptedUi ui;
        ui.AnswerWindow(QStringLiteral("FormZaklad"), [&](QWidget &window) {
            auto &form = static_cast<FormZaklad &>(window);
            QAbstractItemView *grid = form.DBGridLekarz;
            QCOMPARE(grid->model()->rowCount(), clients);
            pageToTheEndAndBack(
                grid,
                {QStringLiteral("UPDATE Zaklad SET Telefon = '123' WHERE IdRzezni = 'K2600'")},
                StaleDb);
            if (QTest::currentTestFailed())
                return;
            QString problem;
            const QString shown = pick(grid, 3, columnOf(grid, QStringLiteral("Nazwa")), problem);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            QVERIFY(shown.startsWith(QStringLiteral("Klient")));
            QVERIFY(runOther(StaleDb, {QStringLiteral("UPDATE Zaklad SET Nazwa = 'Przemianowany' "
                                                      "WHERE Nazwa = '%1'")
                                           .arg(shown)}));

            ui.Answer(QStringLiteral("Yes"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&form, "ComLaborKas");
            SCRIPTED_UI_VERIFY(ui);
            QCOMPARE(ui.Last().text, ChangedText);
            PRESS(&form, "ComLaborZamk");
        });
        FormZaklad::Open();
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::RowCount(StaleDb, QStringLiteral("Zaklad")), clients);
        QCOMPARE(F::RowCount(StaleDb, QStringLiteral("SELECT * FROM Zaklad WHERE Nazwa = "
                                                     "'Przemianowany'")),
                 1);
    }
};

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], OtherWorkstation) == 0) {
        QCoreApplication app(argc, argv);
        return otherWorkstation(app.arguments().at(2), app.arguments().mid(3));
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    tst_LongListProcesses test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_LongListProcesses.moc"
