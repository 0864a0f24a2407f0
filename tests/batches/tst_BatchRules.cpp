#include "batches/BatchOrderFile.h"
#include "batches/BatchValidator.h"
#include "platform/RuntimeError.h"

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
    // The order of the first checks, the number rule and the date pairs;
    // the messages and focus of every check are the window test's.
    void checksInOrder()
    {
        BatchFrameValues v = validFrame();
        QStringList looked;
        ClientLookup::Outcome outcome = ClientLookup::Outcome::NotFound;
        const auto lookup = [&](const QString &id) {
            looked << id;
            return outcome;
        };
        v.batchNumber.clear();
        QCOMPARE(BatchValidator::CheckFrame(v, lookup)->focus, QStringLiteral("TextNrPartii"));
        QVERIFY(looked.isEmpty()); // no lookup before the number is there
        v.batchNumber = QStringLiteral("12a");
        v.establishment = QStringLiteral(" 999 ");
        QCOMPARE(BatchValidator::CheckFrame(v, lookup)->focus, QStringLiteral("TextZaklad"));
        QCOMPARE(looked, QStringList{QStringLiteral("999")});
        outcome = ClientLookup::Outcome::Found;
        for (const char *bad : {"12a", "12,5", "1e3", "32768", "-32769", " "}) {
            v.batchNumber = QLatin1String(bad);
            QCOMPARE(BatchValidator::CheckFrame(v, lookup)->focus, QStringLiteral("TextNrPartii"));
        }
        // 0 and negative numbers are accepted, as are blanks around them.
        for (const char *good : {"0", "-5", " 7 ", "+32767", "-32768"}) {
            v.batchNumber = QLatin1String(good);
            QVERIFY2(!BatchValidator::CheckFrame(v, lookup), good);
        }
        // The county code is stored trimmed, so it is counted trimmed.
        v.countyOrders = true;
        v.orderingParty = QStringLiteral("123 ");
        QCOMPARE(BatchValidator::CheckFrame(v, lookup)->focus,
                 QStringLiteral("TextZleceniodawcaWNI"));
        v.orderingParty = QStringLiteral(" 1465 ");
        QVERIFY(!BatchValidator::CheckFrame(v, lookup));
        // A time is no date.
        v.slaughterDate = QStringLiteral("12:30");
        QCOMPARE(BatchValidator::CheckFrame(v, lookup)->focus, QStringLiteral("DTPDataUboju"));
        v.slaughterDate = QStringLiteral("4-3-2024");
        QVERIFY(!BatchValidator::CheckFrame(v, lookup));
        // Equal days pass, a pair with an empty side is not compared.
        v.deliveryDate = QStringLiteral("31.01.2024");
        v.startDate = QStringLiteral("01.02.2024");
        v.endDate = QStringLiteral("01.02.2024");
        QVERIFY(!BatchValidator::CheckFrame(v, lookup));
        v.deliveryDate.clear();
        v.startDate = QStringLiteral("02.02.2024");
        QVERIFY(BatchValidator::CheckFrame(v, lookup));
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
};

QTEST_MAIN(tst_BatchRules)
#include "tst_BatchRules.moc"
