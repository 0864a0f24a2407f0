#include "FixtureTest.h"
#include "OtherWorkstation.h"
#include "Press.h"
#include "SamplesFixture.h"

#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "platform/db/DBEngine.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ScriptedUi.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"
#include "samples/FormNumery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using F = SamplesFixture;

namespace
{

const QString OrderFile = QStringLiteral("T:\\Zlecenia\\zlecenie.txt");
const QString Imported = QStringLiteral("SELECT * FROM Badanie WHERE Partia = 9 ORDER BY NrDzien");

// The header line with fields 1 to 30, the changed fields put in.
QString header(const QMap<int, QString> &changed = {})
{
    QStringList fields =
        QStringLiteral("[PartiaMervask]|1-3|20|14650301|zakład ubojowy|1465|Ostrołęka|"
                       "04.03.2024|04.03.2024|08:30|Jan Kowalski|partia kontrolna||||||||||"
                       "14650301|zakład ubojowy|Ubojnia Źródło|Ostrołęka|ul. Polna 1|07-400|"
                       "Ostrołęka|297600000|biuro@ubojnia.example|1465")
            .split(QLatin1Char('|'));
    for (auto it = changed.begin(); it != changed.end(); ++it)
        fields[it.key()] = it.value();
    return fields.join(QLatin1Char('|'));
}

// Sample line n; the changed fields put in.
QString sampleLine(int n, const QMap<int, QString> &changed = {})
{
    QStringList fields{QStringLiteral("P"),
                       QString::number(n),
                       F::Wni,
                       QString::number(n).rightJustified(3, QLatin1Char('0')),
                       QStringLiteral("04032024"),
                       QString::number(1 + n / 10),
                       QStringLiteral("część żebrowa przepony"),
                       QStringLiteral("Świnie"),
                       QStringLiteral("Tucznik"),
                       n == 3 ? QStringLiteral("próbka O'Neilla, mała") : QString()};
    for (auto it = changed.begin(); it != changed.end(); ++it)
        fields[it.key()] = it.value();
    return fields.join(QLatin1Char('|'));
}

QStringList orderFile(int samples, int tooLongSpeciesAt = 0)
{
    QStringList lines{QStringLiteral("Zlecenie badania na włośnie"), header()};
    for (int n = 1; n <= samples; ++n)
        lines.append(n == tooLongSpeciesAt ? sampleLine(n, {{7, QString(21, QLatin1Char('S'))}})
                                           : sampleLine(n));
    return lines;
}

FormPartia &openRegister()
{
    FormPartia &form = ui::WindowRegistry::Instance<FormPartia>();
    form.DTPData->setText(F::DeliveryDate);
    form.DataPartia->setRecordset(
        MonthDb.OpenRecordset(QStringLiteral("SELECT * FROM PARTIA ORDER BY PARTIA DESC")));
    InitOnActivate = true;
    form.show();
    return form;
}

} // namespace

// An order file read in through the batch register: its header fills the
// batch frame, and the save opens the samples, which read the file's sample
// lines after the start numbers are confirmed.
class tst_OrderFileImport : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

protected:
    void Prepare() override
    {
        F::AddRow(StaleDb, QStringLiteral("Zaklad"),
                  {{QStringLiteral("IdRzezni"), F::Wni},
                   {QStringLiteral("Nazwa"), QStringLiteral("Ubojnia Źródło")},
                   {QStringLiteral("KodPIW"), QStringLiteral("1465")}});
        F::AddBatch(8);
        F::AddSample(8, 1, 5, 7); // the same delivery day
    }

    // Reads the header, saves the batch and answers the start numbers with
    // `numbers`; the sample window's list is returned as the user saw it.
    void importThroughTheWindows(ui::ScriptedUi &ui, const ui::ScriptedUi::WindowAction &numbers,
                                 int *listed = nullptr)
    {
        FormPartia &form = openRegister();
        ui.AnswerFile(OrderFile);
        PRESS(&form, "ComWczytPart");
        QVERIFY(form.CheckWczyt->isChecked());
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [listed](QWidget &window) {
            auto &samples = static_cast<FormBadanie &>(window);
            QVERIFY(samples.LabelWczytajPlik->text().isEmpty());
            QVERIFY(samples.FrameCzekaj->isHidden());
            QVERIFY(samples.ComDodajPr->isEnabled());
            if (listed)
                *listed = samples.DataBad->RowCount();
        });
        ui.AnswerWindow(QStringLiteral("FormNumery"), numbers);
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("SELECT * FROM Partia WHERE Partia = 9")), 1);
    }

