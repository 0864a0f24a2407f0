#include "FoundationFixture.h"
#include "Press.h"

#include "foundation/FormAlarm.h"
#include "foundation/Globals.h"
#include "foundation/ProgramEnd.h"
#include "foundation/RegionalSettings.h"
#include "foundation/frmLoginLab.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace
{

const QString TryLoginAgain = QStringLiteral("Nieprawidłowy Login - Spróbuj ponownie!");
const QString LoginExit = QStringLiteral("Nieprawidłowy Login - Wyjście z programu!");
const QString TryPasswordAgain = QStringLiteral("Nieprawidłowe hasło, spróbuj ponownie!");
const QString PasswordExit = QStringLiteral("Nie znasz hasła dostępu!");

// Lets the next `count` alarm boxes pass, noting their texts and captions.
void expectAlarms(ui::ScriptedUi &scripted, QStringList &texts, int count)
{
    for (int i = 0; i < count; ++i)
        scripted.AnswerWindow("FormAlarm", [&texts](QWidget &window) {
            auto &alarm = static_cast<FormAlarm &>(window);
            QCOMPARE(alarm.windowTitle(), QStringLiteral("ALARM!!!"));
            QVERIFY(!alarm.ComZamk->isVisibleTo(&alarm));
            texts.append(alarm.Label1->text());
        });
}

} // namespace

// The sign-in window: the date-format gate, the shared failure counter, the
// password check and what a successful sign-in leaves.
class LoginTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dateFormatGate_data();
    void dateFormatGate();
    void failureCounter_data();
    void failureCounter();
    void successLeavesTheOperator_data();
    void successLeavesTheOperator();
    void enterInLoginMovesOnAndLooksUp();
    void unknownLoginIsSelectedForTheNextTry();
    void alarmStandsOnTheSignIn();
    void cancelEndsTheProgram();

private:
    frmLoginLab &login() { return ui::WindowRegistry::Instance<frmLoginLab>(); }
    // The window as the start-up shows it, once per test.
    frmLoginLab &shown();
    void readyForTyping();
    void typeLogin(const QString &text);
    void typePassword(const QString &text);

    FoundationFixture *fixture_ = nullptr;
    bool shown_ = false;
};

void LoginTest::init()
{
    fixture_ = new FoundationFixture;
    shown_ = false;
    StaleDb = fixture_->CreateStale();
}

void LoginTest::cleanup()
{
    delete fixture_;
    SetRegionalLocale(QLocale::system());
}

frmLoginLab &LoginTest::shown()
{
    if (!shown_) {
        login().show();
        shown_ = QTest::qWaitForWindowActive(&login());
    }
    return login();
}

// The user types once the window has done its work, and after an alarm the
// desktop gives the sign-in back its activation, which offscreen it does not.
void LoginTest::readyForTyping()
{
    frmLoginLab &window = shown();
    QVERIFY(shown_);
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != &window) {
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
}

// Types the login where the user does: in the login box (reached from the
// password box by Shift+Tab), then Enter. The box must hold just what was
// typed: after an alarm its old text is selected and typing replaces it.
void LoginTest::typeLogin(const QString &text)
{
    readyForTyping();
    frmLoginLab &window = login();
    if (window.txtPassword->hasFocus())
        QTest::keyClick(window.txtPassword, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(window.TextLogin->hasFocus());
    TYPE(&window, "TextLogin", text);
    QCOMPARE(window.TextLogin->text(), text);
    QTest::keyClick(window.TextLogin, Qt::Key_Return);
}

// Types the password into the password box, which has the focus after a
// recognised login or a wrong password, then Enter.
void LoginTest::typePassword(const QString &text)
{
    readyForTyping();
    frmLoginLab &window = login();
    QTRY_VERIFY(window.txtPassword->hasFocus());
    TYPE(&window, "txtPassword", text);
    QCOMPARE(window.txtPassword->text(), text);
    QTest::keyClick(window.txtPassword, Qt::Key_Return);
}

void LoginTest::dateFormatGate_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("Polish") << QLocale(QLocale::Polish, QLocale::Poland) << true;
    QTest::newRow("United States") << QLocale(QLocale::English, QLocale::UnitedStates) << false;
    QTest::newRow("German two-digit year") << QLocale(QLocale::German, QLocale::Germany) << false;
}

