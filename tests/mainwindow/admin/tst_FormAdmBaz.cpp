#include "AdminFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "foundation/Globals.h"
#include "mainwindow/FormAdmBaz.h"
#include "platform/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace
{

const QString Question = QStringLiteral("Czy na pewno usunąć dane z zaznaczonych tabel?");
const QString WithRuns = Question + QStringLiteral("\rRazem z partiami zostaną usunięte wszystkie "
                                                   "nastawienia i tace bieżącego miesiąca.");
const QString Success = QStringLiteral("Czyszczenie tabel zakończone powodzeniem!");

// Rows left in Badanie, Partia, Nastawienie, PozycjaN, zuzyte (the month)
// and Zaklad, PIW, WIW, OPERATORZY, PODATNIK (the dictionaries).
QList<int> counts()
{
    QList<int> rows;
    for (const char *table : {"Badanie", "Partia", "Nastawienie", "PozycjaN", "zuzyte"})
        rows.append(AdminFixture::RowCount(MonthDb, QLatin1String(table)));
    for (const char *table : {"Zaklad", "PIW", "WIW", "OPERATORZY", "PODATNIK"})
        rows.append(AdminFixture::RowCount(StaleDb, QLatin1String(table)));
    return rows;
}

FormAdmBaz &window()
{
    return ui::WindowRegistry::Instance<FormAdmBaz>();
}

// Presses "Wyczyść" and answers its boxes in turn.
QList<ui::ShownDialog> clean(const QStringList &answers)
{
    ui::ScriptedUi scripted;
    for (const QString &answer : answers)
        scripted.Answer(answer);
    [&] { PRESS(&window(), "ComWyczysc"); }();
    [&] { SCRIPTED_UI_VERIFY(scripted); }();
    return scripted.Log();
}

} // namespace

// The cleaning window: the coupling of its boxes, the integrity rules, what
// each box empties and what it keeps, and who may run it.
class FormAdmBazTest : public FixtureTest<AdminFixture>
{
    Q_OBJECT

    void Prepare() override
    {
        for (int batch = 1; batch <= 2; ++batch) {
            AdminFixture::AddRow(MonthDb, "Partia", {{"Partia", batch}});
            AdminFixture::AddRow(MonthDb, "Badanie", {{"Partia", batch}});
            AdminFixture::AddRow(MonthDb, "Nastawienie", {{"Partia", batch}});
            AdminFixture::AddRow(MonthDb, "PozycjaN", {{"Partia", batch}});
        }
        AdminFixture::AddRow(MonthDb, "zuzyte", {{"DataDoLab", AdminFixture::Day}});
        AdminFixture::AddRow(StaleDb, "Zaklad", {{"IdRzezni", "12345678"}});
        AdminFixture::AddRow(StaleDb, "PIW", {{"IDPIW", "1201"}});
        AdminFixture::AddRow(StaleDb, "WIW", {{"IDWIW", "12"}});
        AdminFixture::AddOperator("001", "Kowalski Jan", "Administrator", "admin", "tajne1");
        AdminFixture::SignIn("001", "Kowalski Jan", "Administrator");
        window().show();
    }

private slots:
    void checkingCouplesButUncheckingDoesNot()
    {
        FormAdmBaz &form = window();
        form.CheckZaklad->setChecked(true);
        QVERIFY(form.CheckAllPartie->isChecked() && form.CheckAllProbki->isChecked() &&
                form.CheckMatZuz->isChecked() && !form.CheckPIW->isChecked());
        form.CheckAllPartie->setChecked(false);
        QVERIFY(form.CheckAllProbki->isChecked() && form.CheckZaklad->isChecked());
        PRESS(&form, "ComZamk");
        for (QCheckBox *box : form.findChildren<QCheckBox *>())
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        QVERIFY(!form.CheckArch->isEnabled());
    }

    void brokenRuleDeletesNothing_data()
    {
        QTest::addColumn<QString>("unchecked");
        QTest::addColumn<QString>("message");
        const QString rule =
            QStringLiteral("Musisz zaznaczyć pole %1 jeśli zaznaczone jest pole %2.");
        QTest::newRow("samples") << "CheckAllProbki"
                                 << rule.arg("'Wszystkie próbki'", "'Wszystkie partie'");
        QTest::newRow("materials")
            << "CheckMatZuz" << rule.arg("'Materiały zużyte'", "'Wszystkie partie'");
        QTest::newRow("batches") << "CheckAllPartie" << rule.arg("'Wszystkie partie'", "'Zakład'");
    }

