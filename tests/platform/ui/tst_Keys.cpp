#include "platform/ui/EnterAsTab.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/SelectAllOnFocus.h"
#include "platform/ui/SendKeys.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace
{

// A window of the register's kind, its controls in this tab order.
struct Window {
    QWidget widget;
    QLineEdit *text1 = new QLineEdit(&widget);
    ui::MaskEdBox *date = new ui::MaskEdBox(&widget);
    QComboBox *editableList = new QComboBox(&widget);
    QComboBox *list = new QComboBox(&widget);
    QPlainTextEdit *notes = new QPlainTextEdit(&widget);
    QLineEdit *text2 = new QLineEdit(&widget);
    QPushButton *button = new QPushButton("&Zapisz", &widget);

    Window()
    {
        auto *layout = new QVBoxLayout(&widget);
        for (QWidget *control : widget.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            layout->addWidget(control);
        date->setMask("##.##.####");
        editableList->setEditable(true);
        list->addItems({"mail", "faks"});
        widget.show();
        widget.activateWindow();
    }
};

QWidget *Focus()
{
    return QApplication::focusWidget();
}

} // namespace

class TestKeys : public QObject
{
    Q_OBJECT

private slots:
    void enterMovesOnLikeTab()
    {
        Window window;
        new ui::EnterAsTab(&window.widget);
        QVERIFY(QTest::qWaitForWindowActive(&window.widget));
        window.text1->setFocus();
        for (QWidget *next :
             {static_cast<QWidget *>(window.date), static_cast<QWidget *>(window.editableList),
              static_cast<QWidget *>(window.list), static_cast<QWidget *>(window.notes)}) {
            QTest::keyClick(Focus(), Qt::Key_Return);
            QCOMPARE(Focus(), next);
        }
        // A multi-line box takes Enter as a new line.
        QTest::keyClick(window.notes, Qt::Key_Return);
        QCOMPARE(Focus(), window.notes);
        QCOMPARE(window.notes->toPlainText(), QStringLiteral("\n"));
        window.text2->setFocus();
        QTest::keyClick(window.text2, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(Focus(), window.button);

        // Another window keeps Enter as it is.
        Window other;
        QVERIFY(QTest::qWaitForWindowActive(&other.widget));
        other.text1->setFocus();
        QTest::keyClick(other.text1, Qt::Key_Return);
        QCOMPARE(Focus(), other.text1);
    }

    void listedControlsMoveOnAndKeepTheCaret()
    {
        Window window;
        new ui::EnterAsTab(&window.widget, {window.text1, window.editableList, window.text2},
                           {.leaveEnter = {window.text2}, .keepCaret = true, .passOver = {}});
        QVERIFY(QTest::qWaitForWindowActive(&window.widget));
        window.text1->setFocus();
        // The Tab for Enter arrives once the Enter has been handled.
        QTest::keyClick(window.text1, Qt::Key_Return);
        QCOMPARE(Focus(), window.text1);
        QCoreApplication::processEvents();
        QCOMPARE(Focus(), window.date);
        // A control that is not listed, or is listed to keep its Enter, keeps it.
        for (QWidget *control :
             {static_cast<QWidget *>(window.date), static_cast<QWidget *>(window.text2)}) {
            control->setFocus();
            QTest::keyClick(control, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(Focus(), control);
        }

        // A listed box reached by Shift+Tab keeps its caret and its text.
        window.text1->setFocus();
        QTest::keyClicks(window.text1, "30");
        QTest::keyClick(window.text1, Qt::Key_Left);
        window.date->setFocus();
        QTest::keyClick(window.date, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Focus(), window.text1);
        QVERIFY(!window.text1->hasSelectedText());
        QCOMPARE(window.text1->cursorPosition(), 1);
    }

    void keystrokesArriveAfterTheHandler()
    {
        Window window;
        QVERIFY(QTest::qWaitForWindowActive(&window.widget));
        window.text1->setFocus();
        ui::SendTab();
        // The handler that sent it still runs and may move the focus first.
        QCOMPARE(Focus(), window.text1);
        window.editableList->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(Focus(), window.list);

        window.text1->setText("Nieprawidłowy");
        window.text1->setFocus();
        window.text1->setCursorPosition(3);
        ui::SendHomeShiftEnd();
        QCoreApplication::processEvents();
        QCOMPARE(window.text1->selectedText(), QStringLiteral("Nieprawidłowy"));
        ui::SendEnd();
        ui::SendBackspace();
        QCoreApplication::processEvents();
        QCOMPARE(window.text1->text(), QStringLiteral("Nieprawidłow"));
    }

    void textBoxSelectsItsTextOnFocus_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("by Tab") << false;
        QTest::newRow("by a click") << true;
    }

    void textBoxSelectsItsTextOnFocus()
    {
        QFETCH(bool, byMouse);
        Window window;
        new ui::SelectAllOnFocus(&window.widget);
        QVERIFY(QTest::qWaitForWindowActive(&window.widget));
        window.text2->setText("Kowalski");
        window.date->setText("05.03.2024");
        window.text1->setFocus();
        for (QLineEdit *box :
             {static_cast<QLineEdit *>(window.text2), static_cast<QLineEdit *>(window.date)}) {
            if (byMouse)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
            else
                box->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            QCOMPARE(box->selectedText(), box->text());
        }
    }
};

QTEST_MAIN(TestKeys)
#include "tst_Keys.moc"
