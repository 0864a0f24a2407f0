#include "AdminFixture.h"
#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"

#include "foundation/FormUzytkownik.h"
#include "foundation/Globals.h"
#include "mainwindow/aMain.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace
{

const QString ParentCodeMessage =
    QStringLiteral("Wprowadź 3-cyfrowy kod lokalizacji VUV nadrzędnego!\r052 - VUV Warszawa;      "
                   "054 - VUV Siedlce;     055 - VUV Ostrołęka\rUzupełnij dane użytkownika!");
const QString StationCodeMessage =
    QStringLiteral("Wprowadź kod stanowiska zamiejscowego!\rLista kodów znajduje się w pliku "
                   "C:\\MervaskLAB\\Kody.doc\rUzupełnij dane użytkownika!");

QVariant laboratory(const char *field)
{
    return AdminFixture::Column(StaleDb, "PODATNIK", QLatin1String(field)).value(0);
}

// Shows the window (its activation loads the row) and runs the action on it.
void shown(ui::ScriptedUi &scripted, const std::function<void(FormUzytkownik &)> &action)
{
    FormUzytkownik &form = ui::WindowRegistry::Instance<FormUzytkownik>();
    scripted.AnswerWindow("FormUzytkownik", [&](QWidget &) { action(form); });
    ui::ShowModal(form);
}

} // namespace

// The laboratory's identity: the one PODATNIK row, the two code checks, and
// the save into the row and into the main window's labels.
class FormUzytkownikTest : public FixtureTest<AdminFixture>
{
    Q_OBJECT

    void Prepare() override
    {
        StaleDb.Execute(QStringLiteral("UPDATE PODATNIK SET KodLok = '052', KodLok2 = 'A1'"));
    }

private slots:
    void savingTrimsAndReachesTheMainWindow()
    {
        aMain &main = ui::WindowRegistry::Instance<aMain>();
        main.show();
        ui::ScriptedUi scripted;
        // Opened from the main window, whose letterhead and codes follow the save.
        scripted.AnswerWindow("FormUzytkownik", [](QWidget &window) {
            auto &form = static_cast<FormUzytkownik &>(window);
            QCOMPARE(form.Label3->text(), QStringLiteral("ul. Przykładowa 1"));
            QCOMPARE(form.TextLok2->text(), QStringLiteral("A1"));
            RETYPE(&form, "Text2", QStringLiteral("  Pracownia Włośni  "));
            QCOMPARE(form.Label2->text(), QStringLiteral("  Pracownia Włośni  "));
            RETYPE(&form, "TextLok", QStringLiteral(" 055 "));
            QTest::keyClicks(form.TextLok2, QStringLiteral("B2CD"));
            QCOMPARE(form.TextLok2->text(), QStringLiteral("A1B"));
            RETYPE(&form, "TextLok2", QStringLiteral(" B2"));
            PRESS(&form, "ComZapisz");
            QVERIFY(!form.isVisible());
        });
        PRESS(&main, "ComPlytki");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(laboratory("TX2").toString(), QStringLiteral("Pracownia Włośni"));
        QCOMPARE(laboratory("KodLok").toString(), QStringLiteral("055"));
        QCOMPARE(laboratory("KodLok2").toString(), QStringLiteral("B2"));
        QCOMPARE(main.Label2->text(), QStringLiteral("Pracownia Włośni"));
        QCOMPARE(main.Label3->text(), QStringLiteral("ul. Przykładowa 1"));
        QCOMPARE(main.LabelKodLok->text(), QStringLiteral("055"));
        QCOMPARE(main.LabelKodLok2->text(), QStringLiteral("B2"));
    }

