#include "Press.h"
#include "ProgramState.h"
#include "TemporaryDrives.h"

#include "foundation/ProgramEnd.h"
#include "foundation/frmLoginLab.h"
#include "mainwindow/aMain.h"
#include "platform/db/SqlText.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include <functional>

namespace
{

const QString Login = QStringLiteral("nowy");
const QString Password = QStringLiteral("haslo1");

// The sign-in as the user does it: the login, leaving its box, the password, OK.
void signIn(QWidget &window)
{
    auto &login = static_cast<frmLoginLab &>(window);
    TYPE(&login, "TextLogin", Login);
    LEAVE_FIELD(&login, "TextLogin");
    TYPE(&login, "txtPassword", Password);
    PRESS(&login, "cmdOK");
}

void type(QWidget &window, const char *box, const QString &text)
{
    RETYPE(&window, box, text);
}

struct Register {
    const char *menu;
    const char *window;
    std::function<void(QWidget &)> add; // adds one row through the frame
    const char *field;                  // where the added row shows
    QString value;
};

// Adds through "&Dodaj", the boxes and the save, then closes the window.
std::function<void(QWidget &)> adding(const char *add,
                                      QList<std::pair<const char *, QString>> boxes,
                                      const char *save, const char *close)
{
    return [=](QWidget &w) {
        PRESS(&w, add);
        for (const auto &[box, text] : boxes)
            type(w, box, text);
        PRESS(&w, save);
        PRESS(&w, close);
    };
}

const QList<Register> &registers()
{
    static const QList<Register> all{
        {"menLekarz", "FormLekarz",
         adding("ComLaborDod",
                {{"TextLekarzNr", "101"},
                 {"TextImie", "Jan"},
                 {"TextNazwisko", "Nowak"},
                 {"TextMiasto", "Łódź"}},
                "ComLaborZap", "ComLaborZamk"),
         "Nazwisko", "Nowak"},
        {"StanPr", "FormOpisProbki",
         adding("ComDodaj", {{"TxtMet", "Próbka rozmrożona"}}, "ComZapisz", "ComZamk"),
         "PODPOWIEDZ", "Próbka rozmrożona"},
        {"MenUwagiB", "FormPodp",
         adding("ComDodaj", {{"TxtMet", "Próbka uszkodzona"}}, "ComZapisz", "ComZamk"),
         "PODPOWIEDZ", "Próbka uszkodzona"},
        {"menAutoryzowal", "FormAutoryzowal",
         adding("ComDodaj", {{"TextNazwa", "Anna Autor"}}, "ComZapisz", "ComZamk"), "Nazwa",
         "Anna Autor"},
        {"menWykonujacy", "FormAutoryzowal",
         adding("ComDodaj", {{"TextNazwa", "Wit Wykonawca"}}, "ComZapisz", "ComZamk"), "Nazwa",
         "Wit Wykonawca"},
        {"menOdpowiedzialny", "FormAutoryzowal",
         adding("ComDodaj", {{"TextNazwa", "Olga Odpowiedzialna"}}, "ComZapisz", "ComZamk"),
         "Nazwa", "Olga Odpowiedzialna"},
        {"piwety", "FormPIW",
         adding("ComZlewDod", {{"MEBKod", "1061"}, {"TextNazwa", "PIW Łódź"}}, "ComZlewZap",
                "ComZlewZamk"),
         "IDPIW", "1061"},
        {"wiw", "FormWIW",
         adding("ComZlewDod", {{"MEBKod", "10"}, {"TextNazwa", "WIW Łódź"}}, "ComZlewZap",
                "ComZlewZamk"),
         "IDWIW", "10"},
        {"menRodzMat", "FormTkanka",
         adding("ComDodaj", {{"TextNazwa", "łopatka"}}, "ComZapisz", "ComZamknij"), "NazTkanka",
         "łopatka"},
    };
    return all;
}

// Starts the program and signs the newcomer in; the first start answers the
// two boxes of a new month database.
aMain &start(ui::ScriptedUi &scripted, bool first)
{
    aMain &main = ui::WindowRegistry::Instance<aMain>();
    scripted.AnswerWindow("frmLoginLab", signIn);
    if (first) {
        scripted.Answer("OK");
        scripted.Answer("OK");
    }
    main.Start();
    main.show();
    return main;
}

} // namespace

// The newcomer's path: an installed workstation, sign-in, "Definicje" → each
// register, a row added in each, and the rows there after a restart.
class RegistersNewcomerTest : public QObject
{
    Q_OBJECT

private slots:
    void rowsSurviveARestart()
    {
        TemporaryDrives drives;
        const QString problem = drives.Install(Login, Password);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        ProgramEndRecorder ends;
        {
            ui::ScriptedUi scripted;
            aMain &main = start(scripted, true);
            for (const Register &r : registers()) {
                scripted.AnswerWindow(r.window, r.add);
                TRIGGER_MENU(&main, r.menu);
            }
            scripted.AnswerWindow("FormChoroba", [](QWidget &w) {
                type(w, "TextMetoda", "Metoda własna, seria 7");
                PRESS(&w, "ComZapisz");
            });
            TRIGGER_MENU(&main, "mentTSM");
            TRIGGER_MENU(&main, "Men1Exit");
            SCRIPTED_UI_VERIFY(scripted);
            QCOMPARE(ends.Count(), 1);
        }
        ProgramState::Reset();

        ui::ScriptedUi scripted;
        aMain &main = start(scripted, false);
        for (const Register &r : registers()) {
            scripted.AnswerWindow(r.window, [&r](QWidget &w) {
                dao::Recordset rs = w.findChild<ui::DataControl *>()->Recordset();
                rs.FindFirst(QLatin1String(r.field) + " = " + dao::SqlText(r.value));
                QVERIFY2(!rs.NoMatch(), r.menu);
            });
            TRIGGER_MENU(&main, r.menu);
        }
        scripted.AnswerWindow("FormChoroba", [](QWidget &w) {
            QCOMPARE(w.findChild<QLineEdit *>("TextMetoda")->text(), "Metoda własna, seria 7");
        });
        TRIGGER_MENU(&main, "mentTSM");
        SCRIPTED_UI_VERIFY(scripted);
        ProgramState::Reset();
    }
};

QTEST_MAIN(RegistersNewcomerTest)
#include "tst_RegistersNewcomer.moc"
