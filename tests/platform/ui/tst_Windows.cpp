#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/UnscriptedDialog.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace
{

QStringList destroyedWindows;
int created = 0;

class FormPierwsze : public QWidget
{
public:
    FormPierwsze()
    {
        ++created;
        setObjectName("FormPierwsze");
    }
    ~FormPierwsze() override { destroyedWindows.append(objectName()); }
};

class FormDrugie : public QWidget
{
public:
    FormDrugie()
    {
        setObjectName("FormDrugie");
        // Loading one window may load another, as the register's windows do.
        ui::WindowRegistry::Instance<FormPierwsze>();
    }
    ~FormDrugie() override { destroyedWindows.append(objectName()); }
};

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase()
    {
        // Left to the end of the program, which must destroy it in time.
        ui::WindowRegistry::Instance<FormDrugie>().show();
    }

    void cleanup()
    {
        ui::WindowRegistry::Reset();
        destroyedWindows.clear();
        created = 0;
    }

    void oneInstanceCreatedOnFirstUse()
    {
        QVERIFY(!ui::WindowRegistry::Exists<FormPierwsze>());
        FormPierwsze &first = ui::WindowRegistry::Instance<FormPierwsze>();
        QCOMPARE(&ui::WindowRegistry::Instance<FormPierwsze>(), &first);
        QCOMPARE(created, 1);
        QVERIFY(!first.isVisible());

        ui::WindowRegistry::Instance<FormDrugie>();
        ui::WindowRegistry::Reset();
        QCOMPARE(destroyedWindows, (QStringList{"FormDrugie", "FormPierwsze"}));
        ui::WindowRegistry::Instance<FormPierwsze>();
        QCOMPARE(created, 2);
        // A window deleted elsewhere is made anew.
        delete &ui::WindowRegistry::Instance<FormPierwsze>();
        ui::WindowRegistry::Instance<FormPierwsze>();
        QCOMPARE(created, 3);
    }

    void modalShowReturnsWhenTheWindowGoes_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("hidden") << 0;
        QTest::newRow("closed") << 1;
        QTest::newRow("Esc in a dialog") << 2;
        QTest::newRow("destroyed") << 3;
    }

    void modalShowReturnsWhenTheWindowGoes()
    {
        QFETCH(int, how);
        QPointer<QDialog> window = new QDialog;
        bool wasModal = false;
        QTimer::singleShot(0, qApp, [&] {
            wasModal = QApplication::activeModalWidget() == window;
            if (how == 0)
                window->hide();
            else if (how == 1)
                window->close();
            else if (how == 2)
                QTest::keyClick(window, Qt::Key_Escape);
            else
                delete window;
        });
        ui::ShowModal(*window);
        QVERIFY(wasModal);
        if (window) {
            QVERIFY(!window->isVisible());
            QCOMPARE(window->windowModality(), Qt::NonModal);
        }
        delete window;
    }

    void scriptedModalWindows()
    {
        ui::ScriptedUi script;
        FormPierwsze &window = ui::WindowRegistry::Instance<FormPierwsze>();
        bool visibleInAction = false;
        script.AnswerWindow("FormPierwsze",
                            [&](QWidget &shown) { visibleInAction = shown.isVisible(); });
        ui::ShowModal(window);
        QVERIFY(visibleInAction);
        QVERIFY(!window.isVisible());
        QCOMPARE(script.Last().kind, ui::ShownDialog::Window);
        SCRIPTED_UI_VERIFY(script);

        // Another window than the one queued fails instead of blocking.
        script.AnswerWindow("FormPierwsze");
        QVERIFY_THROWS_EXCEPTION(ui::UnscriptedDialog,
                                 ui::ShowModal(ui::WindowRegistry::Instance<FormDrugie>()));
        QVERIFY(!ui::WindowRegistry::Instance<FormDrugie>().isVisible());
        QVERIFY(!script.Verify());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_Windows.moc"
