#include "batches/BatchListLayout.h"
#include "batches/BatchOrderFile.h"
#include "batches/BatchValidator.h"
#include "platform/RuntimeError.h"
#include "platform/ui/MsgBox.h"

#include <QtTest>

namespace
{

BatchFrameValues validFrame()
{
    BatchFrameValues v;
    v.batchNumber = QStringLiteral("12");
    v.establishment = QStringLiteral("14650301");
    v.slaughterDate = QStringLiteral("04.03.2024");
    v.samplingDate = QStringLiteral("04.03.2024");
    v.countyCode = QStringLiteral("1465");
    v.samplingPlace = QStringLiteral("Ostrołęka");
    v.vet = QStringLiteral("Jan Kowalski");
    v.deliveryDate = QStringLiteral("05.03.2024");
    v.startDate = QStringLiteral("05.03.2024");
    return v;
}

// A header with fields 1 to 30 (12 to 20 empty) and the given client code.
QString header(const QString &client)
{
    return QStringLiteral("[PartiaMervask]|1-5|12|14650301|zakład ubojowy|1465|Ostrołęka|"
                          "04.03.2024|04.03.2024|08:30|Jan Kowalski|partia kontrolna||||||||||") +
           client +
           QStringLiteral("|zakład ubojowy|Ubojnia O'Neill|Ostrołęka|ul. Polna 1|07-400|"
                          "Ostrołęka|297600000|biuro@ubojnia.example|1465");
}

} // namespace

// The rules of the batch register that need no window: the save's checks in
// their order, the order file's header, the list layout.
class tst_BatchRules : public QObject
{
    Q_OBJECT

private slots:
    void checksStopAtTheFirstFault_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("outcome"); // of the client lookup
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");

