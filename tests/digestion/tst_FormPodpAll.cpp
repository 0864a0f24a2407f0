#include "DigestionFixture.h"
#include "FixtureTest.h"
#include "Press.h"
#include "RunWindow.h"

#include "digestion/FormNastawienie.h"
#include "digestion/FormPodpAll.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/Globals.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WindowRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

using F = DigestionFixture;

namespace
{

void InList(ui::ScriptedUi &scripted, const QString &table, const QString &heading, int maxLength,
            const std::function<void(FormPodpAll &)> &story)
{
    scripted.AnswerWindow("FormPodpAll",
                          [&](QWidget &window) { story(static_cast<FormPodpAll &>(window)); });
    FormPodpAll::Open(table, heading, maxLength);
}

QStringList items(const QComboBox *combo)
{
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list.append(combo->itemText(i));
    return list;
}

bool listEnabled(FormPodpAll &w)
{
    return w.ComDodaj->isEnabled() && w.ComPopraw->isEnabled() && w.ComZamk->isEnabled() &&
           w.DBGridPodp->isEnabled();
}

} // namespace

// The equipment and reagent-series lists: add, correct and delete with their
// checks, the refill of the run window's pick lists, and errors that keep the
// frame open.
class tst_FormPodpAll : public FixtureTest<DigestionFixture>
{
    Q_OBJECT

private slots:
    void addCorrectDelete()
    {
        FormNastawienie &runs = ui::WindowRegistry::Instance<FormNastawienie>();
        runs.ComboTermometr->addItem("dawny");
        ui::ScriptedUi scripted;
        InList(scripted, "TERMOMETR", "TERMOMETR", 30, [&](FormPodpAll &w) {
            QCOMPARE(w.LabelOpis->text(), QStringLiteral("TERMOMETR"));
            QCOMPARE(w.TextWartosc->maxLength(), 30);
            PRESS(&w, "ComPopraw"); // an empty list: nothing happens
            PRESS(&w, "ComUsun");
            PRESS(&w, "ComDodaj");
            QCOMPARE(w.FrmEdycja->title(), QStringLiteral("Nowa pozycja"));
            QCOMPARE(w.TxtNr->text(), QStringLiteral("1"));
            QCOMPARE(w.focusWidget(), w.TextWartosc);
            QVERIFY(!listEnabled(w));
            const std::pair<const char *, const char *> refusals[] = {
                {"", "Wpisz kolejny nr!"},
                {"  ", "Wpisz kolejny nr!"},
                {"7a", "Wartość w polu Numer nie jest cyfrą. Popraw!"},
                {"1.5", "Wartość w polu Numer nie jest cyfrą. Popraw!"}};
            for (const auto &[number, message] : refusals) {
                RETYPE(&w, "TxtNr", QString::fromUtf8(number));
                scripted.Answer("OK");
                PRESS(&w, "ComZapisz");
                QCOMPARE(scripted.Last().text, QString::fromUtf8(message));
                QCOMPARE(scripted.Last().title, QStringLiteral("INFORMACJA"));
                QCOMPARE(w.focusWidget(), w.TxtNr);
                QVERIFY(w.FrmEdycja->isVisible());
            }
            RETYPE(&w, "TxtNr", " 7 ");
            RETYPE(&w, "TextWartosc", " Termometr Żółw-1 ");
            QTest::keyClick(w.TextWartosc, Qt::Key_Return);
            QCOMPARE(w.TextWartosc->text(), QStringLiteral(" Termometr Żółw-1 "));
            PRESS(&w, "ComZapisz");
            QVERIFY(w.FrmEdycja->isHidden() && listEnabled(w));

            PRESS(&w, "ComDodaj");
            QCOMPARE(w.TxtNr->text(), QStringLiteral("2"));
            RETYPE(&w, "TextWartosc", "Termometr A");
            PRESS(&w, "ComZapisz");
            QCOMPARE(w.DataPodp->Recordset()(QStringLiteral("Wartosc")).Value().toString(),
                     QStringLiteral("Termometr A"));

            // A correction goes into the row that was loaded.
            PRESS(&w, "ComPopraw");
            QCOMPARE(w.FrmEdycja->title(), QStringLiteral("Edycja"));
            QCOMPARE(w.focusWidget(), w.TxtNr);
            w.DataPodp->Recordset().MoveFirst();
            RETYPE(&w, "TextWartosc", "Termometr B");
            PRESS(&w, "ComZapisz");

            w.DataPodp->Recordset().FindFirst("ID = '2'");
            scripted.Answer("No");
            PRESS(&w, "ComUsun");
            QCOMPARE(scripted.Last().text,
                     QStringLiteral("Czy na pewno usunąć zaznaczoną pozycję?"));
            QCOMPARE(scripted.Last().title, QStringLiteral("PYTANIE"));
            QCOMPARE(scripted.Last().style, ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2);
            QCOMPARE(w.DataPodp->RowCount(), 2);
            F::AddRow(StaleDb, "Termometr", {{"ID", "9"}, {"Wartosc", "Termometr C"}});
            w.DataPodp->Recordset().FindFirst("ID = '2'");
            scripted.Answer("Yes");
            PRESS(&w, "ComUsun");
            PRESS(&w, "ComZamk");
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Column(StaleDb, "SELECT * FROM Termometr ORDER BY ID", "ID") +
                     F::Column(StaleDb, "SELECT * FROM Termometr ORDER BY ID", "Wartosc"),
                 QStringList({"7", "9", "Termometr Żółw-1", "Termometr C"}));
        QCOMPARE(items(runs.ComboTermometr), QStringList({"Termometr C", "Termometr Żółw-1"}));
    }

    // A value that the field cannot hold is reported; the frame stays open
    // and the window goes on.
    void failedWriteKeepsTheFrame()
    {
        StaleDb.Execute("ALTER TABLE Sito DROP COLUMN Wartosc");
        StaleDb.Execute("ALTER TABLE Sito ADD COLUMN Wartosc text(3)");
        ui::ScriptedUi scripted;
        InList(scripted, "Sito", "Sito - nr ewidencyjny", 30, [&](FormPodpAll &w) {
            PRESS(&w, "ComDodaj");
            RETYPE(&w, "TextWartosc", "Sito nr 1");
            scripted.Answer("OK");
            PRESS(&w, "ComZapisz");
            QCOMPARE(scripted.Last().title, QStringLiteral("Powiadom programistę!"));
            QVERIFY(scripted.Last().text.startsWith("3163"));
            QVERIFY(w.FrmEdycja->isVisible() && !listEnabled(w));
            w.close();
            QVERIFY(w.isVisible()); // refused while the frame is open
            RETYPE(&w, "TextWartosc", "S1");
            PRESS(&w, "ComZapisz");
            QVERIFY(w.FrmEdycja->isHidden());
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(F::Column(StaleDb, "Sito", "Wartosc"), QStringList{"S1"});
    }

    // Each list's own limit; the run window refills the person lists when
    // their register announces a change.
    void limitsAndPersonLists()
    {
        ui::ScriptedUi scripted;
        InList(scripted, "HCLseria", "HCL seria/data ważności", 150, [&](FormPodpAll &w) {
            QCOMPARE(w.TextWartosc->maxLength(), 150);
            QCOMPARE(w.TxtNr->maxLength(), 5);
        });
        SCRIPTED_UI_VERIFY(scripted);
        FormNastawienie &runs = ui::WindowRegistry::Instance<FormNastawienie>();
        F::AddRow(StaleDb, "Wykonujacy", {{"Nr", 9}, {"Nazwa", "Zofia Ćwik"}});
        F::AddRow(StaleDb, "Odpowiedzialny", {{"Nr", 9}, {"Nazwa", "Jan Żuk"}});
        QVERIFY(!items(runs.ComboWykonujacy).contains("Zofia Ćwik"));
        DictionaryEvents::Instance().Announce("Wykonujacy");
        QVERIFY(items(runs.ComboWykonujacy).contains("Zofia Ćwik"));
        QVERIFY(items(runs.ComboOdpowiedzialny).contains("Jan Żuk"));
    }
};

QTEST_MAIN(tst_FormPodpAll)
#include "tst_FormPodpAll.moc"
