#include "AdminFixture.h"
#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"

#include "foundation/FormOperat.h"
#include "foundation/Globals.h"
#include "foundation/ScramblePassword.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DBEngine.h"
#include "platform/db/Recordset.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

const QString NoRights = QStringLiteral("Nie posiadasz uprawnień administratora!");
const QString ChangedText = QStringLiteral(
    "3197Inny użytkownik zmienił ten rekord, od kiedy został odczytany. Odśwież dane i spróbuj "
    "ponownie.");
const QString DeletedText = QStringLiteral("3167Rekord jest usunięty.");

QString scrambled(QString password)
{
    return ScramblePassword(password);
}

// Typed by the user, so that it counts as an edit.
void type(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

QVariantMap account(const QString &number)
{
    return AdminFixture::Row(StaleDb, "OPERATORZY", "OP_NUMER", number);
}

} // namespace

// The operator accounts: what each kind of operator may do, the checks of a
// new or corrected account, and that a save lands in the right account.
class FormOperatTest : public FixtureTest<AdminFixture>
{
    Q_OBJECT

    static FormOperat &Open(const QString &kind, const QString &number = "001",
                            const QString &surname = "Kowalski Jan")
    {
        AdminFixture::SignIn(number, surname, kind);
        FormOperat &form = ui::WindowRegistry::Instance<FormOperat>();
        form.show();
        return form;
    }

    static void GoTo(FormOperat &form, const QString &number)
    {
        dao::Recordset rs = form.DataOperat->Recordset();
        for (rs.MoveFirst(); rs("OP_NUMER").Value().toString() != number;)
            rs.MoveNext();
    }

    static bool ListEnabled(const FormOperat &form)
    {
        return form.DBGridOper->isEnabled() && form.DataOperat->isEnabled() &&
               form.ComOperKor->isEnabled() && form.ComOperZamk->isEnabled();
    }

    static void AddNew(FormOperat &form, const QString &login, const QString &name,
                       const QString &password, const QString &repeated)
    {
        PRESS(&form, "ComOperDod");
        RETYPE(&form, "TextLogin", login);
        RETYPE(&form, "TextNazw", name);
        type(form.TextPass1, password);
        type(form.TextPass2, repeated);
        PRESS(&form, "ComOperZap");
    }

    void Prepare() override
    {
        AdminFixture::AddOperator("001", "Kowalski Jan", "Administrator", "admin", "tajne1");
        AdminFixture::AddOperator("002", "Nowak Anna", "Operator", "anna", "anna12");
        AdminFixture::AddOperator("003", "Wiśniewska Ewa", "Asystent", "ewa", "ewa123");
    }

private slots:
    // Esc or the title bar's close with the frame open cancels the frame as
    // "&Anuluj" does: the window comes back with its list usable, and the
    // account keeps what it held.
    void closingWithTheFrameOpenCancelsIt_data()
    {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("Esc") << true;
        QTest::newRow("title bar") << false;
    }

