#include "BatchesFixture.h"
#include "FixtureTest.h"
#include "Press.h"

#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "platform/fs/Cp1250.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/FormBadanie.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using F = BatchesFixture;

namespace
{

const QString OrderFile = QStringLiteral("T:\\Zlecenia\\zlecenie.txt");
const QString Client = QStringLiteral("14650301");

// A header with fields 1 to 11, nine empty fields and the client's fields
// 21 to 30.
QString header(const QString &client = Client)
{
    return QStringLiteral("[PartiaMervask]|1-5|12|14650301|zakład ubojowy|1465|Ostrołęka|"
                          "04.03.2024|04.03.2024|08:30|Jan Kowalski|partia kontrolna||||||||||") +
           client +
           QStringLiteral("|zakład ubojowy|Ubojnia O'Neill Sp. z o.o.|Ostrołęka|ul. Polna 1|"
                          "07-400|Ostrołęka|297600000|biuro@ubojnia.example|1465");
}

// The file in Windows-1250 with lone CR line ends, as some senders write it.
void writeOrder(const BatchesFixture &fixture, const QStringList &lines)
{
    const QString path = fixture.Real(OrderFile);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(fs::Cp1250::Encode(lines.join(QLatin1Char('\r'))));
}

QStringList clientColumn(const char *field)
{
    return F::Column(StaleDb, QStringLiteral("SELECT * FROM Zaklad"), QLatin1String(field));
}

} // namespace

