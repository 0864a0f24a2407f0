#include "mainwindow/aMain.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The main window as the user sees it at any size: one column of buttons a
// little right of the centre and just above the middle, the date under the
// month beside the last button, nothing squeezed when the window shrinks.
class MainLayoutTest : public QObject
{
    Q_OBJECT

private:
    static QList<QPushButton *> Column(aMain &window)
    {
        return {window.Command1,      window.ComPlytki, window.ComArchiwizacja, window.ComWysDoWIW,
                window.ComUzytkownik, window.ComCLab,   window.ComEnd};
    }

private slots:
    void cleanup() { ui::WindowRegistry::Reset(); }

    void buttonsFormOneColumnAtEverySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design") << QSize(680, 460);
        QTest::newRow("large") << QSize(1400, 900);
        QTest::newRow("small") << QSize(340, 230);
    }

    void buttonsFormOneColumnAtEverySize()
    {
        QFETCH(QSize, size);
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize buttonSize = window.Command1->size();
        QWidget *area = window.centralWidget();
        window.resize(size + (window.size() - area->size()));
        QCoreApplication::processEvents();

        const QList<QPushButton *> column = Column(window);
        for (int i = 0; i < column.size(); ++i) {
            QPushButton *button = column[i];
            QVERIFY2(button->isVisible(), qPrintable(button->objectName()));
            QCOMPARE(button->x(), window.Command1->x());
            QCOMPARE(button->size(), buttonSize);
            if (i > 0)
                QVERIFY2(button->y() >= column[i - 1]->geometry().bottom(),
                         qPrintable(button->objectName()));
        }
        const int width = area->width();
        QVERIFY(window.Command1->x() > width / 2 && window.Command1->x() < width * 2 / 3);
        QVERIFY(window.Command1->y() < area->height() / 2);
        // "Koniec" stays inside a window that can hold the column.
        const int columnHeight = window.ComEnd->geometry().bottom() - window.Command1->y();
        if (area->height() > columnHeight)
            QVERIFY2(window.ComEnd->geometry().bottom() < area->height(),
                     qPrintable(QStringLiteral("Koniec ends at %1 of %2")
                                    .arg(window.ComEnd->geometry().bottom())
                                    .arg(area->height())));
        // The date stands beside the last button (left of the column while
        // there is room), the month above the date.
        QCOMPARE(window.LabelData->y(), window.ComEnd->y());
        QVERIFY(window.LabMonth->geometry().bottom() < window.LabelData->y());
        if (width >= 680)
            QVERIFY(window.LabelData->geometry().right() < window.Command1->x());
    }

    // The date keeps its place when the window shrinks; the column follows.
    void columnFollowsTheWindow()
    {
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(1000, 700);
        QCoreApplication::processEvents();
        const int dateLeft = window.LabelData->x();
        const QPoint columnBefore = window.Command1->pos();
        window.resize(window.width() / 2, window.height() / 2);
        QCoreApplication::processEvents();
        QCOMPARE(window.LabelData->x(), dateLeft);
        QVERIFY(window.Command1->x() < columnBefore.x());
        QVERIFY(window.Command1->y() < columnBefore.y());
    }
};

QTEST_MAIN(MainLayoutTest)
#include "tst_MainLayout.moc"