    void closingWithTheFrameOpenCancelsIt()
    {
        QFETCH(bool, byEsc);
        FormOperat &form = Open("Administrator");
        GoTo(form, "002");
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormOperat", [&](QWidget &w) {
            PRESS(&w, "ComOperKor");
            QVERIFY(form.FrameOperat->isVisible() && !ListEnabled(form));
            type(form.TextNazw, "Zmieniona");
            if (byEsc)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.close();
            QVERIFY(!w.isVisible());
        });
        ui::ShowModal(form);
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(!form.FrameOperat->isVisibleTo(&form));
        QVERIFY(ListEnabled(form));
        QCOMPARE(account("002").value("OP_NAZWISKO").toString(), QStringLiteral("Nowak Anna"));
    }

    // Enter moves through the frame's fields as they are shown.
    void enterMovesToTheNextField()
    {
        FormOperat &form = Open("Administrator");
        ui::ScriptedUi scripted;
        QStringList visited;
        scripted.AnswerWindow("FormOperat", [&](QWidget &w) {
            QVERIFY(QTest::qWaitForWindowActive(&w));
            PRESS(&w, "ComOperDod");
            QTRY_VERIFY(form.TextLogin->hasFocus());
            for (int i = 0; i < 5; ++i) {
                QWidget *field = QApplication::focusWidget();
                visited << field->objectName();
                QTest::keyClick(field, Qt::Key_Return);
            }
            visited << QApplication::focusWidget()->objectName();
            PRESS(&w, "ComOperRez");
        });
        ui::ShowModal(form);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(visited, (QStringList{"TextLogin", "TextNazw", "TextPass1", "TextPass2",
                                       "ComboOperat", "ComOperZap"}));
        QCOMPARE(AdminFixture::RowCount(StaleDb, "OPERATORZY"), 3);
    }

    // The chain of Enter ends on "Zapisz"; Enter there (or Space) saves the
    // account as a click does, and no button became a default on the way.
    void enterOnSaveSavesTheAccount_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterOnSaveSavesTheAccount()
    {
        QFETCH(int, key);
        FormOperat &form = Open("Administrator");
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormOperat", [&](QWidget &w) {
            QVERIFY(QTest::qWaitForWindowActive(&w));
            PRESS(&w, "ComOperDod");
            QTRY_VERIFY(form.TextLogin->hasFocus());
            for (const char *text : {"kasia", "Zajac K", "abc", "abc"}) {
                QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the kind as proposed
            QCOMPARE(QApplication::focusWidget(), form.ComOperZap);
            for (const QPushButton *button : w.findChildren<QPushButton *>())
                QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
            QTest::keyClick(form.ComOperZap, Qt::Key(key));
            QVERIFY(!form.FrameOperat->isVisible());
            PRESS(&w, "ComOperZamk");
        });
        ui::ShowModal(form);
        SCRIPTED_UI_VERIFY(scripted);
        const QVariantMap row = account("004");
        QCOMPARE(row.value("OP_LOGIN").toString(), QStringLiteral("kasia"));
        QCOMPARE(row.value("OP_NAZWISKO").toString(), QStringLiteral("Zajac K"));
        QCOMPARE(row.value("OP_HASLO").toString(), scrambled("abc"));
        QCOMPARE(row.value("OP_RODZAJ").toString(), QStringLiteral("Operator"));
    }

    void newAccountChecks_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("repeated");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("caption");
        const QString length = QStringLiteral("Od 3 do 10 znaków");
        QTest::newRow("accepted") << " kasia "
                                  << "abc"
                                  << "abc"
                                  << "Zając K"
                                  << ""
                                  << "";
        QTest::newRow("2 characters") << "k"
                                      << "ab"
                                      << "ab"
                                      << "N"
                                      << "Hasło za krótkie" << length;
        QTest::newRow("11 characters") << "k"
                                       << "abcdefghijk"
                                       << "abcdefghijk"
                                       << "N"
                                       << "Hasło za długie" << length;
        QTest::newRow("repeat differs") << "k"
                                        << "abcd"
                                        << "abce"
                                        << "N"
                                        << "Niezgodność haseł!"
                                        << "ALARM!!!";
        QTest::newRow("no name") << "k"
                                 << "abcd"
                                 << "abcd"
                                 << ""
                                 << "Wprowadź nazwisko operatora"
                                 << "ALARM!!!";
        QTest::newRow("no login") << ""
                                  << "abc"
                                  << "abc"
                                  << "N"
                                  << "Wpisz login operatora!"
                                  << "ALARM!!!";
        QTest::newRow("login with blanks") << " anna "
                                           << "abc"
                                           << "abc"
                                           << "N"
                                           << "Taki login juz istnieje!"
                                           << "ALARM!!!";
        QTest::newRow("login in capitals") << "ANNA"
                                           << "abc"
                                           << "abc"
                                           << "N"
                                           << "Taki login juz istnieje!"
                                           << "ALARM!!!";
    }

    // A refused account leaves the frame open and the list disabled.
    void newAccountChecks()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        QFETCH(QString, repeated);
        QFETCH(QString, name);
        QFETCH(QString, alarm);
        QFETCH(QString, caption);
        FormOperat &form = Open("Administrator");
        ui::ScriptedUi scripted;
        if (!alarm.isEmpty())
            AdminFixture::ExpectAlarm(scripted, alarm, caption);
        AddNew(form, login, name, password, repeated);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(form.FrameOperat->isVisibleTo(&form), !alarm.isEmpty());
        QCOMPARE(ListEnabled(form), alarm.isEmpty());
        const QVariantMap row = account("004");
        QCOMPARE(row.isEmpty(), !alarm.isEmpty());
        if (row.isEmpty())
            return;
        QCOMPARE(row.value("OP_LOGIN").toString(), QStringLiteral("kasia"));
        QCOMPARE(row.value("OP_RODZAJ").toString(), QStringLiteral("Operator"));
        QCOMPARE(row.value("OP_HASLO").toString(), scrambled("abc"));
        int length = 0;
        QCOMPARE(row.value("OP_KLUCZ").toString(), MakeNameSortKey("Zając K", "", length));
        QCOMPARE(form.DataOperat->Recordset()("OP_NUMER").Value().toString(), "004");
    }

    void numbersFollowTheLastOne()
    {
        StaleDb.Execute("DELETE FROM OPERATORZY");
        FormOperat &form = Open("Administrator");
        PRESS(&form, "ComOperDod");
        QCOMPARE(form.MaskEdBoxKod->Text(), QStringLiteral("001"));
        PRESS(&form, "ComOperRez");
        AdminFixture::AddOperator("999", "X", "Operator", "x", "abc");
        PRESS(&form, "ComOperDod");
        QCOMPARE(form.MaskEdBoxKod->Text(), QStringLiteral("1000"));
    }

    // Untouched "*****" keeps the password and skips the name check.
    void correctionKeepsOrChangesThePassword()
    {
        FormOperat &form = Open("Administrator");
        GoTo(form, "002");
        PRESS(&form, "ComOperKor");
        QCOMPARE(form.TextPass1->text(), QStringLiteral("*****"));
        QVERIFY(!ListEnabled(form));
        RETYPE(&form, "TextNazw", QString());
        RETYPE(&form, "TextLogin", QStringLiteral("Anna"));
        CHOOSE(&form, "ComboOperat", QStringLiteral("Administrator"));
        ui::ScriptedUi scripted;
        PRESS(&form, "ComOperZap");
        QVariantMap row = account("002");
        QCOMPARE(row.value("OP_HASLO").toString(), scrambled("anna12"));
        QCOMPARE(row.value("OP_NAZWISKO").toString(), QString());
        QCOMPARE(row.value("OP_LOGIN").toString(), QStringLiteral("Anna"));
        QCOMPARE(row.value("OP_RODZAJ").toString(), QStringLiteral("Administrator"));

        PRESS(&form, "ComOperKor");
        type(form.TextPass1, QStringLiteral("nowe12"));
        type(form.TextPass2, QStringLiteral("nowe12"));
        RETYPE(&form, "TextNazw", QStringLiteral("Nowak Anna"));
        RETYPE(&form, "TextLogin", QStringLiteral("Admin"));
        AdminFixture::ExpectAlarm(scripted, QStringLiteral("Taki login juz istnieje!"));
        PRESS(&form, "ComOperZap");
        RETYPE(&form, "TextLogin", QStringLiteral("anna"));
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        row = account("002");
        QCOMPARE(row.value("OP_HASLO").toString(), scrambled("nowe12"));
        QCOMPARE(row.value("OP_LOGIN").toString(), QStringLiteral("anna"));
        QVERIFY(ListEnabled(form));
    }

    void nonAdministratorCorrectsOnlyHisOwnKindlessly()
    {
        FormOperat &form = Open("Operator", "002", "Nowak Anna");
        QVERIFY(!form.ComOperDod->isEnabled() && !form.ComOperKas->isEnabled());
        ui::ScriptedUi scripted;
        AdminFixture::ExpectAlarm(scripted, NoRights);
        // "&Dodaj" is disabled for him; its click arriving anyway is refused too.
        Q_EMIT form.ComOperDod->clicked();
        // Another's account, and his own number under another surname.
        GoTo(form, "001");
        AdminFixture::ExpectAlarm(scripted, NoRights);
        PRESS(&form, "ComOperKor");
        OperatorSurname = QStringLiteral("Nowak");
        GoTo(form, "002");
        AdminFixture::ExpectAlarm(scripted, NoRights);
        PRESS(&form, "ComOperKor");
        QVERIFY(!form.FrameOperat->isVisibleTo(&form));

        OperatorSurname = QStringLiteral("Nowak Anna");
        PRESS(&form, "ComOperKor");
        QVERIFY(!form.ComboOperat->isEnabled());
        RETYPE(&form, "TextNazw", QStringLiteral("Nowak Anna Maria"));
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(account("002").value("OP_NAZWISKO").toString(), "Nowak Anna Maria");
        QVERIFY(ListEnabled(form));
        QVERIFY(!form.ComOperDod->isEnabled() && !form.ComOperKas->isEnabled());
        QCOMPARE(AdminFixture::RowCount(StaleDb, "OPERATORZY"), 3);
    }

    // After a refused password the list stays disabled; even when its row
    // moves, the save goes into the account that was opened, kind unchanged.
    void failedCheckThenMoveWritesOnlyTheOpenedAccount()
    {
        FormOperat &form = Open("Operator", "002", "Nowak Anna");
        const QVariantMap administrator = account("001");
        GoTo(form, "002");
        PRESS(&form, "ComOperKor");
        type(form.TextPass1, QStringLiteral("x"));
        type(form.TextPass2, QStringLiteral("x"));
        ui::ScriptedUi scripted;
        AdminFixture::ExpectAlarm(scripted, "Hasło za krótkie", "Od 3 do 10 znaków");
        PRESS(&form, "ComOperZap");
        QVERIFY(!ListEnabled(form));

        GoTo(form, "001");
        type(form.TextPass1, QStringLiteral("moje12"));
        type(form.TextPass2, QStringLiteral("moje12"));
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(account("001"), administrator);
        QCOMPARE(account("002").value("OP_HASLO").toString(), scrambled("moje12"));
        QCOMPARE(account("002").value("OP_RODZAJ").toString(), QStringLiteral("Operator"));
    }

    void deleteAsksFirst()
    {
        FormOperat &form = Open("Administrator");
        GoTo(form, "003");
        ui::ScriptedUi scripted;
        scripted.Answer("No");
        scripted.Answer("Yes");
        PRESS(&form, "ComOperKas");
        QCOMPARE(AdminFixture::RowCount(StaleDb, "OPERATORZY"), 3);
        QCOMPARE(scripted.Last().text, QStringLiteral("Czy usunąć tego operatora?"));
        QCOMPARE(scripted.Last().title, QStringLiteral("Wiśniewska Ewa"));
        PRESS(&form, "ComOperKas");
        SCRIPTED_UI_VERIFY(scripted);
        QVERIFY(account("003").isEmpty());
        QVERIFY(ListEnabled(form));
    }

    // The backup closes and reopens the databases between two openings.
    void listIsOpenedAnewAfterTheDatabaseWasClosed()
    {
        FormOperat &form = Open("Administrator");
        const QString path = StaleDb.Name();
        StaleDb.Close();
        StaleDb = dao::DBEngine::Workspaces(0).OpenDatabase(path);
        form.hide(); // and opened again
        form.show();
        QCOMPARE(form.DataOperat->RowCount(), 3);
    }

    // Another workstation changes or deletes the account while its correction
    // is open: the save is refused with the engine's own message, nothing of
    // the other's is lost, and the list shows the account as it is now, so
    // that a new correction starts from it.
    void correctionOfAnAccountChangedElsewhereIsRefused_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("message");
        QTest::newRow("changed") << "UPDATE OPERATORZY SET OP_HASLO = 'inne' WHERE OP_NUMER = '002'"
                                 << ChangedText;
        QTest::newRow("renamed")
            << "UPDATE OPERATORZY SET OP_NAZWISKO = 'Nowak-Lis Anna' WHERE OP_NUMER = '002'"
            << ChangedText;
        QTest::newRow("deleted") << "DELETE FROM OPERATORZY WHERE OP_NUMER = '002'" << DeletedText;
    }

    void correctionOfAnAccountChangedElsewhereIsRefused()
    {
        QFETCH(QString, statement);
        QFETCH(QString, message);
        FormOperat &form = Open("Administrator");
        GoTo(form, "002");
        PRESS(&form, "ComOperKor");
        RETYPE(&form, "TextNazw", QStringLiteral("Nowak Anna Maria"));
        type(form.TextPass1, QStringLiteral("moje12"));
        type(form.TextPass2, QStringLiteral("moje12"));
        const QVariantMap before = account("002");
        QVERIFY(other_workstation::Run({statement}));
        const QVariantMap others = account("002");
        QVERIFY(others != before);

        ui::ScriptedUi scripted;
        scripted.Answer("OK");
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().title, QStringLiteral("OPERATORZY"));
        QCOMPARE(scripted.Last().text, message);
        QCOMPARE(account("002"), others);
        QVERIFY(!form.FrameOperat->isVisibleTo(&form) && ListEnabled(form));
        const QAbstractItemModel *list = form.DBGridOper->model();
        QCOMPARE(list->rowCount(), others.isEmpty() ? 2 : 3);
        if (others.isEmpty())
            return;

        PRESS(&form, "ComOperKor");
        QCOMPARE(form.TextNazw->text(), others.value("OP_NAZWISKO").toString());
        RETYPE(&form, "TextNazw", QStringLiteral("Nowak Anna Maria"));
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(account("002").value("OP_NAZWISKO").toString(), "Nowak Anna Maria");
        QCOMPARE(account("002").value("OP_HASLO"), others.value("OP_HASLO"));
    }

    // An account that another workstation changed since the list showed it
    // is not deleted.
    void deletingAnAccountChangedElsewhereIsRefused()
    {
        FormOperat &form = Open("Administrator");
        GoTo(form, "003");
        QVERIFY(other_workstation::Run(
            {"UPDATE OPERATORZY SET OP_RODZAJ = 'Administrator' WHERE OP_NUMER = '003'"}));
        ui::ScriptedUi scripted;
        scripted.Answer("Yes");
        scripted.Answer("OK");
        PRESS(&form, "ComOperKas");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().text, ChangedText);
        QCOMPARE(account("003").value("OP_RODZAJ").toString(), QStringLiteral("Administrator"));
        QVERIFY(ListEnabled(form));
    }

    // While another workstation reads the dictionaries, a new account is
    // refused after one wait, with one box; the frame keeps what was typed,
    // the list shows what it showed, and the save goes through once the
    // other workstation has let go.
    void newAccountRefusedWhileTheFileIsRead()
    {
        FormOperat &form = Open("Administrator");
        ui::ScriptedUi scripted;
        other_workstation::Holder other(StaleDb, other_workstation::Holder::Reading);
        QVERIFY(other.Ready());
        scripted.Answer("OK");
        const quint64 waits = dao::DBEngine::LockWaits();
        AddNew(form, "ola", "Lis Ola", "olcia1", "olcia1");
        QCOMPARE(dao::DBEngine::LockWaits() - waits, 1u);
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Log().size(), 1);
        QVERIFY(scripted.Last().text.startsWith(QStringLiteral("3218")));
        QVERIFY(form.FrameOperat->isVisibleTo(&form));
        QCOMPARE(form.DBGridOper->model()->rowCount(), 3);
        QVERIFY(other.LetGo());
        QVERIFY(account("004").isEmpty());
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(account("004").value("OP_LOGIN").toString(), QStringLiteral("ola"));
        QCOMPARE(form.DBGridOper->model()->rowCount(), 4);
    }

    void failureIsReportedAndNothingHalfWritten()
    {
        FormOperat &form = Open("Administrator");
        GoTo(form, "002");
        PRESS(&form, "ComOperKor");
        form.MaskEdBoxKod->setMaxLength(10);
        RETYPE(&form, "MaskEdBoxKod", QStringLiteral("123456"));
        ui::ScriptedUi scripted;
        scripted.Answer("OK");
        PRESS(&form, "ComOperZap");
        SCRIPTED_UI_VERIFY(scripted);
        QCOMPARE(scripted.Last().title, QStringLiteral("OPERATORZY"));
        QVERIFY(scripted.Last().text.startsWith(QStringLiteral("3163")));
        QCOMPARE(account("002").value("OP_LOGIN").toString(), QStringLiteral("anna"));
    }
};

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<FormOperatTest>(argc, argv);
}
#include "tst_FormOperat.moc"
