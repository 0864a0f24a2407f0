#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"
#include "RegistersFixture.h"

#include "foundation/Globals.h"
#include "platform/RuntimeError.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormChoroba.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

namespace
{

QVariant storedMethod()
{
    return RegistersFixture::Rows("SELECT * FROM Kierunek WHERE Kod = 'MERVASK'")
        .value(0)
        .value("Metoda");
}

const QString OtherText = QStringLiteral("Metoda drugiego stanowiska");

// The other workstation's part: it saves its own method text.
int otherWorkstationChangesTheMethod(const QStringList &)
{
    StaleDb.Execute(QStringLiteral("UPDATE Kierunek SET Metoda = '") + OtherText +
                    QStringLiteral("' WHERE Kod = 'MERVASK'"));
    other_workstation::Ready();
    return 0;
}

} // namespace

class FormChorobaTest : public FixtureTest<RegistersFixture>
{
    Q_OBJECT

private slots:
    // The method text is stored trimmed; cancel keeps the stored text, which
    // the next opening shows again; 255 characters fit, the 256th is not
    // taken.
    void saveAndCancel()
    {
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            QVERIFY(w.FrameChoroba->isVisible());
            QVERIFY(w.TextMetoda->text().startsWith("Metoda wytrawiania"));
            RETYPE(&w, "TextMetoda", "  Metoda X, seria 2  ");
            PRESS(&w, "ComZapisz");
            QVERIFY(!w.isVisible());
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), "Metoda X, seria 2");
        QVERIFY(InitOnActivate);

        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            QCOMPARE(w.TextMetoda->text(), "Metoda X, seria 2");
            RETYPE(&w, "TextMetoda", QString());
            QTest::keyClicks(w.TextMetoda, QString(256, 'm'));
            QCOMPARE(w.TextMetoda->text().size(), 255);
            PRESS(&w, "ComAnuluj");
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), "Metoda X, seria 2");

        // Enter and Esc neither save nor close; the title bar closes unsaved.
        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            RETYPE(&w, "TextMetoda", "wpisane");
            QTest::keyClick(w.TextMetoda, Qt::Key_Return);
            QTest::keyClick(w.TextMetoda, Qt::Key_Escape);
            QVERIFY(w.isVisible());
            QCOMPARE(storedMethod(), "Metoda X, seria 2");
            w.close();
            QVERIFY(!w.isVisible());
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), "Metoda X, seria 2");

        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            RETYPE(&w, "TextMetoda", "   ");
            PRESS(&w, "ComZapisz");
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), "");
        SCRIPTED_UI_VERIFY(scripted);
    }

    // A Null text opens as an empty box; without the method row the opening
    // fails to its caller and the window stays shut.
    void nullAndMissingRow()
    {
        StaleDb.Execute("UPDATE Kierunek SET Metoda = NULL");
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            QCOMPARE(static_cast<FormChoroba &>(window).TextMetoda->text(), "");
        });
        FormChoroba::Open();
        StaleDb.Execute("DELETE FROM Kierunek");
        QVERIFY_THROWS_EXCEPTION(RuntimeError, FormChoroba::Open());
        SCRIPTED_UI_VERIFY(scripted);
    }

    // The save writes only over the text the window was opened with: when
    // another workstation saved the method meanwhile, the save is refused
    // with the engine's "changed" error and writes nothing; opened anew, the
    // window shows the other text and saves over it.
    void methodChangedElsewhereIsNotOverwritten()
    {
        ui::ScriptedUi scripted;
        scripted.AnswerWindow("FormChoroba", [&scripted](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            TYPE(&w, "TextMetoda", " i moja zmiana");
            QProcess other;
            QVERIFY(other_workstation::Start(other, {}));
            QVERIFY(other.waitForFinished(60000));
            QCOMPARE(other.exitCode(), 0);
            // This workstation's own writes meanwhile change nothing of that.
            RegistersFixture::AddRow("OpisProbki", {{"IdPodp", 1}, {"PODPOWIEDZ", "tusza"}});
            scripted.Answer("OK");
            PRESS(&w, "ComZapisz");
            QCOMPARE(scripted.Last().title, "Powiadom programistę!");
            QVERIFY2(scripted.Last().text.startsWith("3197"), qPrintable(scripted.Last().text));
            QVERIFY(scripted.Last().text.contains("Inny użytkownik zmienił ten rekord"));
            QVERIFY(w.isVisible());
            QCOMPARE(storedMethod(), OtherText);
            PRESS(&w, "ComAnuluj");
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), OtherText);

        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            QCOMPARE(w.TextMetoda->text(), OtherText);
            TYPE(&w, "TextMetoda", ", poprawiona");
            PRESS(&w, "ComZapisz");
            QVERIFY(!w.isVisible());
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), OtherText + ", poprawiona");
        SCRIPTED_UI_VERIFY(scripted);
    }
};

int main(int argc, char **argv)
{
    int exitCode = 0;
    if (other_workstation::RanAsOther(argc, argv, exitCode, otherWorkstationChangesTheMethod))
        return exitCode;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    FormChorobaTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_FormChoroba.moc"
