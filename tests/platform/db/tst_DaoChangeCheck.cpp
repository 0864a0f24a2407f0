#include "TestDatabase.h"

#include <QtTest>

#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>

using namespace dao;

// A delete or a correction lands only on the row the user was shown, as it
// was shown: never on a row changed since, and never on another row that
// took its place.
class tst_DaoChangeCheck : public QObject
{
    Q_OBJECT

private slots:
    void aRefusalLeavesTheOtherRowsHeld();
    void rowsStayHeldHoweverFarTheListMoves();
    void thisProgramsWritesLeaveTheCheckOn();
    void aDeletedRowsRowidIsNeverGivenAgain();
    void aScratchTablesGoneRowsReadDeletedInThisProgramsLists();
    void againstAModelWhileAnotherWorkstationWrites_data();
    void againstAModelWhileAnotherWorkstationWrites();
};

namespace
{

using Row = std::vector<QVariant>; // Nr, Grp, Txt

// A table T of `rows` rows numbered 1.. in Nr, all in group 0.
void fillNumbers(TestDatabase &file, int rows)
{
    file.createTable("T", {{"Nr", dbLong, 0}, {"Grp", dbLong, 0}, {"Txt", dbText, 20}});
    Transaction transaction(file.db(), Transaction::Immediate);
    Recordset rs = file.db().OpenRecordset("T");
    for (int nr = 1; nr <= rows; ++nr) {
        rs.AddNew();
        rs("Nr") = nr;
        rs("Grp") = 0;
        rs("Txt") = QStringLiteral("w%1").arg(nr);
        rs.Update();
    }
    transaction.Commit();
}

// The row as it is on file, read by the other workstation.
std::optional<Row> onFile(OtherWorkstation &other, qint64 rowid)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(other.Handle(), "SELECT Nr, Grp, Txt FROM T WHERE rowid = ?1", -1, &stmt,
                       nullptr);
    sqlite3_bind_int64(stmt, 1, rowid);
    std::optional<Row> row;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        row = Row{QVariant(qint64(sqlite3_column_int64(stmt, 0))),
                  QVariant(qint64(sqlite3_column_int64(stmt, 1))),
                  QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2)))};
    }
    sqlite3_finalize(stmt);
    return row;
}

// Changes with every commit of another connection to the file.
qint64 dataVersion(OtherWorkstation &other)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(other.Handle(), "PRAGMA data_version", -1, &stmt, nullptr);
    const qint64 version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    return version;
}

qint64 rowidOf(OtherWorkstation &other, qint64 nr)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(other.Handle(), "SELECT rowid FROM T WHERE Nr = ?1", -1, &stmt, nullptr);
    sqlite3_bind_int64(stmt, 1, nr);
    const qint64 rowid = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
    sqlite3_finalize(stmt);
    return rowid;
}

Row normal(const Row &row)
{
    return Row{row[0].toLongLong(), row[1].toLongLong(), row[2].toString()};
}

// Moves the list to the row numbered `nr`, reading the rows on the way.
void walkTo(Recordset &rs, int nr)
{
    rs.MoveFirst();
    while (rs("Nr").Value().toInt() != nr)
        rs.MoveNext();
}

} // namespace

void tst_DaoChangeCheck::aRefusalLeavesTheOtherRowsHeld()
{
    TestDatabase file;
    fillNumbers(file, 20);
    OtherWorkstation other(file.path()); // reads the file as it is
    EngineWorkstation writer(file.path());
    Recordset rs = file.db().OpenRecordset("SELECT * FROM T ORDER BY Nr");
    for (; !rs.EOF(); rs.MoveNext())
        rs("Txt").Value();
    QVERIFY(writer.Run("UPDATE T SET Txt = 'B3' WHERE Nr = 3"));
    QVERIFY(writer.Run("UPDATE T SET Txt = 'B16' WHERE Nr = 16"));

    walkTo(rs, 3);
    QCOMPARE(rs("Txt").Value().toString(), QStringLiteral("w3")); // as shown, not yet read again
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::DataChanged));
    QCOMPARE(rs("Txt").Value().toString(), QStringLiteral("B3"));
    rs.setAbsolutePosition(15);
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::DataChanged));
    QCOMPARE(onFile(other, rowidOf(other, 16))->at(2).toString(), QStringLiteral("B16"));
    // Only the row read again may go.
    rs.setAbsolutePosition(2);
    rs.Delete();
    QCOMPARE(rowidOf(other, 3), 0);
    QCOMPARE(file.db().OpenRecordset("T").RecordCount(), 19);
}