    void brokenRuleDeletesNothing()
    {
        QFETCH(QString, unchecked);
        QFETCH(QString, message);
        const QList<int> before = counts();
        window().CheckZaklad->setChecked(true);
        window().findChild<QCheckBox *>(unchecked)->setChecked(false);
        const QList<ui::ShownDialog> shown = clean({"OK"});
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, QStringLiteral("KONTROLA INTEGRALNOŚCI"));
        QCOMPARE(counts(), before);
    }

    void eachBoxEmptiesItsTablesOnly_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("none") << "" << Question << QList<int>{2, 2, 2, 2, 1, 1, 1, 1, 1, 1};
        QTest::newRow("samples") << "CheckAllProbki" << Question
                                 << QList<int>{0, 2, 2, 2, 1, 1, 1, 1, 1, 1};
        QTest::newRow("batches with their runs")
            << "CheckAllPartie" << WithRuns << QList<int>{0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
        QTest::newRow("clients") << "CheckZaklad" << WithRuns
                                 << QList<int>{0, 0, 0, 0, 0, 0, 1, 1, 1, 1};
        QTest::newRow("county") << "CheckPIW" << Question
                                << QList<int>{2, 2, 2, 2, 1, 1, 0, 1, 1, 1};
        QTest::newRow("regional") << "CheckWIW" << Question
                                  << QList<int>{2, 2, 2, 2, 1, 1, 1, 0, 1, 1};
    }

    void eachBoxEmptiesItsTablesOnly()
    {
        QFETCH(QString, box);
        QFETCH(QString, question);
        QFETCH(QList<int>, after);
        if (!box.isEmpty())
            window().findChild<QCheckBox *>(box)->setChecked(true);
        const QList<ui::ShownDialog> shown = clean({"Yes", "OK"});
        QCOMPARE(shown[0].text, question);
        QCOMPARE(shown[0].title, QStringLiteral("USUWANIE DANYCH!"));
        QCOMPARE(shown[0].style, 292);
        QCOMPARE(shown[1].text, Success);
        QCOMPARE(shown[1].style, 64);
        QCOMPARE(counts(), after);
    }

    void noToTheQuestionDeletesNothing()
    {
        const QList<int> before = counts();
        window().CheckZaklad->setChecked(true);
        QCOMPARE(clean({"No"}).size(), 1);
        QCOMPARE(counts(), before);
    }

    // A missing table is reported by its name; the others are still emptied.
    void missingTableIsReportedAndTheRestCleaned()
    {
        MonthDb.Execute(QStringLiteral("DROP TABLE zuzyte"));
        window().CheckAllPartie->setChecked(true);
        window().CheckPIW->setChecked(true);
        const QList<ui::ShownDialog> shown = clean({"Yes", "OK", "OK"});
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[1].title, QStringLiteral("Czyszczenie tabeli ZUZYTE"));
        QVERIFY2(shown[1].text.startsWith(QStringLiteral("3078")), qPrintable(shown[1].text));
        QVERIFY(shown[2].text.startsWith(QStringLiteral("Nie wszystkie tabele zostały")));
        for (const char *table : {"Badanie", "Partia", "Nastawienie", "PozycjaN"})
            QCOMPARE(AdminFixture::RowCount(MonthDb, QLatin1String(table)), 0);
        QCOMPARE(AdminFixture::RowCount(StaleDb, QStringLiteral("PIW")), 0);
    }

    // An older month file without runs and trays: the batches are emptied and
    // nothing is reported for the tables it does not have.
    void batchesOfAMonthWithoutRuns()
    {
        MonthDb.Execute(QStringLiteral("DROP TABLE PozycjaN"));
        MonthDb.Execute(QStringLiteral("DROP TABLE Nastawienie"));
        window().CheckAllPartie->setChecked(true);
        const QList<ui::ShownDialog> shown = clean({"Yes", "OK"});
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text, Success);
        for (const char *table : {"Badanie", "Partia", "zuzyte"})
            QCOMPARE(AdminFixture::RowCount(MonthDb, QLatin1String(table)), 0);
    }

    void onlyAnAdministratorMayClean_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("administrator") << " administrator " << true;
        QTest::newRow("assistant") << "Asystent" << false;
        QTest::newRow("none") << "" << false;
    }

    void onlyAnAdministratorMayClean()
    {
        QFETCH(QString, kind);
        QFETCH(bool, enabled);
        AdminFixture::SignIn("002", "Nowak Anna", kind);
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormAdmBaz", [&](QWidget &) {
            QCOMPARE(window().ComWyczysc->isEnabled(), enabled);
            // The warning shows in its three lines.
            QCOMPARE(window().LabOpis->text().split(u'\n').size(), 3);
        });
        FormAdmBaz::Open();
        SCRIPTED_UI_VERIFY(scripted);
    }
};

QTEST_MAIN(FormAdmBazTest)
#include "tst_FormAdmBaz.moc"
