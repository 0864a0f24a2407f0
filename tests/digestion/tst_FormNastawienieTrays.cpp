#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "Press.h"
#include "RunWindow.h"

#include "digestion/FormNastawienie.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/DialogText.h"
#include "platform/ui/MsgBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using F = DigestionFixture;

namespace
{

QString trayField(int tray, const char *field)
{
    return F::Column(MonthDb, QStringLiteral("SELECT * FROM PozycjaN WHERE NrTacy = %1").arg(tray),
                     QLatin1String(field))
        .join(u'|');
}

QString caption(int run, int trays)
{
    return QStringLiteral("POZYCJE NASTAWIENIA NR: %1               ILOŚĆ POZYCJI: %2")
        .arg(run)
        .arg(trays);
}

} // namespace

// The trays of a run: the frame's checks, trays of every animal kind with the
// count from the general carcass range, chaining by "Następna próbka", and
// the tray delete.
class tst_FormNastawienieTrays : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

private slots:
    void traysOfEveryKind()
    {
        F::AddBatch(12);
        F::AddRun(12, 1);
        F::AddRun(12, 2);
        F::AddTray(12, 1, 3);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            PRESS(&w, "ComDodajG");
            QCOMPARE(w.FramePartiaG->title(), QStringLiteral("NOWA POZYCJA"));
            QCOMPARE(w.focusWidget(), w.TextNrTacy);
            QVERIFY(!ListsEnabled(w));

            struct Step {
                const char *tray, *count, *text;
                QWidget *focus;
            };
            const Step steps[] = {
                {"", "20", "Wprowadź numer Tacy!", w.TextNrTacy},
                {"x", "20", "Nieprawidłowy nr tacy. Popraw!", w.TextNrTacy},
                {"1", "", "Wprowadź liczbę próbek jednostkowych!", w.TextIlProbekPozycjaN},
                {"1", "9999999", "Nieprawidłowa liczba próbek. Popraw!", w.TextIlProbekPozycjaN},
                {"1", "12,5", "Nieprawidłowa liczba próbek. Popraw!", w.TextIlProbekPozycjaN},
            };
            for (const Step &step : steps) {
                RETYPE(&w, "TextNrTacy", QString::fromUtf8(step.tray));
                RETYPE(&w, "TextIlProbekPozycjaN", QString::fromUtf8(step.count));
                scripted.Answer("OK");
                PRESS(&w, "ComZapiszFrNaPIW");
                QCOMPARE(scripted.Last().text, QString::fromUtf8(step.text));
                QCOMPARE(scripted.Last().style, 0);
                QCOMPARE(scripted.Last().title, ui::DialogTitle(QString()));
                QCOMPARE(w.focusWidget(), step.focus);
            }
            RETYPE(&w, "TextNrTacy", " 3 ");
            RETYPE(&w, "TextIlProbekPozycjaN", "20");
            scripted.Answer("OK");
            PRESS(&w, "ComZapiszFrNaPIW");
            QCOMPARE(scripted.Last().text,
                     QStringLiteral("Taca o numerze: 3 już istnieje.\r\nPopraw nr tacy!"));
            QCOMPARE(scripted.Last().title, QStringLiteral("KONTROLA POPRAWNOŚCI"));
            QCOMPARE(scripted.Last().style, ui::vbExclamation);
            QCOMPARE(F::RowCount(MonthDb, "PozycjaN"), 1);

            // Every kind with a list of ranges; the count from the general range.
            RETYPE(&w, "TextNrTacy", "1");
            RETYPE(&w, "TextNrTusz", "201-250");
            RETYPE(&w, "TextNrTuszTucznik", "1-20,25");
            RETYPE(&w, "TextNrTuszMaciora", "30");
            RETYPE(&w, "TextNrTuszKnur", "31-32");
            RETYPE(&w, "TextNrTuszDzik", "40-44,46");
            RETYPE(&w, "TextNrTuszInne", "50");
            PRESS(&w, "ComLiczbaProbek");
            QCOMPARE(w.TextIlProbekPozycjaN->text(), QStringLiteral("50"));
            PRESS(&w, "CheckNastG");
            PRESS(&w, "ComZapiszFrNaPIW");
            QVERIFY(w.FramePartiaG->isVisible() && w.CheckNastG->isChecked());
            QVERIFY(w.TextNrTacy->text().isEmpty() && w.TextNrTuszTucznik->text().isEmpty());
            QCOMPARE(w.DBGridPartiaG->Caption(), caption(1, 2));

            RETYPE(&w, "TextNrTacy", "2");
            RETYPE(&w, "TextNrTusz", "1-20,25");
            scripted.Answer("OK");
            PRESS(&w, "ComLiczbaProbek");
            QCOMPARE(scripted.Last().text,
                     QStringLiteral("Problem z wyliczeniem liczby próbek!\rAutomatyczne "
                                    "wyliczenie możliwe jest w przypadku wprowadzenia "
                                    "prawidłowego zakresu numeracji np. 201-250\rWprowadź "
                                    "liczbę próbek samodzielnie!"));
            QCOMPARE(scripted.Last().title, QStringLiteral("INFORMACJA"));
            QCOMPARE(w.focusWidget(), w.TextIlProbekPozycjaN);
            RETYPE(&w, "TextIlProbekPozycjaN", "21");
            PRESS(&w, "CheckNastG");
            PRESS(&w, "ComZapiszFrNaPIW");
            QVERIFY(w.FramePartiaG->isHidden() && ListsEnabled(w));
            QCOMPARE(CurrentTray(w), 2);
            QCOMPARE(w.DBGridPartiaG->Caption(), caption(1, 3));

            // The same number in another run is no duplicate.
            SelectRun(w, 2);
            PRESS(&w, "ComDodajG");
            RETYPE(&w, "TextNrTacy", "3");
            RETYPE(&w, "TextIlProbekPozycjaN", "7");
            PRESS(&w, "ComZapiszFrNaPIW");
            QCOMPARE(w.DBGridPartiaG->Caption(), caption(2, 1));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(trayField(1, "NrTuszTucznik") + '|' + trayField(1, "NrTuszMaciora") + '|' +
                     trayField(1, "NrTuszKnur") + '|' + trayField(1, "NrTuszDzik") + '|' +
                     trayField(1, "NrTuszInne") + '|' + trayField(1, "IlProbek") + '|' +
                     trayField(1, "Partia") + '|' + trayField(1, "Nastawienie"),
                 QStringLiteral("1-20,25|30|31-32|40-44,46|50|50|12|1"));
        QCOMPARE(trayField(2, "NrTusz") + '|' + trayField(2, "IlProbek"),
                 QStringLiteral("1-20,25|21"));
        QCOMPARE(F::Trays(12, 2), QStringList{"3:"});
    }

    // "Następna próbka" on edits goes through the trays in the order they had
    // before each save, and closes after the last one on the tray saved.
    void editChain()
    {
        F::AddBatch(12);
        F::AddRun(12, 1);
        for (int tray : {1, 2, 3})
            F::AddTray(12, 1, tray, {{"IlProbek", tray * 10}});
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            PRESS(&w, "ComPoprawG");
            QCOMPARE(w.FramePartiaG->title(), QStringLiteral("EDYCJA POZYCJI"));
            QCOMPARE(w.focusWidget(), w.ComAnulujFrNaPIW);
            QCOMPARE(w.TextIlProbekPozycjaN->text(), QStringLiteral("10"));
            RETYPE(&w, "TextNrTacy", "5");
            PRESS(&w, "CheckNastG");
            PRESS(&w, "ComZapiszFrNaPIW");
            QCOMPARE(w.TextNrTacy->text(), QStringLiteral("2")); // after tray 1's old place
            RETYPE(&w, "TextNrTacy", " 2 ");                     // unchanged: no uniqueness check
            PRESS(&w, "ComZapiszFrNaPIW");
            QCOMPARE(w.TextNrTacy->text(), QStringLiteral("3"));
            PRESS(&w, "ComZapiszFrNaPIW");
            QCOMPARE(w.TextNrTacy->text(), QStringLiteral("5"));
            PRESS(&w, "ComZapiszFrNaPIW");
            QVERIFY(w.FramePartiaG->isHidden() && !w.CheckNastG->isChecked() && ListsEnabled(w));
            QCOMPARE(CurrentTray(w), 5);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Trays(12, 1), QStringList({"2:20", "3:30", "5:10"}));
        QCOMPARE(trayField(5, "IlProbek"), QStringLiteral("10"));
    }

    void deleteTray()
    {
        F::AddBatch(12);
        F::AddRun(12, 1);
        F::AddTray(12, 1, 1);
        F::AddTray(12, 1, 2);
        ui::ScriptedUi scripted;
        InRunWindow(scripted, 12, [&](FormNastawienie &w) {
            scripted.Answer("No");
            PRESS(&w, "ComUsunG");
            QCOMPARE(scripted.Last().text,
                     QStringLiteral("Czy na pewno usunąć nr tacy nr: 1 z nastawienia: 1"));
            QCOMPARE(scripted.Last().style, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
            QCOMPARE(w.DBGridPartiaG->Caption(), caption(1, 2));
            scripted.Answer("Yes");
            PRESS(&w, "ComUsunG");
            QCOMPARE(w.DBGridPartiaG->Caption(), caption(1, 1));
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Trays(12, 1), QStringList{"2:20"});
    }
};

QTEST_MAIN(tst_FormNastawienieTrays)
#include "tst_FormNastawienieTrays.moc"
