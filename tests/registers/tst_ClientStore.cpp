// The client register's rules and statements without its window.
#include "ErrorNumberOf.h"
#include "StaleTables.h"

#include "registers/ClientStore.h"
#include "registers/DictionaryStore.h"

#include <QTest>

namespace
{

Client valid()
{
    Client c;
    c.IdRzezni = QStringLiteral(" PL001 ");
    c.TypWNI = QStringLiteral(" zakład ubojowy ");
    c.Nazwa = QStringLiteral(" Ubojnia Łąka ");
    c.Miejscowosc = QStringLiteral(" Łódź ");
    c.Ulica = QStringLiteral("Długa 1 ");
    c.KodPocztowy = QStringLiteral("90-001");
    c.Miasto = QStringLiteral("Łódź");
    c.Telefon = QStringLiteral(" 42 000 00 00 ");
    c.KodPIW = QStringLiteral("1061");
    return c;
}

void add(dao::Database db, const Client &c)
{
    dao::Recordset rs = db.OpenRecordset(ClientStore::ListStatement(true));
    rs.AddNew();
    ClientStore::SetFields(rs, c);
    rs.Update();
    rs.Close();
}

QStringList ids(dao::Database db, const QString &sql)
{
    dao::Recordset rs = db.OpenRecordset(sql);
    QStringList result;
    for (; !rs.EOF(); rs.MoveNext())
        result.append(ClientStore::Read(rs).IdRzezni);
    rs.Close();
    return result;
}

} // namespace

class ClientStoreTest : public QObject
{
    Q_OBJECT

private slots:
    // Each refusal names its box; blanks count as nothing, a county code must
    // be a number.
    void checksInTheOrderTheUserMeetsThem()
    {
        QVERIFY(!ClientStore::Check(valid()));
        const auto fault = [](auto change) {
            Client c = valid();
            change(c);
            const std::optional<Refusal> f = ClientStore::Check(c);
            return f ? f->text + QLatin1Char('|') + f->focus : QString();
        };
        QCOMPARE(fault([](Client &c) {
                     c.IdRzezni = "   ";
                     c.Telefon.clear();
                 }),
                 QStringLiteral("Wpisz WNI!|TextIDKlient"));
        QCOMPARE(fault([](Client &c) {
                     c.KodPIW = "10a1";
                     c.Nazwa.clear();
                 }),
                 QStringLiteral("Popraw kod PIW!|TextKodPIW"));
        QCOMPARE(fault([](Client &c) { c.Nazwa = "  "; }),
                 QStringLiteral("Wpisz nazwę lub imię i nazwisko!|TextNazwa"));
        QCOMPARE(fault([](Client &c) { c.Miejscowosc.clear(); }),
                 QStringLiteral("Wpisz miejscowość!|TextMiejscowosc"));
        QCOMPARE(fault([](Client &c) { c.Telefon = " "; }),
                 QStringLiteral("Wpisz nr telefonu!|TextTelefon"));
        QVERIFY(!fault([](Client &c) { c.KodPIW.clear(); }).size());
    }

    // What is written is read back trimmed (the name as typed); a county code
    // that is no number is stored as Null. The picker's address line keeps
    // the separators of missing parts.
    void writesAndReadsARow()
    {
        StaleTables stale({QStringLiteral("Zaklad")});
        Client c = valid();
        add(stale.db(), c);
        c.IdRzezni = QStringLiteral("AB12");
        c.KodPIW = QStringLiteral("brak");
        c.Ulica.clear();
        add(stale.db(), c);
        dao::Recordset rs = stale.db().OpenRecordset(ClientStore::ListStatement(false));
        const Client herd = ClientStore::Read(rs);
        QCOMPARE(herd.IdRzezni, QStringLiteral("AB12"));
        QVERIFY(rs(QStringLiteral("KodPIW")).Value().isNull());
        rs.MoveNext();
        const Client first = ClientStore::Read(rs);
        rs.Close();
        QCOMPARE(first.IdRzezni, QStringLiteral("PL001"));
        QCOMPARE(first.TypWNI, QStringLiteral("zakład ubojowy"));
        QCOMPARE(first.Nazwa, QStringLiteral(" Ubojnia Łąka "));
        QCOMPARE(first.Telefon, QStringLiteral("42 000 00 00"));
        QCOMPARE(first.KodPIW, QStringLiteral("1061"));
        QCOMPARE(first.AddressLine(), QStringLiteral(" Ubojnia Łąka , Łódź Długa 1, 90-001 Łódź"));
        QCOMPARE(herd.AddressLine(), QStringLiteral(" Ubojnia Łąka , Łódź , 90-001 Łódź"));
    }

