#include "AdminFixture.h"
#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"

#include "foundation/Globals.h"
#include "mainwindow/MaterialsGate.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/FormIlTestow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace
{

const QString OnlyAdministrator =
    QStringLiteral("Zmiany w istniejącym zapisie może wprowadzać tylko administrator!");
const QString OnlyAssistant =
    QStringLiteral("Zapisu może dokonać tylko asystent lub administrator programu!");
const QDate FreeDay{2024, 3, 6};
const QString FreeDayText = QStringLiteral("06.03.2024");

// "Open", or the notice of a locked entry.
QString state(const FormIlTestow &form)
{
    const bool open = form.TextIlTestow->isEnabled() && form.TextIlPlytek->isEnabled() &&
                      form.ComZapisz->isEnabled();
    const bool locked = !form.TextIlTestow->isEnabled() && !form.TextIlPlytek->isEnabled() &&
                        !form.ComZapisz->isEnabled();
    if (open && form.LabOpis->text().isEmpty())
        return QStringLiteral("open");
    return locked ? form.LabOpis->text() : QStringLiteral("inconsistent");
}

// Runs the gate; the entry must open, and the check runs on it.
void expectEntry(const QString &day, const std::function<void(FormIlTestow &)> &check)
{
    ui::ScriptedUi scripted;
    scripted.AnswerWindow("FormIlTestow",
                          [&](QWidget &window) { check(static_cast<FormIlTestow &>(window)); });
    MaterialsGate(day, QString()).Run();
    SCRIPTED_UI_VERIFY(scripted);
}

QList<QVariant> materials(const char *field)
{
    return AdminFixture::Column(MonthDb, "zuzyte", QLatin1String(field));
}

FormIlTestow &entry(const QString &tests, const QString &plates)
{
    FormIlTestow &form = ui::WindowRegistry::Instance<FormIlTestow>();
    form.LabData->setText(FreeDayText);
    form.show();
    [&] {
        RETYPE(&form, "TextIlTestow", tests);
        RETYPE(&form, "TextIlPlytek", plates);
    }();
    return form;
}

} // namespace

// The way into the daily entry of materials used (which days, what it
// shows, who may change it) and the entry's own save.
class MaterialsGateTest : public FixtureTest<AdminFixture>
{
    Q_OBJECT