// The header import: the frame filled from an order file, an unknown client
// registered, the import handed to the sample register after the save, and
// the files that are not order files.
class tst_FormPartiaImport : public FixtureTest<BatchesFixture>
{
    Q_OBJECT

private slots:
    void importRegistersTheClientAndHandsTheSamplesOver()
    {
        F::AddBatch(8, Client);
        writeOrder(*fixture_, {QStringLiteral("Zlecenie badania - plik z systemu zlecającego"),
                               QString(), header(),
                               QStringLiteral("1|101|14650301|101|04032024|1|filary przepony|"
                                              "Świnie|Wałach|")});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        ui.AnswerFile(OrderFile);
        ui.Answer(QStringLiteral("OK"));
        PRESS(&form, "ComWczytPart");
        QCOMPARE(ui.Log().at(0).filter, QStringLiteral("All Files (*.*)|*.*|Tekst (*.txt)|*.txt"));
        QCOMPARE(ui.Log().at(0).filterIndex, 2);
        QCOMPARE(ui.Last().title, QStringLiteral("INFORMACJA"));
        QVERIFY(ui.Last().text.contains(QStringLiteral(
            "\r     14650301-Ubojnia O'Neill Sp. z o.o.\r     Ostrołęka ul. Polna 1")));
        QCOMPARE(clientColumn("Nazwa"), QStringList{QStringLiteral("Ubojnia O'Neill Sp. z o.o.")});
        QCOMPARE(clientColumn("Telefon"), QStringList{QStringLiteral("297600000")});
        QCOMPARE(clientColumn("NIP"), QStringList{QString()});

        QCOMPARE(ImportFilePath, OrderFile);
        QCOMPARE(form.FramePartia->title(), QStringLiteral("NOWA PARTIA"));
        QCOMPARE(form.TextNrPartii->text(), QStringLiteral("9"));
        QCOMPARE(form.TextNrTac->text(), QStringLiteral("1-5"));
        QCOMPARE(form.LabTypWNI->text(), QStringLiteral("zakład ubojowy"));
        QCOMPARE(form.TextMiejscowoscPobr->text(), QStringLiteral("Ostrołęka"));
        QCOMPARE(form.DTPDataUboju->Text(), QStringLiteral("04.03.2024"));
        QCOMPARE(form.ComboLekarz->currentText(), QStringLiteral("Jan Kowalski"));
        QCOMPARE(form.TextUwagi->toPlainText(), QStringLiteral("partia kontrolna"));
        QCOMPARE(form.focusWidget(), form.ComZapiszFr);

        QString shownBatch;
        ui.AnswerWindow(QStringLiteral("FormBadanie"), [&](QWidget &window) {
            shownBatch = static_cast<FormBadanie &>(window).LabPartia->text();
        });
        // The samples' import starts with its start numbers.
        ui.AnswerWindow(QStringLiteral("FormNumery"));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(shownBatch, QStringLiteral("9"));
        QCOMPARE(F::Count(MonthDb, QStringLiteral("SELECT * FROM Partia WHERE Partia = 9")), 1);

        // The file was read once: "&Próbki" now opens the samples alone.
        ui.AnswerWindow(QStringLiteral("FormBadanie"));
        PRESS(&form, "ComEdytuj");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QString::fromUtf8("PRÓBKI"));
    }

    // A registered client (in another letter case) gets no notice, and with
    // "Wczytuj automatycznie" unticked the save opens no samples.
    void registeredClientWithoutAutomaticSamples()
    {
        F::AddClient(Client, QStringLiteral("Ubojnia"));
        F::AddClient(QStringLiteral("ab1465"), QStringLiteral("Zleceniodawca"));
        writeOrder(*fixture_, {header(QStringLiteral("AB1465"))});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        form.CheckWczyt->setChecked(false);
        ui.AnswerFile(OrderFile);
        PRESS(&form, "ComWczytPart");
        QCOMPARE(clientColumn("Nazwa"),
                 QStringList({QStringLiteral("Ubojnia"), QStringLiteral("Zleceniodawca")}));
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), 1);
        QCOMPARE(F::Count(MonthDb, QStringLiteral("SELECT * FROM Partia")), 1);
    }

    // "&Anuluj" after a header import drops the pending import: the next
    // batch saved opens no samples and hands no file over.
    void cancelForgetsAPendingImport()
    {
        F::AddClient(Client, QStringLiteral("Ubojnia"));
        writeOrder(*fixture_, {header()});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        ui.AnswerFile(OrderFile);
        PRESS(&form, "ComWczytPart");
        PRESS(&form, "ComAnulujFr");
        QVERIFY(form.FramePartia->isHidden() && form.DBGridPartia->isEnabled());
        PRESS(&form, "ComDodajPr");
        F::FillValidFrame(form, Client);
        PRESS(&form, "ComZapiszFr");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Count(MonthDb, QStringLiteral("SELECT * FROM Partia")), 1);
        QVERIFY(ui::WindowRegistry::Instance<FormBadanie>().LabelWczytajPlik->text().isEmpty());
    }

    // With "Wczytuj automatycznie" unticked before the save, the save opens
    // no samples and "&Próbki" afterwards reads no file, ticked or not.
    void samplesButtonHandsNoFileOver()
    {
        F::AddClient(Client, QStringLiteral("Ubojnia"));
        writeOrder(*fixture_, {header(), QStringLiteral("1|101|14650301|101|04032024|1|filary "
                                                        "przepony|Świnie|Wałach|")});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        ui.AnswerFile(OrderFile);
        PRESS(&form, "ComWczytPart");
        PRESS(&form, "CheckWczyt");
        PRESS(&form, "ComZapiszFr");
        QCOMPARE(ui.Log().size(), 1);
        PRESS(&form, "CheckWczyt");
        QVERIFY(form.CheckWczyt->isChecked());
        ui.AnswerWindow(QStringLiteral("FormBadanie"));
        PRESS(&form, "ComEdytuj");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Last().title, QString::fromUtf8("PRÓBKI"));
        QCOMPARE(F::Count(MonthDb, QStringLiteral("SELECT * FROM Badanie")), 0);
    }

    void headerWithoutClientRegistersNobody()
    {
        writeOrder(*fixture_, {QStringLiteral("[PartiaMervask]|1-5|12|14650301|zakład "
                                              "ubojowy|1465|Ostrołęka|04.03.2024|04.03.2024|"
                                              "08:30|Jan Kowalski|uwagi")});
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        ui.AnswerFile(OrderFile);
        PRESS(&form, "ComWczytPart");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(F::Count(StaleDb, QStringLiteral("SELECT * FROM Zaklad")), 0);
        QCOMPARE(form.TextUwagi->toPlainText(), QStringLiteral("uwagi"));
    }

    void filesThatAreNoOrderFiles_data()
    {
        QTest::addColumn<QStringList>("lines"); // none: no file at all
        QTest::addColumn<QString>("text");      // none: the dialog was cancelled
        QTest::addColumn<QString>("title");

        const QString failed = QStringLiteral("Błąd wczytania! Poinformuj dostawcę programu!");
        const QString cutShort = failed + "5Nieprawidłowe wywołanie procedury lub argument.";
        QTest::newRow("no header line")
            << QStringList{QStringLiteral("[partiaMervask]|1|2"), QStringLiteral("1|101")}
            << "Niepoprawny format wczytywanego pliku!\rSprawdź plik i wczytaj ponownie!"
            << "WCZYTYWANIE";
        QTest::newRow("client fields cut short")
            << QStringList{header().section(QLatin1Char('|'), 0, 24)} << cutShort << "IMPORT";
        QTest::newRow("batch fields cut short")
            << QStringList{QStringLiteral("[PartiaMervask]|1-5|12")} << cutShort << "IMPORT";
        QTest::newRow("missing file") << QStringList() << failed + "53Nie znaleziono pliku."
                                      << "IMPORT";
        QTest::newRow("cancelled") << QStringList() << QString() << QString();
    }

    // The file changes nothing: no client, no open frame, no pending import.
    void filesThatAreNoOrderFiles()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QDir().mkpath(QFileInfo(fixture_->Real(OrderFile)).absolutePath());
        if (!lines.isEmpty())
            writeOrder(*fixture_, lines);
        ui::ScriptedUi ui;
        FormPartia &form = F::OpenRegister();
        if (text.isEmpty()) {
            ui.CancelFile();
        } else {
            ui.AnswerFile(OrderFile);
            ui.Answer(QStringLiteral("OK"));
        }
        PRESS(&form, "ComWczytPart");
        SCRIPTED_UI_VERIFY(ui);
        QCOMPARE(ui.Log().size(), text.isEmpty() ? 1 : 2);
        QCOMPARE(ui.Last().text, text.isEmpty() ? ui.Last().text : text);
        QCOMPARE(ui.Last().title, text.isEmpty() ? ui.Last().title : title);
        QCOMPARE(F::Count(StaleDb, QStringLiteral("SELECT * FROM Zaklad")), 0);
        QVERIFY(form.FramePartia->isHidden());
        QVERIFY(form.ComDodajPr->isEnabled() && form.DBGridPartia->isEnabled());
    }
};

QTEST_MAIN(tst_FormPartiaImport)
#include "tst_FormPartiaImport.moc"