    void codeChecks_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("station");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("parent of 2") << "05"
                                     << "A1" << ParentCodeMessage << "TextLok";
        QTest::newRow("parent of 4") << "0521"
                                     << "A1" << ParentCodeMessage << "TextLok";
        QTest::newRow("parent of blanks") << "   "
                                          << "A1" << ParentCodeMessage << "TextLok";
        QTest::newRow("station of blanks") << "052"
                                           << "   " << StationCodeMessage << "TextLok2";
        QTest::newRow("three letters") << "abc"
                                       << "A"
                                       << ""
                                       << "";
    }

    void codeChecks()
    {
        QFETCH(QString, parent);
        QFETCH(QString, station);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ui::ScriptedUi scripted;
        if (!message.isEmpty())
            scripted.Answer("OK");
        shown(scripted, [&](FormUzytkownik &form) {
            RETYPE(&form, "TextLok", parent);
            RETYPE(&form, "TextLok2", station);
            PRESS(&form, "ComZapisz");
            if (!focus.isEmpty())
                QCOMPARE(form.focusWidget()->objectName(), focus);
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text, message.isEmpty() ? "FormUzytkownik" : message);
        QCOMPARE(laboratory("KodLok").toString(), message.isEmpty() ? parent : "052");
    }

    // Enter moves on from field to field; a letterhead line of the full 100
    // characters leaves the window as wide as it was.
    void enterMovesOnAndLongLinesKeepTheWidth()
    {
        ui::ScriptedUi scripted;
        QStringList visited;
        int widthBefore = 0;
        int widthAfter = 0;
        shown(scripted, [&](FormUzytkownik &form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            form.Text2->setFocus();
            QTRY_VERIFY(form.Text2->hasFocus());
            for (int i = 0; i < 3; ++i) {
                visited << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            visited << QApplication::focusWidget()->objectName();
            QVERIFY(form.isVisible()); // Enter saved nothing and closed nothing
            widthBefore = form.width();
            RETYPE(&form, "Text4", QString(100, u'W'));
            QCOMPARE(form.Label4->text(), QString(100, u'W'));
            QApplication::processEvents();
            // The width the window's layout now asks for.
            widthAfter = std::max(form.width(), form.minimumSizeHint().width());
            PRESS(&form, "ComZamk");
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(visited, (QStringList{"Text2", "Text3", "Text4", "Text5"}));
        QCOMPARE(widthAfter, widthBefore);
        QCOMPARE(laboratory("TX4").toString(), QStringLiteral("00-000 Miejscowość"));
    }

    // The chain of Enter runs through the codes onto "Zapisz"; Enter there
    // (or Space) saves and closes as a click does.
    void enterOnSaveSavesTheIdentity_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterOnSaveSavesTheIdentity()
    {
        QFETCH(int, key);
        ui::ScriptedUi scripted;
        bool closed = false;
        shown(scripted, [&](FormUzytkownik &form) {
            QVERIFY(QTest::qWaitForWindowActive(&form));
            form.TextKodPCA->setFocus();
            QTRY_VERIFY(form.TextKodPCA->hasFocus());
            QTest::keyClick(form.TextKodPCA, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form.TextLok);
            QTest::keyClicks(form.TextLok, QStringLiteral("054")); // replaces the selected code
            QTest::keyClick(form.TextLok, Qt::Key_Return);
            QTest::keyClicks(form.TextLok2, QStringLiteral("C3"));
            QTest::keyClick(form.TextLok2, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), form.ComZapisz);
            QVERIFY(!form.ComZapisz->isDefault());
            QTest::keyClick(form.ComZapisz, Qt::Key(key));
            closed = !form.isVisible();
        });
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(closed);
        QCOMPARE(laboratory("KodLok").toString(), QStringLiteral("054"));
        QCOMPARE(laboratory("KodLok2").toString(), QStringLiteral("C3"));
    }

    // Another workstation changes the laboratory's row, deletes it or adds a
    // second one while the window is open: the save is refused with the
    // engine's message, nothing of the other's is lost and the main window
    // keeps its labels; the window stays open with what was typed.
    void saveOverAnIdentityChangedElsewhereIsRefused_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("message");
        const QString changed =
            QStringLiteral("3197Inny użytkownik zmienił ten rekord, od kiedy został odczytany. "
                           "Odśwież dane i spróbuj ponownie.");
        QTest::newRow("changed") << "UPDATE PODATNIK SET Miejsc = 'Ostrołęka'" << changed;
        QTest::newRow("deleted") << "DELETE FROM PODATNIK"
                                 << "3167Rekord jest usunięty.";
        QTest::newRow("second row") << "INSERT INTO PODATNIK (TX2) VALUES ('drugi')" << changed;
    }

    void saveOverAnIdentityChangedElsewhereIsRefused()
    {
        QFETCH(QString, statement);
        QFETCH(QString, message);
        aMain &main = ui::WindowRegistry::Instance<aMain>();
        main.show();
        const QString mainCode = main.LabelKodLok->text();
        ui::ScriptedUi scripted;
        QList<QVariantList> others;
        shown(scripted, [&](FormUzytkownik &form) {
            RETYPE(&form, "Text2", QStringLiteral("Pracownia Włośni"));
            RETYPE(&form, "TextLok", QStringLiteral("055"));
            QVERIFY(other_workstation::Run({statement}));
            for (const char *field : {"TX2", "Miejsc", "KodLok"})
                others.append(AdminFixture::Column(StaleDb, "PODATNIK", QLatin1String(field)));
            scripted.Answer("OK");
            PRESS(&form, "ComZapisz");
            QCOMPARE(scripted.Last().title, QStringLiteral("Użytkownik"));
            QCOMPARE(scripted.Last().text, message);
            QVERIFY(form.isVisible());
            QCOMPARE(form.Text2->text(), QStringLiteral("Pracownia Włośni"));
            PRESS(&form, "ComZamk");
        });
        SCRIPTED_UI_VERIFY(scripted);
        QList<QVariantList> now;
        for (const char *field : {"TX2", "Miejsc", "KodLok"})
            now.append(AdminFixture::Column(StaleDb, "PODATNIK", QLatin1String(field)));
        QCOMPARE(now, others);
        QCOMPARE(main.LabelKodLok->text(), mainCode);
    }

    void onlyExactlyOneRowIsEdited_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("none") << 0;
        QTest::newRow("two") << 2;
    }

    void onlyExactlyOneRowIsEdited()
    {
        QFETCH(int, rows);
        if (rows == 0)
            StaleDb.Execute(QStringLiteral("DELETE FROM PODATNIK"));
        else
            AdminFixture::AddRow(StaleDb, "PODATNIK", {{"TX2", "drugi"}});
        aMain &main = ui::WindowRegistry::Instance<aMain>();
        ui::ScriptedUi scripted;
        shown(scripted, [](FormUzytkownik &form) {
            QCOMPARE(form.TextLok->text(), QString());
            RETYPE(&form, "Text2", QStringLiteral("wpisany"));
            RETYPE(&form, "TextLok", QStringLiteral("054"));
            RETYPE(&form, "TextLok2", QStringLiteral("B"));
            PRESS(&form, "ComZapisz");
            QVERIFY(!form.isVisible());
        });
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(AdminFixture::RowCount(StaleDb, "PODATNIK"), rows);
        QVERIFY(!AdminFixture::Column(StaleDb, "PODATNIK", "TX2").contains("wpisany"));
        QCOMPARE(main.LabelKodLok->text(), QString());
    }
};

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<FormUzytkownikTest>(argc, argv);
}
#include "tst_FormUzytkownik.moc"