void tst_DaoChangeCheck::rowsStayHeldHoweverFarTheListMoves()
{
    TestDatabase file;
    fillNumbers(file, 5000);
    OtherWorkstation other(file.path()); // reads the file as it is
    EngineWorkstation writer(file.path());
    Recordset rs = file.db().OpenRecordset("SELECT * FROM T ORDER BY Nr");
    const int txt = rs.FieldIndex("Txt");

    // A grid scrolls 40 blocks on from row 11.
    QCOMPARE(rs.ValueAt(10, txt).toString(), QStringLiteral("w11"));
    for (int position = 0; position < 40 * 64; position += 20)
        rs.ValueAt(position, txt);
    QVERIFY(writer.Run("UPDATE T SET Grp = 5 WHERE Nr = 11"));
    rs.setAbsolutePosition(10);
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::DataChanged));

    // A walk of 2,200 rows from row 12.
    rs.setAbsolutePosition(11);
    QCOMPARE(rs("Nr").Value().toInt(), 12);
    for (int i = 0; i < 2200; ++i) {
        rs.MoveNext();
        rs("Txt").Value();
    }
    QVERIFY(writer.Run("UPDATE T SET Txt = 'B' WHERE Nr = 12"));
    rs.setAbsolutePosition(11);
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::DataChanged));
    QCOMPARE(rowidOf(other, 12), qint64(12));

    // A row shown, out of the list after a Requery and back in it after
    // another, is still held as it was shown.
    Recordset group = file.db().OpenRecordset("SELECT * FROM T WHERE Grp = 0 ORDER BY Nr");
    QCOMPARE(group("Nr").Value().toInt(), 1);
    QVERIFY(writer.Run("UPDATE T SET Grp = 1 WHERE Nr = 1"));
    group.Requery();
    QCOMPARE(group("Nr").Value().toInt(), 2);
    QVERIFY(writer.Run("UPDATE T SET Grp = 0, Txt = 'B' WHERE Nr = 1"));
    group.Requery();
    QCOMPARE(errorNumberOf([&] { group.Delete(); }), int(err::DataChanged));
}

void tst_DaoChangeCheck::thisProgramsWritesLeaveTheCheckOn()
{
    TestDatabase file;
    fillNumbers(file, 20);
    OtherWorkstation other(file.path()); // reads the file as it is
    EngineWorkstation writer(file.path());
    Recordset rs = file.db().OpenRecordset("SELECT * FROM T ORDER BY Nr");
    Recordset store = file.db().OpenRecordset("T");
    const std::vector<std::function<void()>> ownWrites{
        [&] {
            store.AddNew();
            store("Nr") = 100;
            store.Update();
        },
        [&] {
            store.MoveLast();
            store.Edit();
            store("Txt") = "zapisany";
            store.Update();
        },
        [&] { file.db().Execute("UPDATE T SET Grp = 9 WHERE Nr = 1"); },
    };
    int nr = 5;
    for (const auto &write : ownWrites) {
        rs.setAbsolutePosition(nr - 1);
        QCOMPARE(rs("Nr").Value().toInt(), nr);
        QVERIFY(writer.Run(QStringLiteral("UPDATE T SET Txt = 'B' WHERE Nr = %1").arg(nr)));
        write();
        QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::DataChanged));
        rs.setAbsolutePosition(nr - 1);
        rs.Edit();
        rs("Txt") = "nadpisany";
        QCOMPARE(errorNumberOf([&] { rs.Update(); }), int(err::DataChanged));
        QCOMPARE(onFile(other, rowidOf(other, nr))->at(2).toString(), QStringLiteral("B"));
        ++nr;
    }
}

