#include "FixtureTest.h"
#include "SamplesFixture.h"

#include "foundation/Globals.h"

#include <QProcess>
#include <QtTest>

#include <sqlite3.h>

#include <set>

using F = SamplesFixture;

namespace
{

QString integrityOf(const QString &path)
{
    // Through a plain connection, so that nothing of the layer hides a fault.
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(raw, "PRAGMA integrity_check", -1, &stmt, nullptr);
    QString result;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(raw);
    return result;
}

} // namespace

// Two workstations saving samples of one batch into one month database at
// the same moment.
class tst_SampleProcesses : public FixtureTest<SamplesFixture>
{
    Q_OBJECT

private slots:
    void twoWorkstationsNeverShareANumber()
    {
        F::AddBatch(12);
        const QString path = F::Real(MonthDb.Name());
        constexpr int perWorkstation = 500;
        QProcess first;
        QProcess second;
        for (QProcess *saver : {&first, &second}) {
            saver->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            saver->start(
                QStringLiteral(SAMPLE_SAVER_PATH),
                {path, QStringLiteral("12"), F::DeliveryDate, QString::number(perWorkstation)});
        }
        for (QProcess *saver : {&first, &second}) {
            QVERIFY(saver->waitForFinished(300000));
            QCOMPARE(saver->exitStatus(), QProcess::NormalExit);
            QCOMPARE(saver->exitCode(), 0);
            qInfo() << saver->readAllStandardOutput().trimmed();
        }
        const QList<QVariantMap> rows = F::Rows(MonthDb, QStringLiteral("Badanie"));
        QCOMPARE(rows.size(), 2 * perWorkstation);
        std::set<int> daily, general, carcass;
        for (const QVariantMap &row : rows) {
            daily.insert(row.value(QStringLiteral("NrDzien")).toInt());
            general.insert(row.value(QStringLiteral("NrOgolny")).toInt());
            carcass.insert(row.value(QStringLiteral("NrProbki")).toInt());
        }
        QCOMPARE(int(daily.size()), 2 * perWorkstation);
        QCOMPARE(int(general.size()), 2 * perWorkstation);
        QCOMPARE(int(carcass.size()), 2 * perWorkstation);
        QCOMPARE(*general.rbegin(), 2 * perWorkstation);
        QCOMPARE(integrityOf(path), QStringLiteral("ok"));
    }
};

QTEST_MAIN(tst_SampleProcesses)
#include "tst_SampleProcesses.moc"
