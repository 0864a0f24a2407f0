#include "mainwindow/MainLayout.h"
#include "mainwindow/aMain.h"
#include "platform/ui/WindowRegistry.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class MainLayoutTest : public QObject
{
    Q_OBJECT

private:
    static MainLayout::Controls DesignControls()
    {
        MainLayout::Controls c;
        for (TwipsRect *button : {&c.Command1, &c.ComPlytki, &c.ComArchiwizacja, &c.ComWysDoWIW,
                                  &c.ComUzytkownik, &c.ComCLab, &c.ComEnd}) {
            button->Width = MainLayout::ButtonWidth;
            button->Height = MainLayout::ButtonHeight;
        }
        c.LabelData = {1200, 0, MainLayout::LabelDataWidth, MainLayout::LabelDataHeight};
        c.LabMonth = {1200, 0, MainLayout::LabMonthWidth, MainLayout::LabMonthHeight};
        c.LabelVer = {0, 0, 1000, 200};
        c.FrameCzekaj = {0, 0, 4000, 800};
        c.FrameDoWIW = {0, 0, 4000, 600};
        c.Image1 = {0, 240, 4800, 1200};
        c.Line1X1 = 240;
        return c;
    }

private slots:
    void buttonColumn_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("top");
        // Scale 10000 x 6000: the column starts at 57 % of the width, just
        // above the middle, 660 twips from one button to the next.
        QTest::newRow("Ewidencja próbek") << 0 << 2470;
        QTest::newRow("Użytkownik") << 1 << 3130;
        QTest::newRow("Archiwizacja") << 2 << 3790;
        QTest::newRow("Wyślij dane do WIW") << 3 << 4450;
        QTest::newRow("Zakłady") << 4 << 5110;
        QTest::newRow("Export do CLab") << 5 << 5770;
        QTest::newRow("Koniec") << 6 << 6430;
    }

    void buttonColumn()
    {
        QFETCH(int, index);
        QFETCH(int, top);
        MainLayout::Controls c = DesignControls();
        MainLayout::Arrange(c, {10000, 6000, 10200, 6900});
        const TwipsRect *buttons[] = {&c.Command1,    &c.ComPlytki,     &c.ComArchiwizacja,
                                      &c.ComWysDoWIW, &c.ComUzytkownik, &c.ComCLab,
                                      &c.ComEnd};
        QCOMPARE(buttons[index]->Left, 5700);
        QCOMPARE(buttons[index]->Top, top);
        QCOMPARE(buttons[index]->Width, MainLayout::ButtonWidth);
    }

    void dateLabelsFollowTheLastButton()
    {
        MainLayout::Controls c = DesignControls();
        MainLayout::Arrange(c, {10000, 6000, 10200, 6900});
        QCOMPARE(c.LabelData.Top, c.ComEnd.Top);
        QCOMPARE(c.LabMonth.Top, c.ComEnd.Top - 750);
        // The date labels keep their own Left; the rule keeps equal margins.
        QCOMPARE(c.LabelData.Left, 1200);
        QCOMPARE(c.LabMonth.Left, 1200);
        QCOMPARE(c.Line1X2, 10200 - 240);
    }

    void tinyWindowIsNotClipped()
    {
        MainLayout::Controls c = DesignControls();
        MainLayout::Arrange(c, {600, 400, 800, 1200});
        QCOMPARE(c.Command1.Top, 200 - 530);
        QCOMPARE(c.Command1.Left, 342);
        QCOMPARE(c.ComPlytki.Top, -330 + 660);
    }

    // The window itself lays its buttons out whenever it is resized.
    void windowFollowsItsSize()
    {
        aMain &window = ui::WindowRegistry::Instance<aMain>();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const double dpi = window.logicalDpiX();
        QWidget *area = window.centralWidget();
        const QSize chrome = window.size() - area->size();
        window.resize(MainLayout::TwipsToPixels(10000, dpi) + chrome.width(),
                      MainLayout::TwipsToPixels(6000, window.logicalDpiY()) + chrome.height());
        QCoreApplication::processEvents();
        QCOMPARE(area->width(), MainLayout::TwipsToPixels(10000, dpi));
        // Within one pixel (15 twips) of the example.
        QVERIFY(qAbs(window.LayoutTwips().Command1.Left - 5700) <= 15);
        QVERIFY(qAbs(window.LayoutTwips().Command1.Top - 2470) <= 15);
        QCOMPARE(window.Command1->x(), MainLayout::TwipsToPixels(5700, dpi));
        QCOMPARE(window.Command1->y(), MainLayout::TwipsToPixels(2470, window.logicalDpiY()));
        QCOMPARE(window.ComEnd->x(), window.Command1->x());
        QCOMPARE(window.LabelData->y(), window.ComEnd->y());
        const int dataLeft = window.LabelData->x();
        window.resize(window.width() / 2, window.height() / 2);
        QCoreApplication::processEvents();
        QCOMPARE(window.LabelData->x(), dataLeft);
        QVERIFY(window.Command1->x() < MainLayout::TwipsToPixels(5700, dpi));
        ui::WindowRegistry::Reset();
    }
};

QTEST_MAIN(MainLayoutTest)
#include "tst_MainLayout.moc"