void tst_DaoChangeCheck::aDeletedRowsRowidIsNeverGivenAgain()
{
    TestDatabase file;
    fillNumbers(file, 10);
    OtherWorkstation other(file.path()); // reads the file as it is
    EngineWorkstation writer(file.path());

    // In one program: X deletes the newest row, Y adds one.
    Recordset x = file.db().OpenRecordset("SELECT * FROM T ORDER BY Nr");
    Recordset y = file.db().OpenRecordset("SELECT * FROM T ORDER BY Nr");
    x.MoveLast();
    const Bookmark newest = x.Bookmark();
    x.Delete();
    y.MoveFirst();
    y.AddNew();
    y("Nr") = 11;
    y("Grp") = 0;
    y.Update();
    QVERIFY(!(y.LastModified() == newest));
    QCOMPARE(y.RecordCount(), 11);
    y.setBookmark(y.LastModified());
    QCOMPARE(y("Nr").Value().toInt(), 11);
    QCOMPARE(errorNumberOf([&] { y.setBookmark(newest); }), 0);
    QCOMPARE(errorNumberOf([&] { y("Nr").Value(); }), int(err::RecordDeleted));
    QCOMPARE(errorNumberOf([&] { y.Delete(); }), int(err::RecordDeleted));
    QVERIFY(rowidOf(other, 11) != 0);

    // Across workstations: B deletes the newest row and adds one of group 3,
    // also through a statement that copies rows.
    Recordset list = file.db().OpenRecordset("SELECT * FROM T WHERE Grp = 0 ORDER BY Nr");
    list.MoveLast();
    QCOMPARE(list("Nr").Value().toInt(), 11);
    const qint64 shown = list.Bookmark().rowid;
    QVERIFY(writer.Run("DELETE FROM T WHERE Nr = 11"));
    QVERIFY(writer.Run("INSERT INTO T (Nr, Grp, Txt) VALUES (12, 3, 'obcy')"));
    QVERIFY(writer.Run("DELETE FROM T WHERE Nr = 12"));
    QVERIFY(writer.Run("INSERT INTO T (Nr, Grp, Txt) SELECT Nr + 100, 3, Txt FROM T"));
    QVERIFY(rowidOf(other, 101) > shown + 1);
    list.MoveFirst();
    list.MoveLast();
    QCOMPARE(errorNumberOf([&] { list.Delete(); }), int(err::RecordDeleted));
    QCOMPARE(file.db().OpenRecordset("SELECT * FROM T WHERE Grp = 3").RecordCount(), 9);
    list.Requery();
    list.MoveLast();
    QCOMPARE(list("Nr").Value().toInt(), 9);
    QCOMPARE(errorNumberOf([&] { list.setBookmark(Bookmark{shown}); }), int(err::InvalidBookmark));

    // The engine's own table shows in no list of tables, and the table no
    // new column.
    QCOMPARE(file.db().TableDefs().Count(), 1);
    QCOMPARE(file.db().OpenRecordset("T").Fields().Count(), 3);

    // A key that is the rowid is the user's data: such a table takes no new
    // row through the engine, rather than one whose key is moved.
    file.db().Execute("CREATE TABLE K (Id INTEGER PRIMARY KEY, Txt TEXT)");
    Recordset keyed = file.db().OpenRecordset("K");
    keyed.AddNew();
    keyed("Id") = 5;
    QCOMPARE(errorNumberOf([&] { keyed.Update(); }), int(err::InvalidOperation));
    QCOMPARE(errorNumberOf([&] { file.db().Execute("INSERT INTO K (Txt) VALUES ('a')"); }),
             int(err::InvalidOperation));
    QVERIFY(!writer.Run("INSERT INTO k (Id) VALUES (3)"));
    QCOMPARE(file.db().OpenRecordset("K").RecordCount(), 0);
    file.db().Execute("DROP TABLE K"); // dropping deletes as SQLite does it
    QCOMPARE(file.db().TableDefs().Count(), 1);
}

