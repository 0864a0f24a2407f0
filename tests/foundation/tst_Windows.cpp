#include "Press.h"

#include "foundation/DatePickers.h"
#include "foundation/FormAlarm.h"
#include "foundation/FormZegar.h"
#include "foundation/FrmInfQXrec.h"
#include "foundation/Messages.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

QString selected(const QListWidget *list)
{
    return list->currentItem() ? list->currentItem()->text() : QString();
}

// The time picker opens with these selections; `choose` then picks an hour.
void expectTimePicker(ui::ScriptedUi &scripted, const QString &opensAt, int choose = -1)
{
    scripted.AnswerWindow("FormZegar", [opensAt, choose](QWidget &window) {
        auto &clock = static_cast<FormZegar &>(window);
        QCOMPARE(selected(clock.ListGodz) + ':' + selected(clock.ListMin), opensAt);
        if (choose >= 0)
            clock.ListGodz->setCurrentRow(choose);
    });
}

} // namespace

// The error and alarm boxes, the date and time pickers and the about box.
class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ui::WindowRegistry::Reset(); }

    void errorReportShowsNumberAndDescription();
    void alarmPlacement_data();
    void alarmPlacement();
    void alarmCountsDownAndStartsAfreshAfterItsButton();
    void showAlarmFillsTheBox();
    void pickDateKeepsLastPick();
    void pickPastDateRefusesLaterDay();
    void timePicker();
    void aboutBox();
};

void WindowsTest::errorReportShowsNumberAndDescription()
{
    ui::ScriptedUi scripted;
    for (int i = 0; i < 3; ++i)
        scripted.Answer("OK");
    try {
        throw RuntimeError(91, "Nie ustawiono zmiennej obiektu.");
    } catch (const RuntimeError &) {
        ShowError("Powiadom programistę!");
    }
    QCOMPARE(scripted.Last().text, QStringLiteral("91Nie ustawiono zmiennej obiektu."));
    QCOMPARE(scripted.Last().title, QStringLiteral("Powiadom programistę!"));
    QCOMPARE(scripted.Last().style, 48);
    ShowError("SprBrakKol", RuntimeError(3078, " brak tabeli"));
    QCOMPARE(scripted.Last().text, QStringLiteral("3078 brak tabeli"));
    ShowInfo("tekst", "INFORMACJA");
    QCOMPARE(scripted.Last().style, 64);
    SCRIPTED_UI_VERIFY(scripted);
}

void WindowsTest::alarmPlacement_data()
{
    QTest::addColumn<int>("textLength");
    QTest::addColumn<int>("captionLength");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("left");
    QTest::newRow("long text, ALARM!!!") << 40 << 8 << 3180 << 4210;
    QTest::newRow("short text") << 3 << 16 << 3180 << 4210;
    QTest::newRow("both 60") << 60 << 60 << 10000 << 800;
    QTest::newRow("shorter sets it") << 20 << 30 << 4600 << 3500;
    QTest::newRow("beyond 160") << 400 << 300 << 10000 << 800;
}

void WindowsTest::alarmPlacement()
{
    QFETCH(int, textLength);
    QFETCH(int, captionLength);
    QFETCH(int, width);
    QFETCH(int, left);
    const FormAlarm::Placement placement =
        FormAlarm::PlacementFor(QString(textLength, 'x'), QString(captionLength, 'y'));
    QCOMPARE(placement.width, width);
    QCOMPARE(placement.left, left);
}

void WindowsTest::alarmCountsDownAndStartsAfreshAfterItsButton()
{
    auto &alarm = ui::WindowRegistry::Instance<FormAlarm>();
    alarm.Prepare("tekst", "ALARM!!!", 3, true);
    alarm.show();
    alarm.Timer1->stop(); // the test drives the clock
    const QDateTime start(QDate(2026, 3, 5), QTime(10, 0, 0));
    alarm.Tick(start);
    alarm.Tick(start.addSecs(1));
    QCOMPARE(alarm.Phase(), 2);
    QVERIFY(alarm.Picture2->isVisible() && !alarm.Picture1->isVisible());
    PRESS(&alarm, "ComZamk");
    QVERIFY(alarm.isHidden());

    alarm.MEBZwl->setText("x"); // no number: one second
    alarm.show();
    alarm.Timer1->stop();
    alarm.Tick(start.addSecs(60)); // a new countdown, not the old one
    QCOMPARE(alarm.Phase(), 1);
    alarm.Tick(start.addSecs(61));
    alarm.Tick(start.addSecs(62));
    QCOMPARE(alarm.Phase(), 3);
    QVERIFY(alarm.Picture1->isVisible() && alarm.isVisible());
    alarm.Tick(start.addMSecs(62250));
    QVERIFY(alarm.isHidden());
    QVERIFY(!alarm.Picture1->isVisibleTo(&alarm) && !alarm.Picture2->isVisibleTo(&alarm));
}