void LoginTest::dateFormatGate()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, accepted);
    SetRegionalLocale(locale);
    ui::ScriptedUi scripted;
    if (!accepted)
        scripted.Answer("OK");
    ProgramEndRecorder end;
    login();
    QCOMPARE(end.Ended(), !accepted);
    if (!accepted) {
        QCOMPARE(scripted.Last().title, QStringLiteral("FORMAT DATY"));
        QCOMPARE(scripted.Last().style, 64);
        QCOMPARE(
            scripted.Last().text,
            QStringLiteral("Aby system działał prawidłowo w ustawieniach regionalnych windows\r"
                           "zmień format daty systemowej na: dd.MM.rrrr"));
    }
    SCRIPTED_UI_VERIFY(scripted);
}

void LoginTest::failureCounter_data()
{
    QTest::addColumn<QStringList>("steps"); // "L" login or "P" password, then the text
    QTest::addColumn<QStringList>("alarms");
    const QString wrong = QStringLiteral("Pzle");
    QTest::newRow("three unknown logins") << QStringList{"Lnikt", "Lnikt2", "Lnikt3"}
                                          << QStringList{TryLoginAgain, TryLoginAgain, LoginExit};
    QTest::newRow("four wrong passwords")
        << QStringList{"LADMIN", wrong, wrong, wrong, wrong}
        << QStringList{TryPasswordAgain, TryPasswordAgain, TryPasswordAgain, PasswordExit};
    QTest::newRow("unknown, then known: four tries again")
        << QStringList{"Lnikt", "Lnikt", "LADMIN", wrong, wrong, wrong, wrong}
        << QStringList{TryLoginAgain,    TryLoginAgain,    TryPasswordAgain,
                       TryPasswordAgain, TryPasswordAgain, PasswordExit};
    QTest::newRow("wrong passwords, then unknown login")
        << QStringList{"LADMIN", wrong, wrong, "Lnikt"}
        << QStringList{TryPasswordAgain, TryPasswordAgain, LoginExit};
    // Quotes are part of the login: no error, no row, no sign-in.
    QTest::newRow("quoted logins") << QStringList{"LO'Brien", "L' OR '1'='1",
                                                  "Lx' UNION SELECT * FROM OPERATORZY WHERE '1'='1"}
                                   << QStringList{TryLoginAgain, TryLoginAgain, LoginExit};
}

void LoginTest::failureCounter()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, alarms);
    ui::ScriptedUi scripted;
    QStringList shown;
    expectAlarms(scripted, shown, int(alarms.size()));
    for (const QString &step : steps) {
        if (step.startsWith('L'))
            typeLogin(step.mid(1));
        else
            typePassword(step.mid(1));
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(shown, alarms);
    QVERIFY(!LoginOk);
    QVERIFY(OperatorSurname.isEmpty());
    SCRIPTED_UI_VERIFY(scripted);
}

void LoginTest::successLeavesTheOperator_data()
{
    QTest::addColumn<QString>("loginText");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("surname");
    QTest::newRow("administrator in capitals") << "ADMIN"
                                               << "TAJNE1"
                                               << "1"
                                               << "Administrator"
                                               << "Kowalski";
    QTest::newRow("login in other case, password in lower case") << "admin"
                                                                 << "tajne1"
                                                                 << "1"
                                                                 << "Administrator"
                                                                 << "Kowalski";
    QTest::newRow("stored value with trailing blanks") << "anna"
                                                       << "Anna12"
                                                       << "2"
                                                       << "Operator"
                                                       << "Nowak";
}