// A print's staging copies keep no marks: emptied at once and filled again,
// they give the same rowids again. Every list of this program that held the
// rows gone reads them as deleted all the same, under any bookmark, and only
// those: whether the table was emptied, its top rows deleted by a condition
// or through a list, or a new row rolled back.
void tst_DaoChangeCheck::aScratchTablesGoneRowsReadDeletedInThisProgramsLists()
{
    TestDatabase file;
    fillNumbers(file, 5);
    Database &db = file.db();
    db.SetScratchTables({QStringLiteral("t")});
    const auto rowids = [&db] {
        std::vector<qint64> all;
        for (Recordset rs = db.OpenRecordset("SELECT * FROM T"); !rs.EOF(); rs.MoveNext())
            all.push_back(rs.Bookmark().rowid);
        return all;
    };
    const auto refill = [&db](int from) {
        for (int nr = from; nr <= 5; ++nr)
            db.Execute(
                QStringLiteral("INSERT INTO T (Nr, Grp, Txt) VALUES (%1, 1, 'nowy')").arg(nr));
    };
    const auto readsDeleted = [](Recordset &list, int position) {
        list.setAbsolutePosition(position);
        return errorNumberOf([&] { list("Nr").Value(); }) == err::RecordDeleted;
    };
    const std::vector<qint64> first = rowids();

    // Emptied and filled again: the same rowids, read as deleted in the lists.
    Recordset inOrder = db.OpenRecordset("SELECT * FROM T");
    Recordset byNr = db.OpenRecordset("SELECT * FROM T ORDER BY Nr DESC");
    for (Recordset *list : {&inOrder, &byNr})
        for (int position = 0; position < 5; ++position)
            list->ValueAt(position, 0);
    byNr.MoveFirst();
    const Bookmark shown = byNr.Bookmark();
    db.Execute("DELETE FROM T");
    refill(1);
    QCOMPARE(rowids(), first);
    for (Recordset *list : {&inOrder, &byNr}) {
        for (int position = 0; position < 5; ++position)
            QVERIFY(readsDeleted(*list, position));
        QCOMPARE(errorNumberOf([&] { list->Delete(); }), int(err::RecordDeleted));
        QCOMPARE(errorNumberOf([&] { list->Edit(); }), int(err::RecordDeleted));
    }
    QCOMPARE(errorNumberOf([&] { byNr.setBookmark(shown); }), 0);
    QVERIFY(readsDeleted(byNr, byNr.AbsolutePosition()));
    QCOMPARE(db.OpenRecordset("T").RecordCount(), 5);

    // The top rows deleted by a condition and through a list: only they.
    Recordset list = db.OpenRecordset("SELECT * FROM T ORDER BY Nr");
    db.Execute("DELETE FROM T WHERE Nr >= 4");
    Recordset other = db.OpenRecordset("SELECT * FROM T ORDER BY Nr");
    other.MoveLast();
    other.Delete();
    refill(3);
    QCOMPARE(rowids(), first);
    for (int position = 0; position < 5; ++position)
        QCOMPARE(readsDeleted(list, position), position >= 2);
    list.setAbsolutePosition(1);
    list.Delete();
    QCOMPARE(db.OpenRecordset("SELECT * FROM T WHERE Nr = 2").RecordCount(), 0);

    // A new row rolled back, its rowid given again at once.
    Recordset added = db.OpenRecordset("SELECT * FROM T");
    db.BeginTrans();
    added.AddNew();
    added("Nr") = 9;
    added.Update();
    db.Rollback();
    db.Execute("INSERT INTO T (Nr, Grp, Txt) VALUES (10, 1, 'f')");
    QCOMPARE(rowids().back(), first.back() + 1);
    QVERIFY(readsDeleted(added, added.RecordCount() - 1));

    // A statement may not name a rowid below a row of the table.
    QCOMPARE(errorNumberOf([&] { db.Execute("INSERT INTO T (rowid, Nr) VALUES (2, 11)"); }),
             int(err::InvalidOperation));
}

