#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "Press.h"
#include "RunWindow.h"

#include "digestion/FormNastawienie.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/FormZegar.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DialogText.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "samples/FormBadanie.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using F = DigestionFixture;

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");

QString runField(int run, const char *field)
{
    return F::Column(MonthDb,
                     QStringLiteral("SELECT * FROM Nastawienie WHERE Nastawienie = %1").arg(run),
                     QLatin1String(field))
        .join(u'|');
}

const QVariantMap FullRun{{"NrTac", "1-5"},
                          {"IlProbek", 50},
                          {"Nawazka", 7.5},
                          {"Pepsyna", 10},
                          {"Kwas", 16},
                          {"Temperatura", "45"},
                          {"TemperaturaMax", "47"},
                          {"Czas", "30"},
                          {"CzasSedymentacji1", "10"},
                          {"CzasSedymentacji2", "20"},
                          {"Waga", "W-1"},
                          {"Termometr", "T-1"},
                          {"Mieszadlo", "M-1"},
                          {"Trychinoskop", "Tr-1"},
                          {"Sito", "S-1"},
                          {"OdczynnikHCL", "HCl 12/2026"},
                          {"OdczynnikPepsyna", "P 01/2027"},
                          {"GodzRozpBad", "08:00"},
                          {"Wykonujacy", "Łucja Żak"},
                          {"Odpowiedzialny", "Jan Lis"},
                          {"Uwagi", "próba kontrolna"}};

} // namespace

// The run window (opening, lists, keys, jump, close) and the run record (new,
// checks, correction with its trays, duplicate, delete), driven through its
// buttons.
class tst_FormNastawienie : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

