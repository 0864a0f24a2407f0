// The copy of a selection into a table of another database: the rows, values
// and errors of a copy through two recordsets, and the attached file let go
// afterwards, also after an error.
#include "TestDatabase.h"

#include "platform/db/SelectionCopy.h"

#include <QDate>
#include <QTest>

namespace
{

const QString Table = QStringLiteral("Badanie");

std::vector<TestDatabase::Column> Columns(int textSize, dao::DataTypeEnum numberType)
{
    return {{QStringLiteral("Partia"), dao::dbLong, 0},
            {QStringLiteral("NrDzien"), numberType, 0},
            {QStringLiteral("NazTkanka"), dao::dbText, textSize},
            {QStringLiteral("Uwagi"), dao::dbMemo, 0},
            {QStringLiteral("DataDoLab"), dao::dbDate, 0},
            {QStringLiteral("Nawazka"), dao::dbSingle, 0},
            {QStringLiteral("TNWyslane"), dao::dbBoolean, 0}};
}

void AddSample(dao::Database db, int batch, const QVariant &day, const QString &tissue)
{
    dao::Recordset rs = db.OpenRecordset(Table);
    rs.AddNew();
    rs(QStringLiteral("Partia")) = batch;
    rs(QStringLiteral("NrDzien")) = day;
    rs(QStringLiteral("NazTkanka")) = tissue;
    if (day.toInt() % 2) {
        rs(QStringLiteral("Uwagi")) = QStringLiteral("próbka ") + tissue + QStringLiteral(" 😀");
        rs(QStringLiteral("DataDoLab")) = QDate(2024, 3, day.toInt());
        rs(QStringLiteral("Nawazka")) = 0.1 * day.toInt();
        rs(QStringLiteral("TNWyslane")) = true;
    }
    rs.Update();
    rs.Close();
}

// Every row of the table in file order, each value with its type.
QStringList Rows(dao::Database db)
{
    dao::Recordset rs = db.OpenRecordset(Table);
    QStringList rows;
    for (; !rs.EOF(); rs.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rs.Fields().Count(); ++i) {
            const QVariant value = rs.Fields()(i).Value();
            values << QString::fromLatin1(value.typeName()) + u':' + value.toString();
        }
        rows << values.join(u'|');
    }
    rs.Close();
    return rows;
}

// The copy as the staging made it before: through two recordsets.
void CopyByRecordsets(dao::Database source, dao::Database target, const QString &where)
{
    dao::Recordset from = source.OpenRecordset(QStringLiteral("SELECT * FROM Badanie WHERE ") +
                                               where + QStringLiteral(" ORDER BY NrDzien"));
    dao::Recordset to = target.OpenRecordset(Table);
    const dao::Fields targetFields = to.Fields();
    for (; !from.EOF(); from.MoveNext()) {
        to.AddNew();
        for (int i = 0; i < from.Fields().Count(); ++i) {
            const dao::Field field = from.Fields()(i);
            if (!dao::IsNull(field.Value()) && targetFields.Contains(field.Name()))
                to(field.Name()) = field.Value();
        }
        to.Update();
    }
}

dao::SelectionCopy SamplesOf(int batch)
{
    return {Table, QStringLiteral("Partia = %1").arg(batch), QStringLiteral("NrDzien"), true};
}

} // namespace

class SelectionCopyTest : public QObject
{
    Q_OBJECT

    TestDatabase month_;

private slots:
    void initTestCase()
    {
        auto columns = Columns(30, dao::dbLong);
        columns.emplace_back(QStringLiteral("TylkoMiesiac"), dao::dbText, 10);
        month_.createTable(Table, columns);
        // Day 3 comes twice: the tie keeps the order of the file.
        const int days[] = {5, 3, 4, 3, 1};
        for (int i = 0; i < 5; ++i)
            AddSample(month_.db(), 12, days[i], QStringLiteral("filary przepony %1").arg(i));
        AddSample(month_.db(), 12, 2, QStringLiteral("mięśnie żuchwowe"));
        AddSample(month_.db(), 13, 40000, QStringLiteral("mięśnie żuchwowe, lewa strona"));
        month_.db().Execute(
            QStringLiteral("UPDATE Badanie SET TylkoMiesiac = 'x' WHERE NrDzien = 2"));
    }

    // The selected rows arrive in the copy's order with the values, types and
    // Nulls a copy through recordsets gives; the month's own field is left out.
    void copiesAsRecordsetsDo()
    {
        TestDatabase staged;
        TestDatabase expected;
        for (TestDatabase *db : {&staged, &expected})
            db->createTable(Table, Columns(30, dao::dbLong));
        CopyByRecordsets(month_.db(), expected.db(), QStringLiteral("Partia = 12"));
        {
            dao::AttachedDatabase month(staged.db(), month_.db());
            QCOMPARE(month.CopyRows(SamplesOf(12)), 6);
        }
        QCOMPARE(Rows(staged.db()), Rows(expected.db()));
        QCOMPARE(staged.column(Table, QStringLiteral("NazTkanka")),
                 (QVariantList{
                     QStringLiteral("filary przepony 4"), QStringLiteral("mięśnie żuchwowe"),
                     QStringLiteral("filary przepony 1"), QStringLiteral("filary przepony 3"),
                     QStringLiteral("filary przepony 2"), QStringLiteral("filary przepony 0")}));
        QCOMPARE(staged.column(Table, QStringLiteral("DataDoLab")).first(),
                 QVariant(QDate(2024, 3, 1)));
    }