void tst_DaoChangeCheck::againstAModelWhileAnotherWorkstationWrites_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<QString>("source");
    const QString ordered = QStringLiteral("SELECT * FROM T ORDER BY Nr DESC");
    const QString grouped = QStringLiteral("SELECT * FROM T WHERE Grp = 0");
    QTest::newRow("ordered 1") << 1u << ordered;
    QTest::newRow("ordered 2") << 2u << ordered;
    QTest::newRow("grouped 3") << 3u << grouped;
    QTest::newRow("grouped 4") << 4u << grouped;
}

// Random moves, reads, writes of another workstation and of this program,
// deletes and corrections, each checked against plain SQL and a model of what
// the list handed out: a row shown always holds one of the values its rowid
// ever had, a new row never takes a rowid any row had (also one that a
// rollback took back, one after the table was emptied however the statement
// spells it, or one that a statement names), and a delete or a correction
// goes through exactly when the row is still as it was last shown; a
// bookmark leads to its row's position, and a deleted row's to none.
// MERVASK_CHECK_STEPS sets the number of steps (a long run).
void tst_DaoChangeCheck::againstAModelWhileAnotherWorkstationWrites()
{
    QFETCH(unsigned, seed);
    QFETCH(QString, source);
    const int steps = qEnvironmentVariableIsSet("MERVASK_CHECK_STEPS")
                          ? qEnvironmentVariableIntValue("MERVASK_CHECK_STEPS")
                          : 1500;
    TestDatabase file;
    fillNumbers(file, 300);
    OtherWorkstation other(file.path()); // reads the file as it is
    EngineWorkstation writer(file.path());
    std::mt19937 random(seed);
    const auto below = [&random](int n) { return int(random() % unsigned(std::max(n, 1))); };

    std::map<qint64, std::vector<Row>> history; // every value a rowid ever held
    std::map<qint64, Row> handed;               // as the list last handed it out
    std::set<qint64> used;
    for (int nr = 1; nr <= 300; ++nr) {
        const qint64 rowid = rowidOf(other, nr);
        history[rowid].push_back(*onFile(other, rowid));
        used.insert(rowid);
    }
    qint64 nextNr = 1000;
    int changes = 0;
    const auto written = [&](qint64 rowid) {
        if (const auto row = onFile(other, rowid))
            history[rowid].push_back(*row);
    };
    const auto added = [&](qint64 nr) {
        const qint64 rowid = rowidOf(other, nr);
        QVERIFY2(!used.count(rowid), "a rowid was given again");
        used.insert(rowid);
        written(rowid);
    };
    const auto anyRowid = [&]() -> qint64 {
        auto it = history.begin();
        std::advance(it, below(int(history.size())));
        return it->first;
    };
    const auto heldAs = [&](qint64 rowid, const Row &row) {
        const auto &values = history[rowid];
        QVERIFY2(std::find(values.cbegin(), values.cend(), row) != values.cend(),
                 qPrintable(QStringLiteral("rowid %1 showed values it never held").arg(rowid)));
        handed[rowid] = row;
    };

    Recordset rs = file.db().OpenRecordset(source);
    Recordset store = file.db().OpenRecordset("T");
    Bookmark deleted;
    for (int step = 0; step < steps; ++step) {
        const bool current = rs.AbsolutePosition() >= 0;
        const qint64 rowid = current ? rs.Bookmark().rowid : 0;
        switch (below(17)) {
        case 0:
            if (rs.RecordCount() > 0)
                rs.setAbsolutePosition(below(rs.RecordCount()));
            break;
        case 1:
            if (!rs.EOF())
                rs.MoveNext();
            else if (rs.RecordCount() > 0)
                rs.MoveFirst();
            break;
        case 2:
        case 3: { // the current row read
            if (!current)
                break;
            try {
                heldAs(rowid, normal({rs("Nr").Value(), rs("Grp").Value(), rs("Txt").Value()}));
            } catch (const Error &e) {
                QCOMPARE(e.Number(), int(err::RecordDeleted));
                QVERIFY(!onFile(other, rowid));
            }
            break;
        }
        case 4: { // a grid reads a row
            if (rs.RecordCount() == 0)
                break;
            const int position = below(rs.RecordCount());
            const qint64 at = rs.BookmarkAt(position).rowid;
            const Row row{rs.ValueAt(position, 0), rs.ValueAt(position, 1),
                          rs.ValueAt(position, 2)};
            if (IsNull(row[0]))
                QVERIFY(!onFile(other, at));
            else
                heldAs(at, normal(row));
            break;
        }
        case 5: { // another workstation corrects a row
            const qint64 target = anyRowid();
            QVERIFY(writer.Run(QStringLiteral("UPDATE T SET Txt = 'B%1', Grp = %2 WHERE rowid = %3")
                                   .arg(++changes)
                                   .arg(below(3) == 0 ? 1 : 0)
                                   .arg(target)));
            written(target);
            break;
        }
        case 6: { // another workstation deletes a row, the newest at times, and adds one
            const qint64 target = below(2) ? *used.rbegin() : anyRowid();
            QVERIFY(writer.Run(QStringLiteral("DELETE FROM T WHERE rowid = %1").arg(target)));
            const qint64 nr = ++nextNr;
            QVERIFY(
                writer.Run(QStringLiteral("INSERT INTO T (Nr, Grp, Txt) VALUES (%1, %2, 'nowy')")
                               .arg(nr)
                               .arg(below(2))));
            added(nr);
            break;
        }
        case 7: { // this program writes elsewhere: a statement, a save, a new row
            const qint64 target = anyRowid();
            file.db().Execute(QStringLiteral("UPDATE T SET Txt = 'E%1' WHERE rowid = %2")
                                  .arg(++changes)
                                  .arg(target));
            written(target);
            const qint64 nr = ++nextNr;
            store.AddNew();
            store("Nr") = nr;
            store("Grp") = 0;
            store.Update();
            added(nr);
            break;
        }
        case 8:
        case 9: { // Delete
            if (!current)
                break;
            const auto before = onFile(other, rowid);
            int expected = 0;
            if (!before)
                expected = err::RecordDeleted;
            else if (handed.count(rowid) && handed[rowid] != *before)
                expected = err::DataChanged;
            const int got = errorNumberOf([&] { rs.Delete(); });
            QCOMPARE(got, expected);
            if (expected == 0) {
                QVERIFY(!onFile(other, rowid));
                deleted = Bookmark{rowid};
            } else
                QCOMPARE(onFile(other, rowid), before);
            break;
        }
        case 10:
        case 11: { // Edit and Update, another workstation at times in between
            if (!current)
                break;
            const auto atEdit = onFile(other, rowid);
            const int edit = errorNumberOf([&] { rs.Edit(); });
            QCOMPARE(edit, atEdit ? 0 : int(err::RecordDeleted));
            if (edit)
                break;
            const Row against = handed.count(rowid) ? handed[rowid] : *atEdit;
            if (below(3) == 0) {
                QVERIFY(writer.Run(QStringLiteral("UPDATE T SET Txt = 'M%1' WHERE rowid = %2")
                                       .arg(++changes)
                                       .arg(rowid)));
                written(rowid);
            }
            const QString text = QStringLiteral("U%1").arg(++changes);
            rs("Txt") = text;
            const auto atUpdate = onFile(other, rowid);
            int expected = 0;
            if (!atUpdate)
                expected = err::RecordDeleted;
            else if (*atUpdate != against)
                expected = err::DataChanged;
            QCOMPARE(errorNumberOf([&] { rs.Update(); }), expected);
            if (expected == 0) {
                QCOMPARE(onFile(other, rowid)->at(2).toString(), text);
                written(rowid);
                handed[rowid] = *onFile(other, rowid);
            } else {
                QCOMPARE(onFile(other, rowid), atUpdate);
                handed[rowid] = against; // refused again until shown anew
            }
            break;
        }
        case 12:
            if (below(10) == 0)
                rs.Requery();
            break;
        case 13: { // this program adds a row and rolls it back
            const qint64 nr = ++nextNr;
            file.db().BeginTrans();
            if (below(2)) {
                rs.AddNew();
                rs("Nr") = nr;
                rs("Grp") = 0;
                rs.Update();
            } else {
                file.db().Execute(
                    QStringLiteral("INSERT INTO T (Nr, Grp, Txt) VALUES (%1, 0, 'cofnięty')")
                        .arg(nr));
                rs.Requery();
            }
            const qint64 taken =
                file.db()
                    .OpenRecordset(QStringLiteral("SELECT * FROM T WHERE Nr = %1").arg(nr))
                    .Bookmark()
                    .rowid;
            const qint64 version = dataVersion(other);
            file.db().Rollback();
            QCOMPARE(dataVersion(other), version); // the rollback commits nothing
            const auto readAsDeleted = [&] {
                for (int position = 0; position < rs.RecordCount(); ++position) {
                    if (std::abs(rs.BookmarkAt(position).rowid) == taken) {
                        rs.setAbsolutePosition(position);
                        QCOMPARE(errorNumberOf([&] { rs("Nr").Value(); }), int(err::RecordDeleted));
                    }
                }
            };
            readAsDeleted();
            if (below(2)) {
                // This program writes next: its new row never takes that
                // rowid, nor does another workstation's after it.
                used.insert(taken);
                const qint64 own = ++nextNr;
                store.AddNew();
                store("Nr") = own;
                store("Grp") = 0;
                store.Update();
                added(own);
            }
            // Another workstation adds a row: nobody saw the row taken back,
            // so that this one may get its rowid when it writes first.
            const qint64 next = ++nextNr;
            QVERIFY(writer.Run(
                QStringLiteral("INSERT INTO T (Nr, Grp, Txt) VALUES (%1, 0, 'obcy')").arg(next)));
            added(next);
            used.insert(taken);
            readAsDeleted(); // whoever has its rowid now
            break;
        }
        case 14: { // a statement names the rowid of its new row
            const qint64 nr = ++nextNr;
            const bool past = below(3) == 0;
            const qint64 named =
                past ? *used.rbegin() + 1 : *std::next(used.begin(), below(int(used.size())));
            const bool done = writer.Run(
                QStringLiteral("INSERT INTO T (rowid, Nr, Grp, Txt) VALUES (%1, %2, 0, 'nazwany')")
                    .arg(named)
                    .arg(nr));
            QCOMPARE(done, past);
            if (done)
                added(nr);
            else
                QCOMPARE(rowidOf(other, nr), 0);
            break;
        }
        case 15: { // this program empties the table now and then, spelled in many ways
            if (below(8) != 0)
                break;
            static const char *const spellings[] = {
                "delete from t",         "/* alle */ DELETE FROM T",
                "DELETE FROM T -- alle", "WITH n AS (SELECT 1) DELETE FROM T",
                "DELETE FROM 'T'",       "DELETE FROM main.T AS x",
                "DELETE FROM \"t\""};
            file.db().Execute(QString::fromLatin1(spellings[below(7)]));
            for (int i = 0; i < 5; ++i) {
                const qint64 nr = ++nextNr;
                QVERIFY(writer.Run(
                    QStringLiteral("INSERT INTO T (Nr, Grp, Txt) VALUES (%1, 0, 'po')").arg(nr)));
                added(nr);
            }
            break;
        }
        default: { // this program adds through the list
            const qint64 nr = ++nextNr;
            rs.AddNew();
            rs("Nr") = nr;
            rs("Grp") = 0;
            rs.Update();
            added(nr);
            QCOMPARE(rs.LastModified().rowid, rowidOf(other, nr));
            break;
        }
        }
        if (const int count = rs.RecordCount(); count > 0) {
            const int position = step * 7 % count;
            QCOMPARE(rs.PositionOf(rs.BookmarkAt(position)), position);
        }
        if (deleted.rowid)
            QCOMPARE(rs.PositionOf(deleted), -1);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("at step %1").arg(step)));
    }
}

QTEST_MAIN(tst_DaoChangeCheck)
#include "tst_DaoChangeCheck.moc"