        const int known = int(ClientLookup::Outcome::Found);
        const QString info13 = QStringLiteral("Data rozpoczęcia badania nie może być wcześniejsza "
                                              "od daty przyjęcia do laboratorium!\rPopraw!");
        QTest::newRow("1 no number")
            << "batchNumber"
            << "" << int(ClientLookup::Outcome::TableEmpty) << "Wprowadź numer partii!"
            << "TextNrPartii";
        QTest::newRow("2a empty register") << ""
                                           << "" << int(ClientLookup::Outcome::TableEmpty)
                                           << "Brak danych o zakładzie. Uzupełnij dane o zakładach!"
                                           << "";
        QTest::newRow("2b unknown, trimmed")
            << "establishment"
            << " 999 " << int(ClientLookup::Outcome::NotFound)
            << "W bazie danych brak zdefiniowanego zakładu: 999.\r\nDopisz zakład (menu "
               "Definicje->Zakład) a następnie Zapisz lub Wczytaj plik ponownie!"
            << "TextZaklad";
        QTest::newRow("3 letter") << "batchNumber"
                                  << "12a" << known << "Nieprawidłowy numer partii. Popraw!"
                                  << "TextNrPartii";
        QTest::newRow("3 decimal comma") << "batchNumber"
                                         << "12,5" << known << "Nieprawidłowy numer partii. Popraw!"
                                         << "TextNrPartii";
        QTest::newRow("3 beyond 16 bits")
            << "batchNumber"
            << "32768" << known << "Nieprawidłowy numer partii. Popraw!"
            << "TextNrPartii";
        QTest::newRow("4 empty owner") << "establishment"
                                       << "" << known << "Wprowadź poprawny numer zakładu!"
                                       << "TextZaklad";
        QTest::newRow("5 county of 3") << "county"
                                       << "123 " << known
                                       << "W przypadku kiedy zleceniodawcą jest powiat,\rdo pola "
                                          "zleceniodawca wprowadź 4 cyfrowy kod PIW!"
                                       << "TextZleceniodawcaWNI";
        QTest::newRow("6") << "slaughterDate"
                           << "" << known << "Wybierz datę uboju!"
                           << "ComDataUboju";
        QTest::newRow("7") << "slaughterDate"
                           << "31.02.2024" << known << "Popraw datę uboju do formatu dd.mm.rrrr"
                           << "DTPDataUboju";
        QTest::newRow("7 a time") << "slaughterDate"
                                  << "12:30" << known << "Popraw datę uboju do formatu dd.mm.rrrr"
                                  << "DTPDataUboju";
        QTest::newRow("8") << "samplingDate"
                           << "" << known << "Wybierz datę pobrania!"
                           << "ComDataPobr";
        QTest::newRow("9") << "samplingDate"
                           << "4.3" << known << "Popraw datę pobrania do formatu dd.mm.rrrr"
                           << "TextDataPobr";
        QTest::newRow("10") << "countyCode"
                            << "" << known << "Wprowadź 4-cyfrowy kod powiatu!"
                            << "TextKodPIW";
        QTest::newRow("11") << "samplingPlace"
                            << "" << known << "Wprowadź miejscowość pobrania!"
                            << "TextMiejscowoscPobr";
        QTest::newRow("12") << "vet"
                            << "" << known << "Wpisz lub wybierz lekarza pobierającego próbki!"
                            << "ComboLekarz";
        QTest::newRow("13") << "startDate"
                            << "04.03.2024" << known << info13 << "";
        QTest::newRow("14 without start")
            << "endOnly"
            << "04.03.2024" << known
            << "Data zakończenia badania nie może być wcześniejsza od daty przyjęcia do "
               "laboratorium!\rPopraw!"
            << "";
        QTest::newRow("15") << "startAfterEnd"
                            << "06.03.2024" << known
                            << "Data zakończenia badania nie może być wcześniejsza od daty "
                               "rozpoczęcia badania!\rPopraw!"
                            << "";
    }

    void checksStopAtTheFirstFault()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, outcome);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        BatchFrameValues v = validFrame();
        const QHash<QString, QString *> fields{{"batchNumber", &v.batchNumber},
                                               {"establishment", &v.establishment},
                                               {"slaughterDate", &v.slaughterDate},
                                               {"samplingDate", &v.samplingDate},
                                               {"countyCode", &v.countyCode},
                                               {"samplingPlace", &v.samplingPlace},
                                               {"vet", &v.vet},
                                               {"startDate", &v.startDate}};
        if (field == "county") {
            v.countyOrders = true;
            v.orderingParty = value;
        } else if (field == "endOnly") {
            v.startDate.clear();
            v.endDate = value;
        } else if (field == "startAfterEnd") {
            v.startDate = QStringLiteral("07.03.2024");
            v.endDate = value;
        } else if (fields.contains(field)) {
            *fields.value(field) = value;
        }
        QStringList looked;
        const auto lookup = [&](const QString &id) {
            looked << id;
            return ClientLookup::Outcome(outcome);
        };
        const std::optional<BatchFault> fault = BatchValidator::CheckFrame(v, lookup);
        QVERIFY(fault);
        QCOMPARE(fault->text, text);
        QCOMPARE(fault->focus, focus);
        // No lookup before the number is there; the identifier trimmed.
        QCOMPARE(looked.isEmpty(), field == "batchNumber" && value.isEmpty());
        if (!looked.isEmpty())
            QCOMPARE(looked.first(), v.establishment.trimmed());
    }

    void boxStylesFollowTheCheck()
    {
        BatchFrameValues v = validFrame();
        const auto unknown = [](const QString &) { return ClientLookup::Outcome::NotFound; };
        const std::optional<BatchFault> fault = BatchValidator::CheckFrame(v, unknown);
        QCOMPARE(fault->style, ui::vbOKCancel | ui::vbExclamation);
        QCOMPARE(fault->title, QStringLiteral("Uwaga!"));
        QVERIFY(fault->selectAll);
        const BatchFault duplicate = BatchValidator::DuplicateNumber(7);
        QCOMPARE(duplicate.text, QStringLiteral("Partia o numerze: 7 już istnieje.\r\n"
                                                "Popraw nr partii!"));
        QCOMPARE(duplicate.style, ui::vbExclamation);
        QVERIFY(duplicate.title.isEmpty());
    }

    void validFramePasses()
    {
        BatchFrameValues v = validFrame();
        const auto known = [](const QString &) { return ClientLookup::Outcome::Found; };
        QVERIFY(!BatchValidator::CheckFrame(v, known));
        // Equal dates pass whatever the times; a pair with an empty side is
        // not compared; the county box unticked accepts any ordering party.
        v.deliveryDate = v.startDate = v.endDate = QStringLiteral("05.03.2024");
        v.orderingParty = QStringLiteral("12345");
        QVERIFY(!BatchValidator::CheckFrame(v, known));
        v.deliveryDate = QStringLiteral("31.01.2024");
        v.startDate = QStringLiteral("01.02.2024");
        v.endDate.clear();
        QVERIFY(!BatchValidator::CheckFrame(v, known));
        v.countyOrders = true;
        v.orderingParty = QStringLiteral("1465");
        QVERIFY(!BatchValidator::CheckFrame(v, known));
        // 0 and negative numbers are accepted, as are blanks around them.
        for (const char *number : {"0", "-5", " 7 ", "32767", "-32768"}) {
            v.batchNumber = QLatin1String(number);
            QVERIFY2(!BatchValidator::CheckFrame(v, known), number);
        }
    }

    void optionalDatesMustBeDates()
    {
        BatchFrameValues v = validFrame();
        QVERIFY(!BatchValidator::CheckOptionalDates(v));
        v.deliveryDate.clear();
        v.startDate.clear();
        QVERIFY(!BatchValidator::CheckOptionalDates(v));
        v.endDate = QStringLiteral("__.__.____");
        QCOMPARE(BatchValidator::CheckOptionalDates(v)->focus, QStringLiteral("DTPDataZakBad"));
        v.startDate = QStringLiteral("1.13.2024");
        QCOMPARE(BatchValidator::CheckOptionalDates(v)->text,
                 QStringLiteral("Popraw datę rozpoczęcia badania do formatu dd.mm.rrrr"));
        v.deliveryDate = QStringLiteral("x");
        QCOMPARE(BatchValidator::CheckOptionalDates(v)->focus, QStringLiteral("DTPDataDoLab"));
    }

    void headerFieldsFollowTheSeparators()
    {
        const BatchOrderFile file = BatchOrderFile::FromLines(
            {QStringLiteral("Zlecenie"), QString(), QStringLiteral("[partiaMervask]|x"),
             QStringLiteral("  [PartiaMervask] ignored|A|B|C  "), QStringLiteral("1|101")});
        QVERIFY(file.HasHeader());
        QCOMPARE(file.HeaderField(0), QStringLiteral("[PartiaMervask] ignored"));
        QCOMPARE(file.HeaderField(1), QStringLiteral("A"));
        QCOMPARE(file.HeaderField(3), QStringLiteral("C"));
        // Three separators of its own: fields up to 7 read, 8 fails, 9 on is "".
        QCOMPARE(file.HeaderField(7), QString());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, file.HeaderField(8));
        QCOMPARE(file.HeaderField(9), QString());
        QVERIFY(!BatchOrderFile::FromLines({QStringLiteral("[partiaMervask]|1")}).HasHeader());
    }

    void unregisteredClientNotice()
    {
        const BatchOrderFile file = BatchOrderFile::FromLines({header(QStringLiteral("14650301"))});
        QCOMPARE(file.HeaderField(11), QStringLiteral("partia kontrolna"));
        QCOMPARE(file.HeaderField(21), QStringLiteral("14650301"));
        QCOMPARE(BatchOrderFile::UnregisteredClientNotice(file.ClientFields()),
                 QStringLiteral("Wczytywany plik zawiera dane zleceniodawcy, który nie został "
                                "jeszcze zdefiniowany:\r     14650301-Ubojnia O'Neill\r     "
                                "Ostrołęka ul. Polna 1\r     07-400 Ostrołęka\r     Tel.: "
                                "297600000, e-mail: biuro@ubojnia.example\r     Kod PIW: 1465\r"
                                "Po kliknieciu Ok, dane zostaną automatycznie dopisane do bazy "
                                "danych!"));
        // Twenty separators of its own: field 25 cannot be read.
        const QString shortHeader = header(QString()).section(QLatin1Char('|'), 0, 20);
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 BatchOrderFile::FromLines({shortHeader}).ClientFields());
    }

    void layoutBuildsTwoRowsFromTheCloseButton()
    {
        BatchListLayout::Controls c;
        for (QRect *button : {&c.ComZamk, &c.ComEdytuj, &c.ComSzukaj, &c.ComNastawienie,
                              &c.ComDodajPr, &c.ComPopraw, &c.ComUsun})
            button->setSize({1425, 375});
        c.ComDrukuj.setSize({1560, 375});
        c.ComWczytPart.setSize({3270, 375});
        c.DTPData.setSize({1185, 330});
        c.DBGridPartia = QRect(180, 630, 100, 100);
        c.FramePartia.setSize({9000, 6000});
        BatchListLayout::Arrange(c, 15000, 9000);
        QCOMPARE(BatchListLayout::Gap(c.ComZamk), 57);
        QCOMPARE(c.ComZamk.left(), 15000 - 1425 - 650);
        QCOMPARE(c.ComZamk.top(), 9000 - 975);
        QCOMPARE(c.DTPData.left(), c.ComZamk.left());
        QCOMPARE(c.ComEdytuj.right() + 1 + 57, c.ComZamk.left());
        QCOMPARE(c.ComNastawienie.right() + 1 + 57, c.ComWczytPart.left());
        QCOMPARE(c.ComDodajPr.bottom() + 1 + 57, c.ComZamk.top());
        QCOMPARE(c.ComUsun.top(), c.ComDodajPr.top());
        QCOMPARE(c.DBGridPartia, QRect(180, 630, 15000 - 600, 9000 - 975 - 1275));
        QCOMPARE(c.DataPartia.topLeft(), QPoint(180, c.ComDodajPr.top()));
        QCOMPARE(c.CheckWczyt.topLeft(), QPoint(c.ComWczytPart.left(), c.ComUsun.top()));
        QCOMPARE(c.FramePartia.topLeft(), QPoint(3000, 1500));
        // Too small a window leaves an empty grid, never a negative one.
        BatchListLayout::Arrange(c, 300, 1500);
        QCOMPARE(c.DBGridPartia.size(), QSize(0, 0));
    }
};

QTEST_MAIN(tst_BatchRules)
#include "tst_BatchRules.moc"
