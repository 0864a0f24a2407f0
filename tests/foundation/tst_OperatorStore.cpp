// The operators' numbering and login check without the window.
#include "StaleTables.h"

#include "foundation/OperatorStore.h"

#include <QTest>

namespace
{

void addOperator(dao::Database db, const QString &number, const QString &login)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("OPERATORZY"));
    rs.AddNew();
    OperatorStore::SetFields(rs, {number, QStringLiteral("Nowak"), QStringLiteral("Operator"),
                                  login, QStringLiteral("tajne")});
    rs.Update();
    rs.Close();
}

} // namespace

class OperatorStoreTest : public QObject
{
    Q_OBJECT

private slots:
    // Highest + 1 by numeric value: past "999" come "1000" and "1001", which
    // a text sort would never reach.
    void nextNumberByNumericValue()
    {
        StaleTables stale({QStringLiteral("Operatorzy")});
        QCOMPARE(OperatorStore::NextNumber(stale.db()), QStringLiteral("001"));
        addOperator(stale.db(), QStringLiteral("7"), QStringLiteral("a"));
        QCOMPARE(OperatorStore::NextNumber(stale.db()), QStringLiteral("008"));
        addOperator(stale.db(), QStringLiteral("999"), QStringLiteral("b"));
        QCOMPARE(OperatorStore::NextNumber(stale.db()), QStringLiteral("1000"));
        addOperator(stale.db(), QStringLiteral("1000"), QStringLiteral("c"));
        QCOMPARE(OperatorStore::NextNumber(stale.db()), QStringLiteral("1001"));
        QVERIFY(OperatorStore::NumberTaken(stale.db(), QStringLiteral("0007")));
    }

    // Two workstations offered the same number: the second to save gets the
    // next one, and no number is shared. A login given away by one after the
    // other's frame checked it is refused as the other saves; a correction
    // that keeps its login is not held up by it.
    void twoConnectionsNeverShareANumberNorALogin()
    {
        StaleTables stale({QStringLiteral("Operatorzy")});
        addOperator(stale.db(), QStringLiteral("001"), QStringLiteral("admin"));
        dao::Database other = dao::DBEngine::Workspaces(0).OpenDatabase(stale.path());
        const QString offeredHere = OperatorStore::NextNumber(stale.db());
        const QString offeredThere = OperatorStore::NextNumber(other);
        QCOMPARE(offeredHere, offeredThere);
        const auto add = [](dao::Database db, const QString &number, const QString &login) {
            dao::Recordset rs = db.OpenRecordset(QStringLiteral("OPERATORZY"));
            const std::optional<QString> written = OperatorStore::Add(
                db, rs,
                {number, QStringLiteral("Kowalska"), QStringLiteral("Operator"), login, {}});
            rs.Close();
            return written;
        };
        QVERIFY(!OperatorStore::LoginTaken(stale.db(), QStringLiteral("jan")));
        QCOMPARE(add(other, offeredThere, QStringLiteral("ewa")), QStringLiteral("002"));
        QCOMPARE(add(stale.db(), offeredHere, QStringLiteral("jan")), QStringLiteral("003"));
        QCOMPARE(add(other, QStringLiteral("004"), QStringLiteral(" JAN")), std::nullopt);

        dao::Recordset list = other.OpenRecordset(QStringLiteral("OPERATORZY"));
        while (list(QStringLiteral("OP_LOGIN")).Value().toString() != QLatin1String("ewa"))
            list.MoveNext();
        const LoadedRow ewa = RememberRow(list);
        OperatorStore::Entry entry{QStringLiteral("002"),
                                   QStringLiteral("Kowalska Ewa"),
                                   QStringLiteral("Operator"),
                                   QStringLiteral("Jan"),
                                   {}};
        QVERIFY(!OperatorStore::Change(list, ewa, entry, true));
        entry.login = QStringLiteral("Ewa");
        QVERIFY(OperatorStore::Change(list, ewa, entry, false));
        list.Close();
        QStringList logins;
        dao::Recordset all =
            stale.db().OpenRecordset(QStringLiteral("SELECT * FROM OPERATORZY ORDER BY OP_NUMER"));
        for (; !all.EOF(); all.MoveNext())
            logins << all(QStringLiteral("OP_LOGIN")).Value().toString() + u':' +
                          all(QStringLiteral("OP_NAZWISKO")).Value().toString();
        all.Close();
        QCOMPARE(logins, QStringList({"admin:Nowak", "Ewa:Kowalska Ewa", "jan:Kowalska"}));
        other.Close();
    }

    // A login is taken whatever the case of its letters, Polish ones too.
    void loginTakenWithoutRegardToCase()
    {
        StaleTables stale({QStringLiteral("Operatorzy")});
        addOperator(stale.db(), QStringLiteral("001"), QStringLiteral(" Łucja "));
        QVERIFY(OperatorStore::LoginTaken(stale.db(), QStringLiteral("łUCJA")));
        QVERIFY(!OperatorStore::LoginTaken(stale.db(), QStringLiteral("łucjan")));
    }
};

QTEST_GUILESS_MAIN(OperatorStoreTest)
#include "tst_OperatorStore.moc"
