#include "platform/RuntimeError.h"
#include "platform/ui/Application.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/QtTranslation.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"

#include <QEvent>
#include <QTest>

#include <stdexcept>

namespace
{

// An event handler that fails the way the register's handlers can.
class Failing : public QObject
{
public:
    std::function<void()> fail;

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            fail();
        return QObject::event(event);
    }

    void Send()
    {
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(this, &event);
    }
};

ui::Application &App()
{
    return *static_cast<ui::Application *>(QCoreApplication::instance());
}

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { App().SetReporter({}); }

    // Qt's own dialogs speak Polish on a Polish workstation; a locale Qt has
    // no translation for leaves them as they are.
    void qtDialogsFollowThePolishLocale()
    {
        const char *context = "QFileDialog";
        const char *lookIn = "Look in:";
        QVERIFY(!ui::InstallQtTranslation(QLocale::c()));
        QCOMPARE(QCoreApplication::translate(context, lookIn), QString::fromLatin1(lookIn));
        QVERIFY(ui::InstallQtTranslation(QLocale(QLocale::Polish, QLocale::Poland)));
        QCOMPARE(QCoreApplication::translate(context, lookIn), QStringLiteral("Szukaj w:"));
    }

    void escapedErrorsAreReportedAndTheProgramGoesOn_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("run-time error") << 0 << 3021 << "Brak bieżącego rekordu.";
        QTest::newRow("other exception") << 1 << 51 << "Błąd wewnętrzny (zły stan)";
        QTest::newRow("out of memory") << 2 << 7 << "Brak pamięci";
        QTest::newRow("anything else") << 3 << 51 << "Błąd wewnętrzny";
    }

    void escapedErrorsAreReportedAndTheProgramGoesOn()
    {
        QFETCH(int, kind);
        QFETCH(int, number);
        QFETCH(QString, description);

        QList<QPair<int, QString>> reported;
        App().SetReporter([&](const RuntimeError &e) {
            reported.append({e.Number(), e.Description()});
        });
        Failing failing;
        failing.fail = [kind] {
            if (kind == 0)
                throw RuntimeError(3021, "Brak bieżącego rekordu.");
            if (kind == 1)
                throw std::logic_error("zły stan");
            if (kind == 2)
                throw std::bad_alloc();
            throw 42;
        };
        failing.Send();
        QCOMPARE(reported, (QList<QPair<int, QString>>{{number, description}}));
        failing.fail = [] {};
        failing.Send();
        QCOMPARE(reported.size(), 1);
    }

    void reportShownAsABox()
    {
        App().SetReporter([](const RuntimeError &error) {
            ui::MsgBox(QString::number(error.Number()) + error.Description(), ui::vbExclamation,
                       "Powiadom programistę!");
        });
        ui::ScriptedUi script;
        script.Answer("OK");
        Failing failing;
        failing.fail = [] { throw RuntimeError(3021, "Brak bieżącego rekordu."); };
        failing.Send();
        QCOMPARE(script.Last().text, QStringLiteral("3021Brak bieżącego rekordu."));
        SCRIPTED_UI_VERIFY(script);

        // The report's own box is unscripted: it is closed, the program still
        // goes on, and the script holds the failure.
        QStringList unscripted;
        const ui::ScriptedUi::UnscriptedHandler failTest = ui::ScriptedUi::SetUnscriptedHandler(
            [&unscripted](const QString &problem) { unscripted.append(problem); });
        failing.Send();
        ui::ScriptedUi::SetUnscriptedHandler(failTest);
        QCOMPARE(unscripted.size(), 1);
        QVERIFY(!script.Verify());
    }

    void windowsGoWithTheApplication()
    {
        // Destroyed by the application object at exit, without a crash.
        ui::WindowRegistry::Instance<QWidget>().show();
    }
};

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Application.moc"