    void Prepare() override
    {
        for (const QDate &day : {AdminFixture::Day, FreeDay})
            AdminFixture::AddRow(MonthDb, "Partia", {{"Partia", day.day()}, {"DataDoLab", day}});
        AdminFixture::AddRow(
            MonthDb, "zuzyte",
            {{"DataDoLab", AdminFixture::Day}, {"IlTestow", 2.5f}, {"IlPlytek", 4}});
    }

private slots:
    void rightsByKindAndDay_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("quantities");
        const QString row = AdminFixture::DayText;
        QTest::newRow("administrator, row") << "Administrator" << row << "open"
                                            << "2,5 4";
        QTest::newRow("administrator, none") << "Administrator" << FreeDayText << "open"
                                             << "0 0";
        QTest::newRow("assistant, row") << " asystent " << row << OnlyAdministrator << "2,5 4";
        QTest::newRow("assistant, none") << "Asystent" << FreeDayText << "open"
                                         << "0 0";
        QTest::newRow("operator, row") << "Operator" << row << OnlyAssistant << "2,5 4";
        QTest::newRow("operator, none") << "OPERATOR" << FreeDayText << OnlyAssistant << "0 0";
    }

    void rightsByKindAndDay()
    {
        QFETCH(QString, kind);
        QFETCH(QString, day);
        QFETCH(QString, state);
        QFETCH(QString, quantities);
        AdminFixture::SignIn("002", "Nowak Anna", kind);
        expectEntry(day, [&](FormIlTestow &form) {
            QCOMPARE(form.LabData->text(), day);
            QCOMPARE(::state(form), state);
            QCOMPARE(form.TextIlTestow->text() + ' ' + form.TextIlPlytek->text(), quantities);
        });
    }

    // Each opening starts afresh: a locked day leaves nothing behind.
    void lockedDayThenFreeDay()
    {
        AdminFixture::SignIn("003", "Wiśniewska Ewa", "Asystent");
        expectEntry(AdminFixture::DayText,
                    [](FormIlTestow &form) { QCOMPARE(state(form), OnlyAdministrator); });
        expectEntry(FreeDayText, [](FormIlTestow &form) { QCOMPARE(state(form), "open"); });
    }

    void dayWithoutBatchesIsReportedOnlyAfterTheMenu()
    {
        ui::ScriptedUi scripted;
        MaterialsGate(QStringLiteral("07.03.2024"), QString()).Run();
        QVERIFY(scripted.Log().isEmpty());
        scripted.Answer("OK");
        MaterialsGate(QStringLiteral("07.03.2024"), QStringLiteral("menu")).Run();
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 1);
        QCOMPARE(scripted.Last().text,
                 QStringLiteral("Brak zdefiniowanych partii próbek dnia 07.03.2024!\rNie możesz "
                                "wpisać zużytych materiałów!"));
        QCOMPARE(scripted.Last().title, QStringLiteral("FORMAT DATY"));
        QCOMPARE(scripted.Last().style, 48);
    }

    void missingTableOrNullQuantitiesEndNothing()
    {
        AdminFixture::AddRow(MonthDb, "zuzyte", {{"DataDoLab", FreeDay}});
        expectEntry(FreeDayText, [](FormIlTestow &form) {
            QCOMPARE(form.TextIlTestow->text() + form.TextIlPlytek->text(), QStringLiteral("00"));
        });
        MonthDb.Execute(QStringLiteral("DROP TABLE zuzyte"));
        ui::ScriptedUi scripted;
        scripted.Answer("OK");
        MaterialsGate(AdminFixture::DayText, QString()).Run();
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 1);
        QVERIFY(scripted.Last().text.startsWith(QStringLiteral("3078")));
    }

    void entryRefusesWhatIsNoNumber_data()
    {
        QTest::addColumn<QString>("tests");
        QTest::addColumn<QString>("plates");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("tests") << "dwa"
                               << "1"
                               << "Pole ilość testów nie jest cyfrą! Popraw!"
                               << "TextIlTestow";
        QTest::newRow("plates") << "1"
                                << "1,2,3"
                                << "Pole ilość płytek nie jest cyfrą! Popraw!"
                                << "TextIlPlytek";
    }

    void entryRefusesWhatIsNoNumber()
    {
        QFETCH(QString, tests);
        QFETCH(QString, plates);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        FormIlTestow &form = entry(tests, plates);
        ui::ScriptedUi scripted;
        scripted.Answer("OK");
        PRESS(&form, "ComZapisz");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text, message);
        QCOMPARE(form.focusWidget()->objectName(), focus);
        QCOMPARE(materials("DataDoLab").size(), 1);
    }

    // One row per day; zero quantities only after a Yes.
    // Another workstation corrects the day's quantities, deletes the day's
    // row or adds one while the entry is open: the save is refused with the
    // engine's message and nothing of the other's is lost.
    void entryOverQuantitiesChangedElsewhereIsRefused_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("message");
        const QString changed =
            QStringLiteral("3197Inny użytkownik zmienił ten rekord, od kiedy został odczytany. "
                           "Odśwież dane i spróbuj ponownie.");
        QTest::newRow("corrected")
            << AdminFixture::DayText << "UPDATE zuzyte SET IlPlytek = 5" << changed;
        QTest::newRow("deleted") << AdminFixture::DayText << "DELETE FROM zuzyte"
                                 << "3167Rekord jest usunięty.";
        QTest::newRow("added") << FreeDayText
                               << "INSERT INTO zuzyte (DataDoLab, IlTestow, IlPlytek) SELECT "
                                  "replace(DataDoLab, '2024-03-05', '2024-03-06'), 7, 7 FROM "
                                  "zuzyte"
                               << changed;
    }

    void entryOverQuantitiesChangedElsewhereIsRefused()
    {
        QFETCH(QString, day);
        QFETCH(QString, statement);
        QFETCH(QString, message);
        AdminFixture::SignIn("001", "Kowalski Jan", "Administrator");
        QList<QVariantList> others;
        expectEntry(day, [&](FormIlTestow &form) {
            RETYPE(&form, "TextIlTestow", QStringLiteral("3"));
            RETYPE(&form, "TextIlPlytek", QStringLiteral("6"));
            QVERIFY(other_workstation::Run({statement}, MonthDb));
            others = {materials("DataDoLab"), materials("IlTestow"), materials("IlPlytek")};
            ui::ScriptedUi scripted;
            scripted.Answer("OK");
            PRESS(&form, "ComZapisz");
            SCRIPTED_UI_VERIFY(scripted);
            QCOMPARE(scripted.Last().text, message);
            QVERIFY(form.isVisible());
            form.hide();
        });
        QCOMPARE((QList<QVariantList>{materials("DataDoLab"), materials("IlTestow"),
                                      materials("IlPlytek")}),
                 others);
    }

    void entryWritesOneRowPerDay()
    {
        FormIlTestow &form = entry(QStringLiteral(" 1,5 "), QStringLiteral("0"));
        ui::ScriptedUi scripted;
        scripted.Answer("No");
        PRESS(&form, "ComZapisz");
        QCOMPARE(scripted.Last().style, 292);
        QCOMPARE(materials("DataDoLab").size(), 1);
        RETYPE(&form, "TextIlPlytek", QStringLiteral("3"));
        PRESS(&form, "ComZapisz");
        QVERIFY(form.isHidden());
        form.show(); // the same day's entry opened again
        RETYPE(&form, "TextIlTestow", QStringLiteral("2.25"));
        PRESS(&form, "ComZapisz");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(materials("DataDoLab").count(QVariant(FreeDay)), 1);
        QCOMPARE(materials("IlPlytek").last().toFloat(), 3.0f);
        QCOMPARE(FormIlTestow::QuantityText(materials("IlTestow").last()), QStringLiteral("2,25"));
    }
};

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<MaterialsGateTest>(argc, argv);
}
#include "tst_MaterialsGate.moc"