    // Identifiers are the same without regard to case, Polish letters too,
    // for a lookup as for a duplicate; the row under correction is no
    // duplicate of itself.
    void duplicatesIgnoreCaseButNotTheRowItself()
    {
        StaleTables stale({QStringLiteral("Zaklad")});
        QVERIFY(ClientStore::IsEmpty(stale.db()));
        Client c = valid();
        c.IdRzezni = QStringLiteral("ŁĄKA1");
        add(stale.db(), c);
        QVERIFY(!ClientStore::IsEmpty(stale.db()));
        QCOMPARE(ClientStore::Find(stale.db(), QStringLiteral("łąka1"))->Nazwa, c.Nazwa);
        QVERIFY(!ClientStore::Find(stale.db(), QStringLiteral("łąka2")));
        QVERIFY(ClientStore::Exists(stale.db(), QStringLiteral("łąka1")));
        QVERIFY(!ClientStore::Exists(stale.db(), QStringLiteral("łąka2")));
        QVERIFY(!ClientStore::Exists(stale.db(), QStringLiteral("łąka1"),
                                     [](const dao::Bookmark &) { return true; }));

        // "Z&apisz": a new client may not take the identifier; the client
        // itself may change its case, written over the row only while it
        // holds what the frame was filled from.
        QCOMPARE(ClientStore::CheckDuplicate(stale.db(), QStringLiteral(" łąka1 "), std::nullopt,
                                             QString())
                     ->text,
                 QStringLiteral("Klient o numerze: łąka1 już istnieje. Popraw!"));
        dao::Recordset list = stale.db().OpenRecordset(ClientStore::ListStatement(true));
        const LoadedRow loaded = RememberRow(list);
        c.IdRzezni = QStringLiteral("łąka1");
        const auto save = [&] { return ClientStore::Save(stale.db(), list, loaded, c); };
        QVERIFY(!save());
        QCOMPARE(ids(stale.db(), ClientStore::ListStatement(true)), QStringList({"łąka1"}));
        QCOMPARE(ErrorNumberOf([&] { save(); }), 3197); // no longer as loaded
        QCOMPARE(list.EditMode(), dao::dbEditNone);
    }

    // A search matches the typed text itself: quotes and wildcards are no
    // statement and no pattern.
    void searchTakesTheTypedTextLiterally()
    {
        StaleTables stale({QStringLiteral("Zaklad")});
        const char *names[][2] = {{"A1", "O'Brien"}, {"A2", "*Gwiazdka"}, {"A3", "Ogród"}};
        for (const auto &[id, name] : names) {
            Client c = valid();
            c.IdRzezni = QLatin1String(id);
            c.Nazwa = QString::fromUtf8(name);
            add(stale.db(), c);
        }
        const auto found = [&](const QString &typed) {
            return ids(stale.db(), ClientStore::SearchStatement(QStringLiteral("Nazwa"), typed));
        };
        QCOMPARE(found(QStringLiteral("o'b")), QStringList{QStringLiteral("A1")});
        QCOMPARE(found(QStringLiteral("*")), QStringList{QStringLiteral("A2")});
        QCOMPARE(found(QStringLiteral("O")),
                 (QStringList{QStringLiteral("A1"), QStringLiteral("A3")}));
        QCOMPARE(found(QStringLiteral("?")), QStringList());
    }
};

QTEST_GUILESS_MAIN(ClientStoreTest)
#include "tst_ClientStore.moc"