private slots:
    void samplesReadWithConsecutiveNumbers_data()
    {
        QTest::addColumn<QString>("lineEnd");
        QTest::newRow("CR LF") << "\r\n";
        QTest::newRow("CR") << "\r";
        QTest::newRow("LF") << "\n";
    }

    void samplesReadWithConsecutiveNumbers()
    {
        QFETCH(QString, lineEnd);
        F::WriteFile(OrderFile, orderFile(20), lineEnd);
        ui::ScriptedUi ui;
        int listed = 0;
        importThroughTheWindows(
            ui,
            [](QWidget &window) {
                auto &numbers = static_cast<FormNumery &>(window);
                QCOMPARE(numbers.TextNrDziennyF->text(), QStringLiteral("6"));
                QCOMPARE(numbers.TextNrOgolnyF->text(), QStringLiteral("8"));
                QCOMPARE(numbers.focusWidget(), numbers.TextNrDziennyF);
                RETYPE(&numbers, "TextNrOgolnyF", QStringLiteral("30"));
                PRESS(&numbers, "ComOk");
            },
            &listed);
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(listed, 20);
        QCOMPARE(ImportFilePath, OrderFile);
        const QList<QVariantMap> rows = F::Rows(MonthDb, Imported);
        QCOMPARE(rows.size(), 20);
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(rows[i].value(QStringLiteral("NrDzien")).toInt(), 6 + i);
            QCOMPARE(rows[i].value(QStringLiteral("NrOgolny")).toInt(), 30 + i);
            QCOMPARE(rows[i].value(QStringLiteral("NrProbki")).toInt(), 1 + i);
            QCOMPARE(rows[i].value(QStringLiteral("IDProbki")).toString(),
                     F::Wni + QString::number(i + 1).rightJustified(3, QLatin1Char('0')) +
                         QStringLiteral("04032024"));
            QCOMPARE(rows[i].value(QStringLiteral("DataDoLab")).toDate(), F::Day);
        }
        QCOMPARE(rows[2].value(QStringLiteral("NazTkanka")).toString(),
                 QStringLiteral("część żebrowa przepony"));
        QCOMPARE(rows[2].value(QStringLiteral("Uwagi")).toString(),
                 QStringLiteral("próbka O'Neilla, mała"));
        QVERIFY(rows[2].value(QStringLiteral("Wynik")).isNull());
    }

    // While another workstation holds the month file, confirming the numbers
    // waits for it once and says so in one box, with the numbers still open;
    // confirmed again once the file is free, they are read in.
    void numbersConfirmedWhileTheFileIsHeld()
    {
        F::WriteFile(OrderFile, orderFile(3));
        ui::ScriptedUi ui;
        importThroughTheWindows(ui, [&ui](QWidget &numbers) {
            other_workstation::Holder other(MonthDb);
            QVERIFY(other.Ready());
            ui.Answer(QStringLiteral("OK"));
            const quint64 waits = dao::DBEngine::LockWaits();
            PRESS(&numbers, "ComOk");
            QCOMPARE(dao::DBEngine::LockWaits() - waits, 1u);
            QCOMPARE(ui.Last().title, QStringLiteral("IMPORT"));
            QVERIFY2(ui.Last().text.startsWith(
                         QStringLiteral("Błąd wczytania! Poinformuj programistę!\r3218")),
                     qPrintable(ui.Last().text));
            QVERIFY(numbers.isVisible());
            QVERIFY(other.LetGo());
            PRESS(&numbers, "ComOk");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Imported, QStringLiteral("NrProbki")), QStringList({"1", "2", "3"}));
    }

    // A species too long for its field on line 5 keeps the four samples
    // before it and names the failure.
    void failingLineKeepsTheSamplesBefore()
    {
        F::WriteFile(OrderFile, orderFile(8, 5));
        ui::ScriptedUi ui;
        ui.Answer(QStringLiteral("OK"));
        importThroughTheWindows(ui, [](QWidget &window) { PRESS(&window, "ComOk"); });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(Imported, QStringLiteral("NrProbki")), QStringList({"1", "2", "3", "4"}));
        QVERIFY(ui.Last().text.startsWith(
            QStringLiteral("Jedna z wartości wczytywanego pliku jest nieprawidłowa.\rDane nie "
                           "zostały wczytane prawidłowo.\r")));
        QVERIFY(ui.Last().text.contains(QStringLiteral("\r3163-")));
        QVERIFY2(ui.Last().text.contains(QStringLiteral("\"Gatunek\" mieści najwyżej 20 znaków")),
                 qPrintable(ui.Last().text));
        QCOMPARE(ui.Last().title, QStringLiteral("IMPORT Z PLIKU"));
        QCOMPARE(ui.Last().Icon(), ui::vbExclamation);
    }

    // Numbers that the file's lines would share with stored samples are
    // refused in the dialog; nothing is written until they are free, and
    // "&Anuluj" writes nothing at all.
    void rangeCollisionRefusedBeforeWriting()
    {
        F::AddSample(8, 2, 12, 9);
        F::WriteFile(OrderFile, orderFile(10));
        ui::ScriptedUi ui;
        importThroughTheWindows(ui, [&](QWidget &window) {
            auto &numbers = static_cast<FormNumery &>(window);
            RETYPE(&numbers, "TextNrDziennyF", QStringLiteral("05"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&numbers, "ComOk");
            QCOMPARE(ui.Last().text, QStringLiteral("Nr dzienny: 05 już istnieje! Popraw!"));
            RETYPE(&numbers, "TextNrDziennyF", QStringLiteral("6"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&numbers, "ComOk");
            QCOMPARE(ui.Last().text, QStringLiteral("Nr dzienny: 12 już istnieje! Popraw!"));
            QCOMPARE(ui.Last().title, QStringLiteral("KONTROLA POPRAWNOŚCI"));
            RETYPE(&numbers, "TextNrDziennyF", QStringLiteral("13"));
            RETYPE(&numbers, "TextNrOgolnyF", QStringLiteral("x"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&numbers, "ComOk");
            QCOMPARE(ui.Last().text,
                     QStringLiteral("Nieprawidłowy numer ogólny!\rWprowadź ponownie."));
            QCOMPARE(ui.Last().title, QStringLiteral("Popraw"));
            RETYPE(&numbers, "TextNrOgolnyF", QStringLiteral("1"));
            ui.Answer(QStringLiteral("OK"));
            PRESS(&numbers, "ComOk");
            QCOMPARE(ui.Last().text, QStringLiteral("Nr ogólny: 7 już istnieje! Popraw!"));
            QVERIFY(numbers.isVisible());
            QCOMPARE(F::RowCount(MonthDb, Imported), 0);
            PRESS(&numbers, "ComAnulujFr");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::RowCount(MonthDb, Imported), 0);
        QVERIFY(!ContinueImport);
    }

    // Start numbers whose range runs past the daily (16-bit) or general
    // (32-bit) field are refused in the dialog, so that no line is stored;
    // a range ending on the field's last number is read in.
    void rangePastTheNumberFieldsRefusedBeforeWriting_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("daily");
        QTest::addColumn<qint64>("general");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("daily up to 32767") << 3 << 32764 << qint64(40) << QString();
        // The refusal names the file's size and the limit, not the valid
        // start number.
        QTest::newRow("daily past 32767")
            << 4 << 32764 << qint64(40)
            << "Plik zawiera 4 próbki: numery dzienne od 32765 do 32768 przekroczyłyby "
               "największy dopuszczalny numer 32767!\rWprowadź mniejszy numer dzienny.";
        QTest::newRow("general past 2147483647")
            << 12 << 20 << qint64(2147483640)
            << "Plik zawiera 12 próbek: numery ogólne od 2147483641 do 2147483652 "
               "przekroczyłyby największy dopuszczalny numer 2147483647!\rWprowadź mniejszy "
               "numer ogólny.";
        QTest::newRow("the second of two past 32767")
            << 2 << 32766 << qint64(40)
            << "Plik zawiera 2 próbki: numery dzienne od 32767 do 32768 przekroczyłyby "
               "największy dopuszczalny numer 32767!\rWprowadź mniejszy numer dzienny.";
    }

    void rangePastTheNumberFieldsRefusedBeforeWriting()
    {
        QFETCH(int, lines);
        QFETCH(int, daily);
        QFETCH(qint64, general);
        QFETCH(QString, refusal);
        F::AddSample(8, 2, daily, general);
        F::WriteFile(OrderFile, orderFile(lines));
        ui::ScriptedUi ui;
        importThroughTheWindows(ui, [&](QWidget &window) {
            if (!refusal.isEmpty()) {
                ui.Answer(QStringLiteral("OK"));
                PRESS(&window, "ComOk");
                QCOMPARE(ui.Last().text, refusal);
                QCOMPARE(ui.Last().title, QStringLiteral("Popraw"));
                QVERIFY(window.isVisible());
                PRESS(&window, "ComAnulujFr");
            } else {
                PRESS(&window, "ComOk");
            }
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::RowCount(MonthDb, Imported), refusal.isEmpty() ? lines : 0);
        if (refusal.isEmpty())
            QCOMPARE(F::Texts(Imported, QStringLiteral("NrDzien")).last(), QStringLiteral("32767"));
    }

    // A header field too long for its box goes into the frame whole, and
    // the save refuses it with nothing written.
    void overLongHeaderFieldsAreRefusedWhole_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("message");
        QTest::newRow("WNI of 15") << 3 << "146503011234567"
                                   << "TextZaklad"
                                   << "W bazie danych brak zdefiniowanego zakładu: 146503011234567";
        QTest::newRow("county code of 5") << 5 << "14650"
                                          << "TextKodPIW"
                                          << "3163";
        QTest::newRow("place of 52") << 6 << QString(52, QLatin1Char('m')) << "TextMiejscowoscPobr"
                                     << "3163";
    }

    void overLongHeaderFieldsAreRefusedWhole()
    {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, box);
        QFETCH(QString, message);
        F::WriteFile(OrderFile, {header({{field, value}}), sampleLine(1)});
        ui::ScriptedUi ui;
        FormPartia &form = openRegister();
        ui.AnswerFile(OrderFile);
        PRESS(&form, "ComWczytPart");
        QCOMPARE(form.findChild<QLineEdit *>(box)->text(), value);
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QVERIFY2(ui.Last().text.startsWith(message), qPrintable(ui.Last().text));
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Partia")), 1);
        QCOMPARE(F::RowCount(MonthDb, QStringLiteral("Badanie")), 1);
        QVERIFY(form.FramePartia->isVisible());
    }

    // Remarks keep the line ends they were stored with, in the batch frame
    // and in the sample frame; lines typed end in CR LF.
    void remarksKeepTheirLineEnds()
    {
        MonthDb.Execute(QStringLiteral("UPDATE Partia SET Uwagi = 'linia1' || char(13) || char(10) "
                                       "|| 'linia2'"));
        MonthDb.Execute(QStringLiteral("UPDATE Badanie SET Uwagi = 'a' || char(13) || 'b'"));
        ui::ScriptedUi ui;
        FormPartia &form = openRegister();
        PRESS(&form, "ComPopraw");
        QCOMPARE(form.TextUwagi->toPlainText(), QStringLiteral("linia1\nlinia2"));
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(F::Texts(QStringLiteral("Partia"), QStringLiteral("Uwagi")),
                 QStringList{QStringLiteral("linia1\r\nlinia2")});
        PRESS(&form, "ComPopraw");
        form.TextUwagi->setPlainText(QStringLiteral("linia1\nlinia2\nlinia3"));
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(F::Texts(QStringLiteral("Partia"), QStringLiteral("Uwagi")),
                 QStringList{QStringLiteral("linia1\r\nlinia2\r\nlinia3")});

        F::Open(ui, 8, [](FormBadanie &samples) {
            PRESS(&samples, "ComPopraw");
            QCOMPARE(samples.TextUwagi->toPlainText(), QStringLiteral("a\nb"));
            PRESS(&samples, "ComZapiszFr");
        });
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Texts(QStringLiteral("Badanie"), QStringLiteral("Uwagi")),
                 QStringList{QStringLiteral("a\rb")});
    }
};

int main(int argc, char **argv)
{
    return other_workstation::MainWithStatements<tst_OrderFileImport>(argc, argv);
}

#include "tst_OrderFileImport.moc"
