#include "FixtureTest.h"
#include "Press.h"
#include "RegistersFixture.h"

#include "foundation/Globals.h"
#include "platform/RuntimeError.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormChoroba.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QtTest>

namespace
{

QVariant storedMethod()
{
    return RegistersFixture::Rows("SELECT * FROM Kierunek WHERE Kod = 'MERVASK'")
        .value(0)
        .value("Metoda");
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
            w.TextMetoda->setText("  Metoda X, seria 2  ");
            PRESS(&w, "ComZapisz");
            QVERIFY(!w.isVisible());
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), "Metoda X, seria 2");
        QVERIFY(InitOnActivate);

        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            QCOMPARE(w.TextMetoda->text(), "Metoda X, seria 2");
            w.TextMetoda->clear();
            QTest::keyClicks(w.TextMetoda, QString(256, 'm'));
            QCOMPARE(w.TextMetoda->text().size(), 255);
            PRESS(&w, "ComAnuluj");
        });
        FormChoroba::Open();
        QCOMPARE(storedMethod(), "Metoda X, seria 2");

        // Enter and Esc neither save nor close; the title bar closes unsaved.
        scripted.AnswerWindow("FormChoroba", [](QWidget &window) {
            auto &w = static_cast<FormChoroba &>(window);
            w.TextMetoda->setText("wpisane");
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
            w.TextMetoda->setText("   ");
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
};

QTEST_MAIN(FormChorobaTest)
#include "tst_FormChoroba.moc"
