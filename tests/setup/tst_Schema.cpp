#include "foundation/Schema.h"

#include "platform/RuntimeError.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"

#include <QTemporaryDir>
#include <QtTest>

namespace
{

// A table of the schema cut down to the fields named, as an older file has it.
TableSpec OlderTable(const TableSpec &table, const QStringList &keep)
{
    TableSpec older{table.name, {}};
    for (const FieldSpec &field : table.fields) {
        if (keep.contains(field.name))
            older.fields.append(field);
    }
    return older;
}

QStringList FieldNames(dao::Database &db, const QString &table)
{
    QStringList names;
    const dao::Fields fields = db.TableDefs()(table).Fields();
    for (int i = 0; i < fields.Count(); ++i)
        names << fields(i).Name();
    return names;
}

} // namespace

class tst_Schema : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lookupIgnoresLetterCase();
    void stagingCopiesHoldEveryMonthField_data();
    void stagingCopiesHoldEveryMonthField();
    void seedValuesAreTypedForTheirColumns();

    void missingFieldsAreAddedKeepingTheRows();
    void fieldsInOtherLetterCaseAreNotAddedAgain();
    void ensureTableBuildsAMissingTable();
    void createAllIsAllOrNothing();

private:
    dao::Database NewDatabase(const QString &name);

    QTemporaryDir dir_;
    QList<dao::Database> open_;
};

void tst_Schema::init()
{
    QVERIFY(dir_.isValid());
}

void tst_Schema::cleanup()
{
    for (dao::Database &db : open_)
        db.Close();
    open_.clear();
}

dao::Database tst_Schema::NewDatabase(const QString &name)
{
    open_.append(dao::DBEngine::Workspaces(0).CreateDatabase(dir_.filePath(name)));
    return open_.last();
}

void tst_Schema::lookupIgnoresLetterCase()
{
    const TableSpec *plec = Schema::Table(Schema::Stale, QStringLiteral("plec"));
    QVERIFY(plec);
    QCOMPARE(plec->name, QStringLiteral("PLEC"));
    QVERIFY(plec->Field(QStringLiteral("NAZPLEC")));
    QCOMPARE(plec->Field(QStringLiteral("NAZPLEC"))->name, QStringLiteral("NazPlec"));
    QVERIFY(!plec->Field(QStringLiteral("NazPlec ")));
    QVERIFY(!Schema::Table(Schema::Month, QStringLiteral("PLEC")));
    QVERIFY(Schema::SeedRows(Schema::Stale, QStringLiteral("nosuchtable")).isEmpty());
}

void tst_Schema::stagingCopiesHoldEveryMonthField_data()
{
    QTest::addColumn<QString>("table");
    for (const char *table : {"Partia", "Badanie", "Nastawienie", "PozycjaN"})
        QTest::newRow(table) << QString::fromLatin1(table);
}

// The print copies month rows into the staging tables field by field, by
// name: a staging table without one of the month fields breaks the copy.
void tst_Schema::stagingCopiesHoldEveryMonthField()
{
    QFETCH(QString, table);
    const TableSpec *month = Schema::Table(Schema::Month, table);
    const TableSpec *staging = Schema::Table(Schema::Robot, table);
    QVERIFY(month && staging);
    for (const FieldSpec &field : month->fields) {
        const FieldSpec *copy = staging->Field(field.name);
        QVERIFY2(copy, qPrintable(field.name));
        QCOMPARE(int(copy->type), int(field.type));
        QCOMPARE(copy->size, field.size);
    }
    if (table == QLatin1String("PozycjaN")) {
        QVERIFY(staging->Field(QStringLiteral("NrTuszRazem")));
        QCOMPARE(int(staging->Field(QStringLiteral("NrTuszRazem"))->type), int(dao::dbMemo));
    }
}

void tst_Schema::seedValuesAreTypedForTheirColumns()
{
    const QList<QVariantMap> options = Schema::SeedRows(Schema::Stale, QStringLiteral("parametry"));
    QVERIFY(!options.isEmpty());
    QCOMPARE(options.first().value(QStringLiteral("PARAM3")).typeId(), QMetaType::Bool);
    const QList<QVariantMap> species = Schema::SeedRows(Schema::Stale, QStringLiteral("GATUNEK"));
    QCOMPARE(species.first().value(QStringLiteral("IDGatunek")).typeId(), QMetaType::Int);
    QCOMPARE(species.first().value(QStringLiteral("NazGatunek")).toString(),
             QStringLiteral("Świnie"));
    const QList<QVariantMap> result = Schema::SeedRows(Schema::Robot, QStringLiteral("WynikTMP"));
    QCOMPARE(result.size(), 1);
    QVERIFY(result.first().contains(QStringLiteral("Numer")));
    QVERIFY(!result.first().value(QStringLiteral("Numer")).isValid()); // Null, not ""
    for (const QVariantMap &row : Schema::SeedRows(Schema::Stale, QStringLiteral("PLEC"))) {
        const QString name = row.value(QStringLiteral("NazPlec")).toString();
        // The start-up renames these two at every start.
        QVERIFY(name != QStringLiteral("Locha") && name != QStringLiteral("Wałah"));
    }
}