void WindowsTest::showAlarmFillsTheBox()
{
    ui::ScriptedUi scripted;
    scripted.AnswerWindow("FormAlarm", [](QWidget &window) {
        auto &alarm = static_cast<FormAlarm &>(window);
        QCOMPARE(alarm.windowTitle(), QStringLiteral("dd.mm.rrrr"));
        QCOMPARE(alarm.Label1->text(), QStringLiteral("Ustaw format\ndaty"));
        QCOMPARE(alarm.MEBZwl->text(), QStringLiteral("15"));
        QVERIFY(alarm.ComZamk->isVisibleTo(&alarm));
        QCOMPARE(alarm.width(), 3180 / 15);
    });
    ShowAlarm("Ustaw format\rdaty", "dd.mm.rrrr", 15, true);
    SCRIPTED_UI_VERIFY(scripted);
}

void WindowsTest::pickDateKeepsLastPick()
{
    ui::ScriptedUi scripted;
    const QDate picked(2026, 1, 15);
    for (const QDate &date : {picked, QDate(2026, 2, 1), QDate(2026, 2, 2)})
        scripted.AnswerDate(date);
    QCOMPARE(PickDate(QString(), QStringLiteral("WYBIERZ DATĘ")), picked);
    QCOMPARE(scripted.Last().date, QDate::currentDate());
    QCOMPARE(scripted.Last().title, QStringLiteral("WYBIERZ DATĘ"));
    PickDate("nie data", "WYBIERZ DATĘ");
    QCOMPARE(scripted.Last().date, picked);
    PickDate("05-03-2010", "WYBIERZ DATĘ");
    QCOMPARE(scripted.Last().date, QDate(2010, 3, 5));
    SCRIPTED_UI_VERIFY(scripted);
}

void WindowsTest::pickPastDateRefusesLaterDay()
{
    ui::ScriptedUi scripted;
    const QDate today = QDate::currentDate();
    for (const QDate &date : {today.addDays(-3), today.addDays(1), today.addDays(5)})
        scripted.AnswerDate(date);
    scripted.Answer("OK");
    scripted.Answer("OK");
    QCOMPARE(PickPastDate(QString(), QStringLiteral("DATA UBOJU")), today.addDays(-3));
    QCOMPARE(PickPastDate(QStringLiteral("01.02.2020"), QStringLiteral("DATA UBOJU")),
             QDate(2020, 2, 1));
    QCOMPARE(scripted.Last().title, QStringLiteral("DATA"));
    QCOMPARE(scripted.Last().style, 48);
    QCOMPARE(scripted.Last().text, "Nie możesz wybrać daty późniejszej\rod dnia dzisiejszego!");
    // Without a date to go back to, the calendar's own value is handed back.
    QCOMPARE(PickPastDate(QString(), QStringLiteral("DATA UBOJU")), QDate(2020, 2, 1));
    QCOMPARE(scripted.Log().size(), 5); // three calendars, two warnings
    SCRIPTED_UI_VERIFY(scripted);
}

void WindowsTest::timePicker()
{
    ui::ScriptedUi scripted;
    expectTimePicker(scripted, "08:30");
    expectTimePicker(scripted, "08:30"); // 25:99 keeps them
    expectTimePicker(scripted, "08:45", 7);
    QString time = "08:30";
    QCOMPARE(PickTime(time), QStringLiteral("08:30"));
    time = "25:99";
    QCOMPARE(PickTime(time), QStringLiteral("08:30"));
    time = "7:45"; // too short an hour matches none
    QCOMPARE(PickTime(time), QStringLiteral("07:45"));
    scripted.AnswerWindow("FormZegar");
    time.clear();
    const QString picked = PickTime(time);
    QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch());
    QCOMPARE(picked, time.left(5));
    SCRIPTED_UI_VERIFY(scripted);

    auto &clock = ui::WindowRegistry::Instance<FormZegar>();
    clock.show();
    clock.ListGodz->setCurrentRow(-1);
    // Enter with no hour chosen yet: the first one, and the clock stays open.
    QTest::keyClick(clock.ListMin, Qt::Key_Return);
    QVERIFY(clock.isVisible());
    QCOMPARE(selected(clock.ListGodz), QStringLiteral("00"));
    DOUBLE_CLICK(&clock, "ListMin");
    QVERIFY(clock.isHidden());
}

void WindowsTest::aboutBox()
{
    QTemporaryDir folder;
    QCOMPARE(FrmInfQXrec::VersionText(folder.path()), QStringLiteral("???"));
    QFile program(folder.filePath("mervasklab.exe"));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.close();
    QVERIFY(FrmInfQXrec::VersionText(folder.path()).startsWith(QStringLiteral("Wersja z ")));

    // The button and any key close the box (the main window shows its date
    // again when the box has closed).
    auto &about = ui::WindowRegistry::Instance<FrmInfQXrec>();
    about.show();
    PRESS(&about, "ComSplashZamk");
    QVERIFY(about.isHidden());
    about.show();
    QTest::keyClick(&about, Qt::Key_X);
    QVERIFY(about.isHidden());
}

QTEST_MAIN(WindowsTest)
#include "tst_Windows.moc"
