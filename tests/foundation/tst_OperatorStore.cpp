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
    // next one, and no number is shared.
    void twoConnectionsNeverShareANumber()
    {
        StaleTables stale({QStringLiteral("Operatorzy")});
        addOperator(stale.db(), QStringLiteral("001"), QStringLiteral("admin"));
        dao::Database other = dao::DBEngine::Workspaces(0).OpenDatabase(stale.path());
        const QString offeredHere = OperatorStore::NextNumber(stale.db());
        const QString offeredThere = OperatorStore::NextNumber(other);
        QCOMPARE(offeredHere, offeredThere);
        const auto add = [](dao::Database db, const QString &number, const QString &login) {
            dao::Recordset rs = db.OpenRecordset(QStringLiteral("OPERATORZY"));
            const QString written = OperatorStore::Add(
                db, rs,
                {number, QStringLiteral("Kowalska"), QStringLiteral("Operator"), login, {}});
            rs.Close();
            return written;
        };
        QCOMPARE(add(other, offeredThere, QStringLiteral("ewa")), QStringLiteral("002"));
        QCOMPARE(add(stale.db(), offeredHere, QStringLiteral("jan")), QStringLiteral("003"));
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
