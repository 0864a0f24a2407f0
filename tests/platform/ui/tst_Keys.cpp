#include "platform/ui/EnterAsTab.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/PickList.h"
#include "platform/ui/SelectAllOnFocus.h"
#include "platform/ui/SendKeys.h"
#include "platform/ui/TypingLimit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
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

// What a box limited to `limit` characters shows after `inserted` was typed
// or pasted over its characters [from, to): the whole text when it fits the
// column, else what fits of the insertion, or nothing at all.
QString AfterInsert(const QString &shown, int from, int to, const QString &inserted, int limit)
{
    const QString base = shown.left(from) + shown.mid(to);
    const QString whole = base.left(from) + inserted + base.mid(from);
    if (whole.size() <= limit)
        return whole;
    const qsizetype fits = limit - base.size();
    return fits > 0 ? base.left(from) + inserted.left(fits) + base.mid(from) : shown;
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

    // A pick list's box limited to its column, against a model: typing stops
    // at the column; of a paste (Ctrl+V), what fits stays; an entry picked
    // is kept whole however long and can be shortened, but takes nothing
    // typed; pasted over whole, it gives way to what fits of the paste.
    void typingAndPastingKeepWhatFits()
    {
        constexpr int Limit = 8;
        const QStringList entries{"mail", "faks", "poczta/mail/faks"};
        // Keys are typed in ASCII only; pastes bring Polish letters too.
        const QString keys = QStringLiteral("xyzmail/faks0123456789 ");
        const QString letters = keys + QStringLiteral("ĄŁęó");
        for (const quint32 seed : {1u, 2u, 3u, 4u}) {
            Window window;
            QComboBox *list = window.editableList;
            list->addItems(entries);
            list->setEditText(QString());
            // The limit alone: no completion selects what follows the caret.
            list->setCompleter(nullptr);
            ui::LimitTyping(list->lineEdit(), Limit);
            QLineEdit *box = list->lineEdit();
            QVERIFY(QTest::qWaitForWindowActive(&window.widget));
            list->setFocus();
            QRandomGenerator random(seed);
            const auto text = [&](int most, const QString &from) {
                QString t;
                for (int n = random.bounded(1, most + 1); n > 0; --n)
                    t += from.at(random.bounded(int(from.size())));
                return t;
            };
            for (int step = 0; step < 150; ++step) {
                const QString shown = box->text();
                const int size = int(shown.size());
                const bool overLong = size > Limit;
                QString expected;
                QString done;
                switch (random.bounded(5)) {
                case 0: { // an entry picked
                    const int at = random.bounded(int(entries.size()));
                    list->setCurrentIndex(-1);
                    list->setCurrentIndex(at);
                    expected = entries.at(at);
                    done = QStringLiteral("pick %1").arg(at);
                    break;
                }
                case 1: { // typed key by key where the caret stands
                    const int at = random.bounded(size + 1);
                    const QString typed = text(3, keys);
                    box->setCursorPosition(at);
                    expected = shown;
                    for (qsizetype i = 0; i < typed.size(); ++i)
                        expected =
                            AfterInsert(expected, at + int(i), at + int(i), typed.mid(i, 1), Limit);
                    QTest::keyClicks(list, typed);
                    done = QStringLiteral("type \"%1\" at %2").arg(typed).arg(at);
                    break;
                }
                case 2:
                case 3: { // pasted over a selection, or over all of a long pick
                    int from = random.bounded(size + 1);
                    int to = from + random.bounded(size - from + 1);
                    QString pasted = text(2 * Limit, letters);
                    if (overLong && from != to) {
                        from = 0;
                        to = size;
                        if (pasted.at(0) == shown.at(0))
                            pasted.prepend(QLatin1Char('x'));
                    }
                    box->setSelection(from, to - from);
                    QGuiApplication::clipboard()->setText(pasted);
                    QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
                    expected = AfterInsert(shown, from, to, pasted, Limit);
                    done = QStringLiteral("paste \"%1\" over %2..%3").arg(pasted).arg(from).arg(to);
                    break;
                }
                default: { // a character deleted before the caret
                    const int at = random.bounded(size + 1);
                    box->setCursorPosition(at);
                    expected = at > 0 ? shown.left(at - 1) + shown.mid(at) : shown;
                    QTest::keyClick(list, Qt::Key_Backspace);
                    done = QStringLiteral("backspace at %1").arg(at);
                }
                }
                QVERIFY2(
                    box->text() == expected,
                    qPrintable(QStringLiteral("seed %1 step %2: \"%3\", %4: \"%5\", not \"%6\"")
                                   .arg(seed)
                                   .arg(step)
                                   .arg(shown, done, box->text(), expected)));
            }
        }
    }

    // A pick list asks for the same room whatever its entries; a long entry
    // put in is read from its start until the user comes back to it, with
    // the caret where it stood; its open list shows the entry whole.
    void pickListKeepsItsWidth()
    {
        Window window;
        QComboBox *list = ui::PickList(&window.widget, "list");
        window.widget.layout()->addWidget(list);
        const QSize wanted = list->sizeHint();
        const QString entry = QStringLiteral("Wierzbicka-Szczepańska-Kowalczyk-Żółtowska-Bąk");
        list->addItems({QStringLiteral("Lis"), entry});
        QCOMPARE(list->sizeHint(), wanted);
        QCOMPARE(list->minimumSizeHint().width(), wanted.width());
        QVERIFY(QTest::qWaitForWindowActive(&window.widget));
        window.text1->setFocus();
        list->setCurrentIndex(1);
        QVERIFY(list->fontMetrics().horizontalAdvance(entry) > list->lineEdit()->width());
        QCOMPARE(list->lineEdit()->cursorPosition(), 0);
        list->setFocus(Qt::OtherFocusReason);
        QCOMPARE(list->lineEdit()->cursorPosition(), entry.size());
        QTest::keyClick(list, Qt::Key_Left);
        window.text1->setFocus();
        QCOMPARE(list->lineEdit()->cursorPosition(), 0);
        QTest::keyClick(list, Qt::Key_Backspace);
        QCOMPARE(list->currentText(), entry.left(entry.size() - 2) + entry.right(1));
        list->showPopup();
        QTRY_VERIFY(list->view()->isVisible());
        QVERIFY(list->view()->viewport()->width() >=
                list->view()->fontMetrics().horizontalAdvance(entry));
        list->hidePopup();
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