void LoginTest::successLeavesTheOperator()
{
    QFETCH(QString, loginText);
    QFETCH(QString, password);
    QFETCH(QString, number);
    QFETCH(QString, kind);
    QFETCH(QString, surname);
    ui::ScriptedUi scripted;
    typeLogin(loginText);
    typePassword(password);
    QVERIFY(LoginOk);
    QVERIFY(login().isHidden());
    QCOMPARE(login().TextOperat->text(), number);
    QCOMPARE(login().TextOperatRodz->text(), kind);
    QCOMPARE(login().TextNazwisko->text(), surname);
    QCOMPARE(OperatorSurname, surname);
    QCOMPARE(ProgramFolder, QStringLiteral("C:\\MervaskLab"));
    QCOMPARE(login().txtPassword->text(), password); // the box is not upper-cased
    SCRIPTED_UI_VERIFY(scripted);
}

void LoginTest::enterInLoginMovesOnAndLooksUp()
{
    frmLoginLab &window = login();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.TextLogin->setFocus();
    QTRY_VERIFY(window.TextLogin->hasFocus());
    QVERIFY(window.CmdTmp->isDefault());
    QTest::keyClicks(window.TextLogin, "anna");
    QTest::keyClick(window.TextLogin, Qt::Key_Return);
    QTRY_VERIFY(window.txtPassword->hasFocus());
    QCOMPARE(window.TextNazwisko->text(), QStringLiteral("Nowak"));
    QVERIFY(window.cmdOK->isDefault());
    QTest::keyClicks(window.txtPassword, "anna12");
    QTest::keyClick(window.txtPassword, Qt::Key_Return);
    QVERIFY(LoginOk);
    QVERIFY(window.isHidden());
}

// After the alarm of an unknown login its text is selected, so the next
// login typed replaces it, and the next Enter looks that one up: no password
// is counted that was never typed.
void LoginTest::unknownLoginIsSelectedForTheNextTry()
{
    frmLoginLab &window = shown();
    QStringList alarms;
    ui::ScriptedUi scripted;
    expectAlarms(scripted, alarms, 1);
    typeLogin(QStringLiteral("zzz"));
    QCOMPARE(alarms, QStringList{TryLoginAgain});
    readyForTyping();
    QVERIFY(window.TextLogin->hasFocus());
    QCOMPARE(window.TextLogin->selectedText(), QStringLiteral("zzz"));
    QVERIFY(window.CmdTmp->isDefault());
    QVERIFY(!window.cmdOK->isDefault());
    typeLogin(QStringLiteral("anna"));
    QTRY_VERIFY(window.txtPassword->hasFocus());
    QCOMPARE(window.TextNazwisko->text(), QStringLiteral("Nowak"));
    QCOMPARE(window.FailureCount(), 0);
    SCRIPTED_UI_VERIFY(scripted);
    QCOMPARE(scripted.Log().size(), 1);
    QVERIFY(window.isVisible());
    window.hide();
}

// The alarm stands on the sign-in, not at the screen's corner, and the next
// one comes back at the same place.
void LoginTest::alarmStandsOnTheSignIn()
{
    login().move(240, 160);
    shown();
    QVERIFY(shown_);
    ui::ScriptedUi scripted;
    QList<QRect> alarms;
    for (int i = 0; i < 2; ++i)
        scripted.AnswerWindow("FormAlarm",
                              [&alarms](QWidget &alarm) { alarms << alarm.frameGeometry(); });
    typeLogin(QStringLiteral("nikt"));
    typeLogin(QStringLiteral("nikt2"));
    SCRIPTED_UI_VERIFY(scripted);
    QCOMPARE(alarms.size(), 2);
    const QPoint signIn = login().frameGeometry().center();
    QVERIFY2((alarms[0].center() - signIn).manhattanLength() <= 4,
             qPrintable(QStringLiteral("alarm at %1,%2, sign-in centre %3,%4")
                            .arg(alarms[0].center().x())
                            .arg(alarms[0].center().y())
                            .arg(signIn.x())
                            .arg(signIn.y())));
    QCOMPARE(alarms[1], alarms[0]);
}

void LoginTest::cancelEndsTheProgram()
{
    ProgramEndRecorder end;
    PRESS(&shown(), "cmdCancel");
    QVERIFY(end.Ended());
    QVERIFY(!LoginOk);
}

QTEST_MAIN(LoginTest)
#include "tst_frmLoginLab.moc"