    // A target column with a default keeps it where the source holds Null,
    // as an unassigned field of a recordset does.
    void nullsLeaveTheTargetsDefault()
    {
        TestDatabase staged;
        TestDatabase expected;
        for (TestDatabase *db : {&staged, &expected})
            db->db().Execute(QStringLiteral(
                "CREATE TABLE Badanie (Partia INTEGER, NrDzien INTEGER, NazTkanka TEXT(30), "
                "Uwagi MEMO DEFAULT 'bez uwag', DataDoLab DATETIME, Nawazka REAL, "
                "TNWyslane BOOLEAN)"));
        CopyByRecordsets(month_.db(), expected.db(), QStringLiteral("Partia = 12"));
        {
            dao::AttachedDatabase month(staged.db(), month_.db());
            QCOMPARE(month.CopyRows(SamplesOf(12)), 6);
        }
        QCOMPARE(Rows(staged.db()), Rows(expected.db()));
        QCOMPARE(staged.column(Table, QStringLiteral("Uwagi")).count(QStringLiteral("bez uwag")),
                 2);
    }

    // A value its target field cannot take fails the copy with the field's
    // own error and copies nothing; the file is detached each time, or the
    // connection would run out of attached files.
    void refusedValuesCopyNothing()
    {
        TestDatabase narrowText;
        narrowText.createTable(Table, Columns(20, dao::dbLong));
        TestDatabase narrowNumber;
        narrowNumber.createTable(Table, Columns(30, dao::dbInteger));
        AddSample(narrowText.db(), 1, 1, QStringLiteral("przepona"));
        for (int attempt = 0; attempt < 12; ++attempt) {
            dao::AttachedDatabase month(narrowText.db(), month_.db());
            QCOMPARE(errorNumberOf([&] { month.CopyRows(SamplesOf(13)); }), 3163);
        }
        for (int attempt = 0; attempt < 12; ++attempt) {
            dao::AttachedDatabase month(narrowNumber.db(), month_.db());
            QCOMPARE(errorNumberOf([&] { month.CopyRows(SamplesOf(13)); }), 6);
        }
        QCOMPARE(narrowText.column(Table, QStringLiteral("Partia")), QVariantList{1});
        QCOMPARE(narrowNumber.column(Table, QStringLiteral("Partia")), QVariantList{});

        // Values that fit still go in one statement through the narrower fields.
        dao::AttachedDatabase month(narrowText.db(), month_.db());
        QCOMPARE(month.CopyRows(SamplesOf(12)), 6);
        QCOMPARE(narrowText.column(Table, QStringLiteral("Partia")).size(), 7);
    }

    // Inside the caller's transaction the copy is undone with it, and a
    // source field the target lacks fails a copy of every field.
    void followsTheCallersTransaction()
    {
        TestDatabase staged;
        staged.createTable(Table, Columns(30, dao::dbLong));
        dao::AttachedDatabase month(staged.db(), month_.db());
        {
            dao::Transaction transaction(staged.db());
            QCOMPARE(month.CopyRows(SamplesOf(12)), 6);
        }
        QCOMPARE(staged.column(Table, QStringLiteral("Partia")), QVariantList{});
        dao::SelectionCopy everyField = SamplesOf(12);
        everyField.sharedFieldsOnly = false;
        QCOMPARE(errorNumberOf([&] { month.CopyRows(everyField); }), 3265);
        QCOMPARE(staged.column(Table, QStringLiteral("Partia")), QVariantList{});
    }

    // A condition that reads the target sees the target's rows alone, also
    // when its newest rows were deleted, and the new rows take new rowids.
    void aConditionOnTheTargetSeesItsOwnRows()
    {
        TestDatabase staged;
        staged.createTable(Table, Columns(30, dao::dbLong));
        dao::AttachedDatabase month(staged.db(), month_.db());
        QCOMPARE(month.CopyRows(SamplesOf(12)), 6);
        dao::Recordset list = staged.db().OpenRecordset(Table);
        list.MoveLast();
        const qint64 newest = list.Bookmark().rowid;
        staged.db().Execute(QStringLiteral("DELETE FROM Badanie WHERE NrDzien >= 3"));
        QCOMPARE(month.CopyRows({Table,
                                 QStringLiteral("Partia = 12 AND NrDzien NOT IN (SELECT NrDzien "
                                                "FROM main.Badanie)"),
                                 QStringLiteral("NrDzien"), true}),
                 4);
        QCOMPARE(staged.column(Table, QStringLiteral("NrDzien")), (QVariantList{1, 2, 3, 3, 4, 5}));
        list.MoveLast();
        QCOMPARE(errorNumberOf([&] { list(QStringLiteral("NrDzien")).Value(); }),
                 int(dao::err::RecordDeleted));
        dao::Recordset now = staged.db().OpenRecordset(Table);
        now.MoveLast();
        QVERIFY(now.Bookmark().rowid > newest + 3);
    }
};

QTEST_GUILESS_MAIN(SelectionCopyTest)
#include "tst_SelectionCopy.moc"