void tst_Schema::missingFieldsAreAddedKeepingTheRows()
{
    dao::Database db = NewDatabase(QStringLiteral("Mervask202401.mdb"));
    const TableSpec &partia = *Schema::Table(Schema::Month, QStringLiteral("Partia"));
    Schema::CreateTable(db, OlderTable(partia, {"Partia", "WNI", "DataUboju", "Uwagi"}));
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("Partia"));
    for (int n : {7, 8}) {
        rs.AddNew();
        rs("Partia") = n;
        rs("WNI") = QStringLiteral("0612 'Łódź'");
        rs("DataUboju") = QDate(2024, 1, n);
        rs.Update();
    }
    rs.Close();

    const QStringList added = Schema::AddMissingFields(db, partia);
    QCOMPARE(added.size(), partia.fields.size() - 4);
    QVERIFY(added.contains(QStringLiteral("Dostarczyl")));
    QVERIFY(added.contains(QStringLiteral("TNWyslane")));
    QCOMPARE(FieldNames(db, QStringLiteral("Partia")).mid(0, 4),
             QStringList({"Partia", "WNI", "DataUboju", "Uwagi"}));
    QCOMPARE(FieldNames(db, QStringLiteral("Partia")).mid(4), added);

    rs = db.OpenRecordset(QStringLiteral("SELECT * FROM Partia ORDER BY Partia"));
    QCOMPARE(rs.RecordCount(), 2);
    QCOMPARE(rs("Partia").Value().toInt(), 7);
    QCOMPARE(rs("WNI").Value().toString(), QStringLiteral("0612 'Łódź'"));
    QCOMPARE(rs("DataUboju").Value().toDate(), QDate(2024, 1, 7));
    QVERIFY(!rs("Dostarczyl").Value().isValid());
    QVERIFY(!rs("TNWyslane").Value().isValid());
    rs.Edit();
    rs("Dostarczyl") = QString(); // the added text field accepts the empty text
    rs("GodzUboju") = QStringLiteral("06:30");
    rs.Update();
    try {
        rs.Edit();
        rs("GodzUboju") = QStringLiteral("06:30:00");
        QFAIL("a text longer than the added field was accepted");
    } catch (const dao::Error &e) {
        QCOMPARE(e.Number(), int(dao::err::FieldTooSmall));
    }
    rs.Close();

    QVERIFY(Schema::AddMissingFields(db, partia).isEmpty());
}

void tst_Schema::fieldsInOtherLetterCaseAreNotAddedAgain()
{
    dao::Database db = NewDatabase(QStringLiteral("old.mdb"));
    TableSpec older = *Schema::Table(Schema::Month, QStringLiteral("zuzyte"));
    older.name = QStringLiteral("ZUZYTE");
    older.fields[0].name = QStringLiteral("datadolab");
    older.fields.removeLast();
    Schema::CreateTable(db, older);

    const QStringList added =
        Schema::EnsureTable(db, *Schema::Table(Schema::Month, QStringLiteral("zuzyte")));
    QCOMPARE(added, QStringList({"IlPlytek"}));
    QCOMPARE(FieldNames(db, QStringLiteral("zuzyte")),
             QStringList({"datadolab", "IlTestow", "IlPlytek"}));
}

void tst_Schema::ensureTableBuildsAMissingTable()
{
    dao::Database db = NewDatabase(QStringLiteral("Mervask202402.mdb"));
    const TableSpec &zuzyte = *Schema::Table(Schema::Month, QStringLiteral("zuzyte"));
    QCOMPARE(Schema::EnsureTable(db, zuzyte), QStringList({"DataDoLab", "IlTestow", "IlPlytek"}));
    QVERIFY(db.TableDefs().Contains(QStringLiteral("zuzyte")));
    QVERIFY(Schema::EnsureTable(db, zuzyte).isEmpty());
}

// A database is built completely or not at all: a table that is already
// there stops the build and nothing of it stays.
void tst_Schema::createAllIsAllOrNothing()
{
    dao::Database db = NewDatabase(QStringLiteral("Stale.mdb"));
    Schema::CreateTable(db, *Schema::Table(Schema::Stale, QStringLiteral("PLEC")));
    try {
        Schema::CreateAll(db, Schema::Stale);
        QFAIL("building over an existing table succeeded");
    } catch (const dao::Error &e) {
        QCOMPARE(e.Number(), int(dao::err::TableExists));
    }
    QCOMPARE(db.TableDefs().Names(), QStringList({"PLEC"}));
    QCOMPARE(db.OpenRecordset(QStringLiteral("PLEC")).RecordCount(), 0);
}

QTEST_MAIN(tst_Schema)
#include "tst_Schema.moc"
