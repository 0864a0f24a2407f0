#include "platform/RuntimeError.h"
#include "platform/ui/MaskEdBox.h"

#include <QTest>

using ui::MaskEdBox;

class TestMaskEdBox : public QObject
{
    Q_OBJECT

private slots:
    void untouchedAndClearedBoxesReadEmpty()
    {
        MaskEdBox box;
        box.setMask("##.##.####");
        QCOMPARE(box.Text(), QString());
        QCOMPARE(box.displayText(), QStringLiteral("__.__.____"));
        box.setText("05.03.2024");
        QCOMPARE(box.Text(), QStringLiteral("05.03.2024"));
        box.setText("");
        QCOMPARE(box.Text(), QString());
    }

    void typingFillsTheMask_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << "##.##.####"
                              << "05032024"
                              << "05.03.2024";
        QTest::newRow("separators typed") << "##.##.####"
                                          << "05.03.2024"
                                          << "05.03.2024";
        QTest::newRow("part of a date") << "##.##.####"
                                        << "1203"
                                        << "12.03.____";
        QTest::newRow("letters refused") << "##.##.####"
                                         << "ab"
                                         << "";
        QTest::newRow("postal code in part") << "##-###"
                                             << "009"
                                             << "00-9__";
        QTest::newRow("no mask") << ""
                                 << "ul. Dluga 5"
                                 << "ul. Dluga 5";
    }

    void typingFillsTheMask()
    {
        QFETCH(QString, mask);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        MaskEdBox box;
        box.setMask(mask);
        QTest::keyClicks(&box, typed);
        QCOMPARE(box.Text(), text);
        // Erasing every digit reads empty again.
        box.end(false);
        for (int i = 0; i < 12 && !mask.isEmpty(); ++i)
            QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.Text(), mask.isEmpty() ? text : QString());
    }

    void assignedTextMustFitTheMask_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::newRow("date") << "31.12.2026" << true;
        QTest::newRow("with empty places") << "12.03.____" << true;
        QTest::newRow("one-digit day") << "5.3.2024" << false;
        QTest::newRow("other separator") << "05-03-2024" << false;
        QTest::newRow("too long") << "05.03.20245" << false;
        QTest::newRow("non-ASCII digits") << QString::fromUtf8("٠١.٠١.٢٠٠٠") << false;
    }

    void assignedTextMustFitTheMask()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        MaskEdBox box;
        box.setMask("##.##.####");
        box.setText("01.01.2000");
        int error = 0;
        try {
            box.setText(text);
        } catch (const RuntimeError &e) {
            error = e.Number();
        }
        QCOMPARE(error, fits ? 0 : 380);
        QCOMPARE(box.Text(), fits ? text : QStringLiteral("01.01.2000"));
    }

    void maskAndPromptCanChange()
    {
        // A stored postal code without its dash is shown in a box without mask;
        // a new entry sets the mask again.
        MaskEdBox box;
        box.setMask("##-###");
        box.setMask("");
        box.setText("00950");
        QCOMPARE(box.Text(), QStringLiteral("00950"));
        box.setText("");
        box.setMask("##-###");
        QCOMPARE(box.displayText(), QStringLiteral("__-___"));
        box.setText("00-9__");
        box.setPromptChar('*');
        QCOMPARE(box.Text(), QStringLiteral("00-9**"));
        box.setMask("##.##.####"); // what no longer fits is dropped
        QCOMPARE(box.Text(), QString());
    }
};

QTEST_MAIN(TestMaskEdBox)
#include "tst_MaskEdBox.moc"
