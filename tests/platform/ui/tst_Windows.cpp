#include "platform/ui/ScriptedUi.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/UnscriptedDialog.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

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

    // A box is first centred on the window the user works in; shown again it
    // comes back where it was left, even when the user dragged it away. A box
    // centred on its owner every time follows the owner instead.
    void shownAgainKeepsItsPlace()
    {
        QWidget owner;
        owner.setGeometry(100, 80, 600, 400);
        owner.show();
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        QDialog box;
        box.setObjectName("FormPierwsze");
        box.setFixedSize(200, 100);
        ui::ScriptedUi script;
        QList<QRect> frames;
        QList<QPoint> owners;
        const auto note = [&](QWidget &shown) {
            frames << shown.frameGeometry();
            owners << owner.frameGeometry().center();
            // The user drags the box aside, as a window manager moves it.
            shown.windowHandle()->setFramePosition(QPoint(20 + int(frames.size()), 30));
            QCoreApplication::processEvents();
        };
        for (int i = 0; i < 3; ++i)
            script.AnswerWindow("FormPierwsze", note);
        ui::ShowModal(box);
        ui::ShowModal(box);
        owner.move(150, 120);
        owner.activateWindow(); // as the desktop does when the box has gone
        QVERIFY(QTest::qWaitForWindowActive(&owner));
        ui::ShowModal(box, ui::Placement::CentredOnOwner);
        SCRIPTED_UI_VERIFY(script);
        QCOMPARE(frames.size(), 3);
        QVERIFY((frames[0].center() - owners[0]).manhattanLength() <= 4);
        QCOMPARE(frames[1].topLeft(), QPoint(21, 30));
        QVERIFY((frames[2].center() - owners[2]).manhattanLength() <= 4);
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

        // Another window than the one queued is hidden at once instead of blocking.
        QStringList unscripted;
        const ui::ScriptedUi::UnscriptedHandler failTest = ui::ScriptedUi::SetUnscriptedHandler(
            [&unscripted](const QString &problem) { unscripted.append(problem); });
        script.AnswerWindow("FormPierwsze");
        ui::ShowModal(ui::WindowRegistry::Instance<FormDrugie>());
        ui::ScriptedUi::SetUnscriptedHandler(failTest);
        QVERIFY(!ui::WindowRegistry::Instance<FormDrugie>().isVisible());
        QCOMPARE(unscripted.size(), 1);
        QVERIFY(unscripted[0].contains("FormDrugie"));
        QVERIFY(!script.Verify());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_Windows.moc"