private slots:
    // The header, the runs and the trays of the current run; another batch
    // without runs replaces all of it, and nothing can be done on no run.
    void openingForBatches()
    {
        F::AddBatch(12);
        F::AddBatch(13);
        for (int run : {2, 1})
            F::AddRun(12, run);
        for (int tray : {3, 1, 2})
            F::AddTray(12, 1, tray);
        F::AddTray(12, 2, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [](FormNastawienie &w) {
            QCOMPARE(w.LabPartia->text(), QStringLiteral("12"));
            QCOMPARE(w.LabData->text(), QStringLiteral("05.03.2024"));
            QCOMPARE(w.LabelKod->text(), QStringLiteral("14650301"));
            QCOMPARE(w.LabZaklad->text(), F::Heading(12).Zaklad);
            QVERIFY(!InitOnActivate);
            QCOMPARE(Listed(w.DataPartia, "Nastawienie"), QStringList({"1", "2"}));
            QCOMPARE(Listed(w.DataPartiaG, "NrTacy"), QStringList({"1", "2", "3"}));
            QCOMPARE(w.DBGridPartiaG->Caption(),
                     QStringLiteral("POZYCJE NASTAWIENIA NR: 1               ILOŚĆ POZYCJI: 3"));
            SelectRun(w, 2);
            QCOMPARE(w.DBGridPartiaG->Caption(),
                     QStringLiteral("POZYCJE NASTAWIENIA NR: 2               ILOŚĆ POZYCJI: 1"));
        });
        InRunWindow(scripted, 13, [](FormNastawienie &w) {
            QCOMPARE(w.LabPartia->text(), QStringLiteral("13"));
            QCOMPARE(w.DataPartia->RowCount() + w.DataPartiaG->RowCount(), 0);
            QCOMPARE(w.DBGridPartiaG->Caption(), QStringLiteral("POZYCJE NASTAWIENIA"));
            for (const char *button : {"ComPopraw", "ComUsun", "ComDuplikuj", "ComDodajG",
                                       "ComPoprawG", "ComUsunG", "ComPrzejdzDo"})
                PRESS(&w, button);
            QVERIFY(w.FramePartia->isHidden() && w.FramePartiaG->isHidden());
        });
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(scripted.Log().size() == 2); // the two windows, no box
    }

    void jumpToOneSample_data()
    {
        QTest::addColumn<QString>("carcasses");
        QTest::addColumn<bool>("opens");
        QTest::newRow("one number") << "12" << true;
        QTest::newRow("a number no sample has") << "99" << true;
        for (const char *text : {"201-250", "1,5", "1e3", "", " "})
            QTest::newRow(text) << text << false;
    }

    // A single carcass number opens the samples on it; anything else shows
    // the two-line information and opens nothing.
    void jumpToOneSample()
    {
        QFETCH(QString, carcasses);
        QFETCH(bool, opens);
        F::AddBatch(12);
        F::AddRun(12, 1);
        F::AddTray(12, 1, 1, {{"NrTusz", carcasses}});
        for (int carcass : {11, 12, 13})
            F::AddSample(12, carcass);
        F::AddSample(13, 12);
        ui::ScriptedUi scripted;
        int shownCarcass = 0;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            if (opens) {
                scripted.AnswerWindow("FormBadanie", [&](QWidget &window) {
                    auto &samples = static_cast<FormBadanie &>(window);
                    QCOMPARE(samples.LabPartia->text(), QStringLiteral("12"));
                    QCOMPARE(samples.DataBad->RowCount(), 3);
                    shownCarcass =
                        samples.DataBad->Recordset()(QStringLiteral("NrProbki")).Value().toInt();
                });
            } else {
                scripted.Answer("OK");
            }
            PRESS(&w, "ComPrzejdzDo");
        });
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(FormRequest.isEmpty());
        if (opens) {
            QCOMPARE(shownCarcass, carcasses == "12" ? 12 : 11);
            return;
        }
        QCOMPARE(scripted.Last().text,
                 QStringLiteral("Przejście do edycji próbek jest możliwe tylko w przypadku, kiedy "
                                "w polu 'Nr tuszy'\rzaznaczonej pozycji nastawienia wpisany jest "
                                "numer pojedynczej próbki!"));
        QCOMPARE(scripted.Last().title, QStringLiteral("INFORMACJA"));
        QCOMPARE(scripted.Last().Icon(), ui::vbInformation);
    }

    // The close box is refused while a frame is open and closes as
    // "&Zamknij" otherwise; Enter in the remark loses nothing.
    void closeBoxAndRemarkKeys()
    {
        F::AddBatch(12);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [](FormNastawienie &w) {
            PRESS(&w, "ComDodajPr");
            w.close();
            QVERIFY(w.isVisible() && w.FramePartia->isVisible());
            QTest::keyClick(&w, Qt::Key_Escape);
            QVERIFY(w.isVisible());

            w.TextUwagi->setPlainText("ab\ncd");
            QTextCursor cursor = w.TextUwagi->textCursor();
            cursor.setPosition(1);
            w.TextUwagi->setTextCursor(cursor);
            QTest::keyClick(w.TextUwagi, Qt::Key_Return);
            QCOMPARE(w.TextUwagi->toPlainText(), QStringLiteral("ab\ncd"));
            QCOMPARE(w.TextUwagi->textCursor().position(), 2);
            w.TextUwagi->moveCursor(QTextCursor::End);
            QTest::keyClick(w.TextUwagi, Qt::Key_Enter);
            QCOMPARE(w.TextUwagi->toPlainText(), QStringLiteral("ab\ncd"));

            PRESS(&w, "ComAnulujFr");
            QVERIFY(ListsEnabled(w));
            w.close();
            QVERIFY(!w.isVisible());
        });
        InRunWindow(scripted, 12, [](FormNastawienie &w) {
            QVERIFY(w.FramePartia->isHidden() && ListsEnabled(w));
        });
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Enter moves on from a number box, a pick in an equipment list moves on,
    // and the date button writes the picked day; a new run that cannot be
    // prepared returns to browsing.
    void keysPickersAndFailedOpen()
    {
        F::AddBatch(12);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            QVERIFY(QTest::qWaitForWindowActive(&w));
            PRESS(&w, "ComDodajPr");
            w.TextNastawienie->setFocus();
            QTest::keyClick(w.TextNastawienie, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.TextNrTac);
            w.TextCzas->setFocus();
            QTest::keyClick(w.TextCzas, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.TextCzasSedymentacji1);
            w.ComboWaga->setFocus();
            QTest::keyClick(w.ComboWaga, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.ComboTermometr);
            QCOMPARE(w.ComboWaga->count(), 0); // Enter adds no item
            w.ComboWaga->addItem("Waga Ł-7");
            w.ComboWaga->setFocus();
            emit w.ComboWaga->activated(0);
            QTRY_VERIFY(w.focusWidget() != w.ComboWaga &&
                        w.focusWidget() != w.ComboWaga->lineEdit());

            scripted.AnswerDate(QDate(2024, 3, 4));
            PRESS(&w, "ComDataRozpBad");
            QCOMPARE(w.DTPDataRozpBad->Text(), QStringLiteral("04.03.2024"));
            scripted.AnswerWindow("FormZegar", [](QWidget &clock) {
                FormZegar::SelectItem(static_cast<FormZegar &>(clock).ListGodz, "09");
                FormZegar::SelectItem(static_cast<FormZegar &>(clock).ListMin, "30");
            });
            PRESS(&w, "ComGodzZakBad");
            QCOMPARE(w.TextGodzZakBad->text(), QStringLiteral("09:30"));
            PRESS(&w, "ComAnulujFr");

            MonthDb.Execute("DROP TABLE Partia");
            scripted.Answer("OK");
            PRESS(&w, "ComDodajPr");
            QCOMPARE(scripted.Last().title, QStringLiteral("Powiadom programiste!"));
            QVERIFY(w.FramePartia->isHidden() && ListsEnabled(w));
        });
        SCRIPTED_UI_VERIFY(scripted);
    }

    // Enter moves on from every one-line box and list of the run frame, also
    // from the sedimentation times, the dates, the hours and the persons on:
    // what is typed after it goes into the next field, never into a picker.
    void enterMovesOnThroughTheRunFrame()
    {
        F::AddBatch(12);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            QVERIFY(QTest::qWaitForWindowActive(&w));
            PRESS(&w, "ComDodajPr");
            const auto typeThenEnter = [&](QWidget *box, const char *text, QWidget *next) {
                QTest::keyClicks(box, QString::fromUtf8(text));
                QTest::keyClick(box, Qt::Key_Return);
                QTRY_COMPARE(w.focusWidget(), next);
            };
            w.TextCzas->setFocus();
            typeThenEnter(w.TextCzas, "45", w.TextCzasSedymentacji1);
            typeThenEnter(w.TextCzasSedymentacji1, "30", w.TextCzasSedymentacji2);
            typeThenEnter(w.TextCzasSedymentacji2, "10", w.ComboWaga);
            w.ComboSito->setFocus();
            typeThenEnter(w.ComboSito, "S-2", w.ComboOdczynnikHCL);
            w.ComboWynik->setFocus();
            typeThenEnter(w.ComboWynik, "nie", w.DTPDataRozpBad);
            press::Settle(); // the focus moved once, not twice
            QCOMPARE(w.focusWidget(), w.DTPDataRozpBad);
            // Tab out of a list whose typed text matches another entry moves
            // on once too.
            for (const char *typed : {"stwierdzono", "nie stwierdzono"}) {
                w.ComboWynik->setFocus();
                QTest::keyClick(w.ComboWynik, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(w.ComboWynik, QString::fromUtf8(typed));
                QTest::keyClick(w.ComboWynik, Qt::Key_Tab);
                press::Settle();
                QCOMPARE(w.focusWidget(), w.DTPDataRozpBad);
            }
            // From a date or an hour, Enter goes on to the next box, past the
            // box's picker, which Tab still comes to.
            w.DTPDataRozpBad->setFocus();
            QTest::keyClick(w.DTPDataRozpBad, Qt::Key_Tab);
            QTRY_COMPARE(w.focusWidget(), w.ComDataRozpBad);
            w.DTPDataRozpBad->setFocus();
            QTest::keyClick(w.DTPDataRozpBad, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.TextGodzRozpBad);
            press::Settle();
            QCOMPARE(w.focusWidget(), w.TextGodzRozpBad);
            typeThenEnter(w.TextGodzRozpBad, "08:15", w.DTPDataZakBad);
            QTest::keyClick(w.DTPDataZakBad, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.TextGodzZakBad);
            typeThenEnter(w.TextGodzZakBad, "09:40", w.ComboWykonujacy);
            typeThenEnter(w.ComboWykonujacy, "Jan Lis", w.ComboOdpowiedzialny);
            typeThenEnter(w.ComboOdpowiedzialny, "Ewa Bak", w.TextUwagi);
            PRESS(&w, "ComZapiszFr");
            QVERIFY(w.FramePartia->isHidden());
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(runField(1, "Czas") + '|' + runField(1, "CzasSedymentacji1") + '|' +
                     runField(1, "CzasSedymentacji2") + '|' + runField(1, "Sito") + '|' +
                     runField(1, "Wynik") + '|' + runField(1, "GodzRozpBad") + '|' +
                     runField(1, "GodzZakBad") + '|' + runField(1, "Wykonujacy") + '|' +
                     runField(1, "Odpowiedzialny"),
                 QStringLiteral("45|30|10|S-2|nie stwierdzono|08:15|09:40|Jan Lis|Ewa Bak"));
    }

    // A new run: its defaults, every check of the save in order with its box
    // and focus, nothing written until all pass; then the list stands on the
    // highest run.
    void newRunThroughEveryCheck()
    {
        F::AddBatch(12);
        for (int run : {1, 2, 5})
            F::AddRun(12, run);
        F::AddTray(12, 1, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            PRESS(&w, "ComDodajPr");
            QCOMPARE(w.FramePartia->title(), QStringLiteral("NOWE NASTAWIENIE"));
            QCOMPARE(w.TextNastawienie->text(), QStringLiteral("6"));
            QCOMPARE(w.TextTemperatura->text() + '/' + w.TextTemperaturaMax->text(),
                     QStringLiteral("44/46"));
            QCOMPARE(w.DTPDataRozpBad->Text() + '/' + w.DTPDataZakBad->Text(),
                     QStringLiteral("05.03.2024/06.03.2024"));
            QVERIFY(w.TextGodzRozpBad->text().isEmpty() && w.ComboWynik->currentText().isEmpty());
            QCOMPARE(w.focusWidget(), w.TextNrTac);
            QVERIFY(!w.DBGridPartia->isEnabled() && !w.ComZamk->isEnabled() &&
                    !w.DBGridPartiaG->isEnabled() && !w.LabData->isEnabled());

            struct Step {
                const char *number, *start, *end, *text;
                int style;
                QString title;
                QWidget *focus;
            };
            const QString plain = ui::DialogTitle(QString());
            const Step steps[] = {
                {"", "", "", "Wprowadź numer nastawienia!", 0, plain, w.TextNastawienie},
                {" ", "", "", "Nieprawidłowy numer nastawienia. Popraw!", 0, plain,
                 w.TextNastawienie},
                {"A1", "", "", "Nieprawidłowy numer nastawienia. Popraw!", 0, plain,
                 w.TextNastawienie},
                {"99999", "", "", "Nieprawidłowy numer nastawienia. Popraw!", 0, plain,
                 w.TextNastawienie},
                {" 5", "31.02.2024", "",
                 "Nastawienie o numerze: 5 już istnieje.\r\nPopraw nr nastawienia!",
                 ui::vbExclamation, plain, w.TextNastawienie},
                {"3", "31.02.2024", "xx", "Popraw datę rozpoczęcia badania do formatu dd.mm.rrrr",
                 ui::vbInformation, "INFORMACJA", w.DTPDataRozpBad},
                {"3", "05.03.2024", "1.13.2024",
                 "Popraw datę zakończenia badania do formatu dd.mm.rrrr", ui::vbInformation,
                 "INFORMACJA", w.DTPDataZakBad},
            };
            for (const Step &step : steps) {
                RETYPE(&w, "TextNastawienie", QString::fromUtf8(step.number));
                RETYPE(&w, "DTPDataRozpBad", QString::fromUtf8(step.start));
                RETYPE(&w, "DTPDataZakBad", QString::fromUtf8(step.end));
                scripted.Answer("OK");
                PRESS(&w, "ComZapiszFr");
                QCOMPARE(scripted.Last().text, QString::fromUtf8(step.text));
                QCOMPARE(scripted.Last().style, step.style);
                QCOMPARE(scripted.Last().title, step.title);
                QCOMPARE(w.focusWidget(), step.focus);
                QVERIFY(w.FramePartia->isVisible() && !ListsEnabled(w));
            }
            QCOMPARE(F::RowCount(MonthDb, "Nastawienie"), 3);

            RETYPE(&w, "DTPDataZakBad", QString());
            RETYPE(&w, "TextIlProbek", "sto");
            RETYPE(&w, "TextNawazka", "7,5");
            RETYPE(&w, "TextKwas", "16.25");
            RETYPE(&w, "ComboWykonujacy", "Łucja Żak");
            RETYPE(&w, "ComboWynik", "nie stwierdzono");
            PRESS(&w, "ComZapiszFr");
            QVERIFY(w.FramePartia->isHidden() && ListsEnabled(w));
            QCOMPARE(Listed(w.DataPartia, "Nastawienie"), QStringList({"1", "2", "3", "5"}));
            QCOMPARE(CurrentRun(w), 5);
            QCOMPARE(w.DBGridPartiaG->Caption(),
                     QStringLiteral("POZYCJE NASTAWIENIA NR: 5               ILOŚĆ POZYCJI: 0"));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(runField(3, "Partia") + '|' + runField(3, "IlProbek") + '|' +
                     runField(3, "Nawazka") + '|' + runField(3, "Kwas"),
                 QStringLiteral("12||7.5|16.25"));
        QCOMPARE(runField(3, "DataRozpBad") + '|' + runField(3, "DataZakBad") + '|' +
                     runField(3, "Temperatura") + '|' + runField(3, "Wykonujacy"),
                 QStringLiteral("05.03.2024||44|Łucja Żak"));
    }

    // After a new or duplicated run is saved the list is read anew and stands
    // on its last row, the highest run, with that run's trays, also when the
    // new run got a lower number.
    void newRunLeavesListOnHighestRun()
    {
        F::AddBatch(12);
        for (int run : {2, 5, 9})
            F::AddRun(12, run);
        F::AddTray(12, 9, 1);
        F::AddTray(12, 9, 2);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            const auto verifyOnHighest = [&](int row) {
                press::Settle(); // nothing queued moves the list afterwards
                QCOMPARE(CurrentRun(w), 9);
                QCOMPARE(w.DBGridPartia->Row(), row);
                QCOMPARE(w.DBGridPartia->currentIndex().row(), row);
                QCOMPARE(Listed(w.DataPartiaG, "NrTacy"), QStringList({"1", "2"}));
                QCOMPARE(
                    w.DBGridPartiaG->Caption(),
                    QStringLiteral("POZYCJE NASTAWIENIA NR: 9               ILOŚĆ POZYCJI: 2"));
            };
            SelectRun(w, 2);
            PRESS(&w, "ComDodajPr");
            QCOMPARE(w.TextNastawienie->text(), QStringLiteral("10"));
            QTest::keyClick(w.TextNastawienie, Qt::Key_A, Qt::ControlModifier);
            TYPE(&w, "TextNastawienie", QStringLiteral("3"));
            PRESS(&w, "ComZapiszFr");
            verifyOnHighest(3);

            SelectRun(w, 2);
            PRESS(&w, "ComDuplikuj");
            QTest::keyClick(w.TextNastawienie, Qt::Key_A, Qt::ControlModifier);
            TYPE(&w, "TextNastawienie", QStringLiteral("1"));
            PRESS(&w, "ComZapiszFr");
            verifyOnHighest(4);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(
            F::Column(MonthDb, "SELECT * FROM Nastawienie ORDER BY Nastawienie", "Nastawienie"),
            QStringList({"1", "2", "3", "5", "9"}));
    }

    // A correction that renumbers the run moves its trays; one whose write
    // fails changes nothing, keeps the frame open over locked lists and then
    // saves into the run that was loaded.
    void correctionMovesTraysOrNothing()
    {
        F::AddBatch(12);
        F::AddRun(12, 2, {{"Wynik", "stwierdzono"}});
        F::AddRun(12, 4);
        for (int tray : {1, 2, 3})
            F::AddTray(12, 2, tray);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            SelectRun(w, 4);
            PRESS(&w, "ComPopraw");
            QCOMPARE(w.FramePartia->title(), QStringLiteral("EDYCJA NASTAWIENIA"));
            QCOMPARE(w.focusWidget(), w.ComZapiszFr);
            RETYPE(&w, "TextNastawienie", "04");
            PRESS(&w, "ComZapiszFr"); // its own number: no box
            QCOMPARE(CurrentRun(w), 4);

            SelectRun(w, 2);
            PRESS(&w, "ComPopraw");
            QCOMPARE(w.ComboWynik->currentText(), QStringLiteral("stwierdzono"));
            RETYPE(&w, "TextNastawienie", "7");
            RETYPE(&w, "TextIlProbek", "99999"); // too large for the field
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFr");
            QCOMPARE(scripted.Last().title, ErrorCaption);
            QCOMPARE(scripted.Last().style, ui::vbExclamation);
            QVERIFY(scripted.Last().text.startsWith("6"));
            QVERIFY(w.FramePartia->isVisible() && !ListsEnabled(w));
            QCOMPARE(w.FramePartia->title(), QStringLiteral("EDYCJA NASTAWIENIA"));
            QCOMPARE(F::Trays(12, 2), QStringList({"1:10", "2:20", "3:30"}));
            QCOMPARE(F::RowCount(MonthDb, "SELECT * FROM Nastawienie WHERE Nastawienie = 7"), 0);

            // Another run is chosen meanwhile; the save still goes to run 2.
            SelectRun(w, 4);
            RETYPE(&w, "TextIlProbek", "40");
            PRESS(&w, "ComZapiszFr");
            QVERIFY(w.FramePartia->isHidden() && ListsEnabled(w));
            QCOMPARE(CurrentRun(w), 7);
            QCOMPARE(w.DBGridPartiaG->Caption(),
                     QStringLiteral("POZYCJE NASTAWIENIA NR: 7               ILOŚĆ POZYCJI: 3"));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Trays(12, 7), QStringList({"1:10", "2:20", "3:30"}));
        QCOMPARE(
            F::Column(MonthDb, "SELECT * FROM Nastawienie ORDER BY Nastawienie", "Nastawienie"),
            QStringList({"4", "7"}));
        QCOMPARE(runField(7, "IlProbek") + '|' + runField(4, "IlProbek"), QStringLiteral("40|"));
    }

    // Quantities read with the decimal comma in the list and in the frame of a
    // correction, and keep their values when saved unchanged.
    void quantitiesWithDecimalComma()
    {
        F::AddBatch(12);
        F::AddRun(12, 1, {{"Nawazka", 7.5}, {"Pepsyna", 16.1}, {"Kwas", 1234.5}});
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            QCOMPARE(Listed(w.DataPartia, "Nawazka") + Listed(w.DataPartia, "Pepsyna"),
                     QStringList({"7,5", "16,1"}));
            PRESS(&w, "ComPopraw");
            QCOMPARE(w.TextNawazka->text() + '|' + w.TextPepsyna->text() + '|' + w.TextKwas->text(),
                     QStringLiteral("7,5|16,1|1234,5"));
            PRESS(&w, "ComZapiszFr");
            QVERIFY(w.FramePartia->isHidden());
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(runField(1, "Nawazka") + '|' + runField(1, "Kwas"), QStringLiteral("7.5|1234.5"));
        QCOMPARE(F::Column(MonthDb, "SELECT * FROM Nastawienie", "Pepsyna").first().toFloat(),
                 16.1f);
    }

    // A person picked whole, or completed from the first letters typed, with
    // a name longer than the run's field is refused by the save with the
    // field named, and nothing is written; a typed or pasted name stops at the
    // field's length.
    void pickedNameLongerThanItsField()
    {
        const QString longName = QStringLiteral("Małgorzata Żółkiewska-Brzęczyszczykiewicz");
        const QString completed = QStringLiteral("Zofia Wierzbicka-Szczepańska-Kowalczyk");
        QVERIFY(longName.size() > 30 && completed.size() > 30);
        F::AddRow(StaleDb, "Wykonujacy", {{"Nr", 1}, {"Nazwa", longName}});
        F::AddRow(StaleDb, "Odpowiedzialny", {{"Nr", 1}, {"Nazwa", completed}});
        DictionaryEvents::Instance().Announce(QStringLiteral("Wykonujacy"));
        DictionaryEvents::Instance().Announce(QStringLiteral("Odpowiedzialny"));
        F::AddBatch(12);
        F::AddRun(12, 1, {{"Wykonujacy", "Jan Lis"}});
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            PRESS(&w, "ComPopraw");
            CHOOSE(&w, "ComboWykonujacy", longName);
            QCOMPARE(w.ComboWykonujacy->currentText(), longName);
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFr");
            QCOMPARE(scripted.Last().text,
                     QStringLiteral(
                         "Pole 'Osoba wykonująca badanie' może mieć najwyżej 30 znaków. Popraw!"));
            QCOMPARE(scripted.Last().style, int(ui::vbOKOnly));
            QCOMPARE(w.focusWidget(), w.ComboWykonujacy);
            QVERIFY(w.FramePartia->isVisible() && !ListsEnabled(w));
            QCOMPARE(runField(1, "Wykonujacy"), QStringLiteral("Jan Lis"));
            RETYPE(&w, "ComboWykonujacy", QStringLiteral("Jan Lis"));

            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.ComboOdpowiedzialny->setFocus(); // completion works in the box being typed in
            TYPE(&w, "ComboOdpowiedzialny", QStringLiteral("Zof"));
            QCOMPARE(w.ComboOdpowiedzialny->currentText(), completed);
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFr");
            QCOMPARE(scripted.Last().text,
                     QStringLiteral("Pole 'Osoba odpowiedzialna za badanie' może mieć najwyżej 30 "
                                    "znaków. Popraw!"));
            QCOMPARE(w.focusWidget(), w.ComboOdpowiedzialny);
            QVERIFY(w.FramePartia->isVisible());
            QCOMPARE(runField(1, "Odpowiedzialny"), QString());
            RETYPE(&w, "ComboOdpowiedzialny", QString());

            const QString typed = QStringLiteral("Katarzyna Maria Kowalska-Nowakowska");
            QTest::keyClick(w.ComboWykonujacy->lineEdit(), Qt::Key_A, Qt::ControlModifier);
            TYPE(&w, "ComboWykonujacy", typed);
            QCOMPARE(w.ComboWykonujacy->currentText(), typed.left(30));
            // A name pasted over it keeps what fits, as typing does.
            const QString pasted = QStringLiteral("Anna Wiśniewska-Zielińska z Łęczycy");
            QTest::keyClick(w.ComboWykonujacy, Qt::Key_A, Qt::ControlModifier);
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(w.ComboWykonujacy, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(w.ComboWykonujacy->currentText(), pasted.left(30));
            PRESS(&w, "ComZapiszFr");
            QVERIFY(w.FramePartia->isHidden());

            // However often a new run is begun and given up in one session,
            // the completion comes whole, and the save refuses it.
            for (int round = 1; round <= 3; ++round) {
                PRESS(&w, "ComDodajPr");
                w.ComboOdpowiedzialny->setFocus();
                TYPE(&w, "ComboOdpowiedzialny", QStringLiteral("Zof"));
                QTest::keyClick(w.ComboOdpowiedzialny->lineEdit(), Qt::Key_Tab);
                QCOMPARE(w.ComboOdpowiedzialny->currentText(), completed);
                if (round == 3) {
                    scripted.Answer("OK");
                    PRESS(&w, "ComZapiszFr");
                    QCOMPARE(scripted.Last().text,
                             QStringLiteral("Pole 'Osoba odpowiedzialna za badanie' może mieć "
                                            "najwyżej 30 znaków. Popraw!"));
                }
                PRESS(&w, "ComAnulujFr");
            }
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(runField(1, "Wykonujacy"), QStringLiteral("Anna Wiśniewska-Zielińska z Łę"));
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Nastawienie")), 1);
    }

    // No box of the run or tray frame selects its text when Enter, Tab or
    // Shift+Tab brings the focus to it: the first key typed adds to the text.
    void noBoxSelectsItsTextOnFocus()
    {
        F::AddBatch(12);
        F::AddRun(12, 1, FullRun);
        F::AddTray(12, 1, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            QVERIFY(QTest::qWaitForWindowActive(&w));
            PRESS(&w, "ComDodajPr");
            QCOMPARE(w.focusWidget(), w.TextNrTac);
            QTest::keyClick(w.TextNrTac, Qt::Key_Backtab, Qt::ShiftModifier);
            QTRY_COMPARE(w.focusWidget(), w.TextNastawienie);
            QVERIFY(!w.TextNastawienie->hasSelectedText());
            TYPE(&w, "TextNastawienie", QStringLiteral("0"));
            QCOMPARE(w.TextNastawienie->text(), QStringLiteral("20"));
            PRESS(&w, "ComAnulujFr");

            PRESS(&w, "ComPopraw");
            w.TextKwas->setFocus();
            QTest::keyClick(w.TextKwas, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.TextTemperatura);
            QVERIFY(!w.TextTemperatura->hasSelectedText());
            w.TextCzasSedymentacji2->setFocus();
            QTest::keyClick(w.TextCzasSedymentacji2, Qt::Key_Tab);
            QTRY_COMPARE(w.focusWidget(), w.ComboWaga);
            QVERIFY(!w.ComboWaga->lineEdit()->hasSelectedText());
            TYPE(&w, "ComboWaga", QStringLiteral("a"));
            QCOMPARE(w.ComboWaga->currentText(), QStringLiteral("W-1a"));
            PRESS(&w, "ComAnulujFr");

            PRESS(&w, "ComPoprawG");
            w.TextNrTacy->setFocus();
            QTest::keyClick(w.TextNrTacy, Qt::Key_Return);
            QTRY_COMPARE(w.focusWidget(), w.TextNrTusz);
            QVERIFY(!w.TextNrTusz->hasSelectedText());
            PRESS(&w, "ComAnulujFrNaPIW");
        });
        SCRIPTED_UI_VERIFY(scripted);
    }

    void duplicate_data()
    {
        QTest::addColumn<QString>("result");
        QTest::newRow("trichinella found") << "stwierdzono";
        QTest::newRow("not found") << "nie stwierdzono";
        QTest::newRow("no result") << "";
    }

    // A duplicate is a new run with the selected run's settings: after a
    // finding only the trichinoscope and the reagents.
    void duplicate()
    {
        QFETCH(QString, result);
        const bool found = result == "stwierdzono";
        F::AddBatch(12);
        QVariantMap run = FullRun;
        run.insert("Wynik", result);
        F::AddRun(12, 1, run);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            PRESS(&w, "ComDuplikuj");
            QCOMPARE(w.FramePartia->title(), QStringLiteral("NOWE NASTAWIENIE"));
            QCOMPARE(w.TextNastawienie->text(), QStringLiteral("2"));
            QCOMPARE(w.focusWidget(), w.TextNrTac);
            QCOMPARE(w.ComboTrychinoskop->currentText() + '|' + w.ComboOdczynnikHCL->currentText() +
                         '|' + w.ComboOdczynnikPepsyna->currentText(),
                     QStringLiteral("Tr-1|HCl 12/2026|P 01/2027"));
            const QString settings =
                w.TextNawazka->text() + '|' + w.TextPepsyna->text() + '|' + w.TextKwas->text() +
                '|' + w.TextTemperatura->text() + '|' + w.TextTemperaturaMax->text() + '|' +
                w.TextCzas->text() + '|' + w.ComboWaga->currentText() + '|' +
                w.ComboTermometr->currentText() + '|' + w.ComboMieszadlo->currentText() + '|' +
                w.TextUwagi->toPlainText();
            QCOMPARE(settings,
                     found ? QStringLiteral("|||44|46|||||")
                           : QStringLiteral("7,5|10|16|45|47|30|W-1|T-1|M-1|próba kontrolna"));
            const QString never =
                w.TextNrTac->text() + w.TextIlProbek->text() + w.TextCzasSedymentacji1->text() +
                w.TextCzasSedymentacji2->text() + w.ComboSito->currentText() +
                w.ComboWynik->currentText() + w.TextGodzRozpBad->text() +
                w.ComboWykonujacy->currentText() + w.ComboOdpowiedzialny->currentText();
            QVERIFY2(never.isEmpty(), qPrintable(never));
            QCOMPARE(w.DTPDataRozpBad->Text(), QStringLiteral("05.03.2024"));
            PRESS(&w, "ComZapiszFr");
            QCOMPARE(CurrentRun(w), 2);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(runField(2, "Trychinoskop"), QStringLiteral("Tr-1"));
    }

    void deleteRunWithTrays_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("runsLeft");
        QTest::addColumn<QStringList>("traysLeft");
        QTest::newRow("Yes, Yes, Yes")
            << QStringList{"Yes", "Yes", "Yes"} << QStringList{"2"} << QStringList{"1:10"};
        QTest::newRow("Yes, Yes, No") << QStringList{"Yes", "Yes", "No"} << QStringList{"1", "2"}
                                      << QStringList{"2:20", "1:10"};
        QTest::newRow("Yes, No, No") << QStringList{"Yes", "No", "No"} << QStringList{"1", "2"}
                                     << QStringList{"1:10", "2:20", "1:10"};
        QTest::newRow("No") << QStringList{"No"} << QStringList{"1", "2"}
                            << QStringList{"1:10", "2:20", "1:10"};
    }

    // Every tray is asked about once; the run goes only with its last tray.
    void deleteRunWithTrays()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, runsLeft);
        QFETCH(QStringList, traysLeft);
        F::AddBatch(12);
        F::AddRun(12, 1);
        F::AddRun(12, 2);
        F::AddTray(12, 1, 2);
        F::AddTray(12, 1, 1);
        F::AddTray(12, 2, 1);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            for (const QString &answer : answers)
                scripted.Answer(answer);
            PRESS(&w, "ComUsun");
            QCOMPARE(Listed(w.DataPartia, "Nastawienie"), runsLeft);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), answers.size() + 1);
        const ui::ShownDialog first = scripted.Log().at(1);
        QCOMPARE(first.text, QStringLiteral("Czy na pewno usunąć zaznaczone nastawienie?"));
        QCOMPARE(first.title, QStringLiteral("USUWANIE!"));
        QCOMPARE(first.style, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
        if (answers.size() > 1)
            QCOMPARE(scripted.Log().at(2).text,
                     QStringLiteral("Czy na pewno usunąć nr tacy nr: 1 z nastawienia: 1"));
        QCOMPARE(F::Trays(12, 1) + F::Trays(12, 2), traysLeft);
    }
};

QTEST_MAIN(tst_FormNastawienie)
#include "tst_FormNastawienie.moc"
