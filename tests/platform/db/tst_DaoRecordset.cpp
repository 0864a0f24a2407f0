#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <functional>

#include <sqlite3.h>

using namespace dao;

// Opening files, walking and changing recordsets, finding rows, statement
// errors, table definitions and several handles on one file.
class tst_DaoRecordset : public QObject
{
    Q_OBJECT

private slots:
    void openErrors_data();
    void openErrors();
    void createRefusesExistingFile();
    void filesKeepARollbackJournal();
    void movesOnEmptyAndFull();
    void addNewKeepsPositionAndMarksLastModified();
    void tiedRowsKeepTableOrder();
    void bookmarksAcrossRecordsets();
    void deleteThenMove();
    void editWritesTheLoadedRow();
    void findFirst_data();
    void findFirst();
    void findKeepsToTheRecordset();
    void statementErrors_data();
    void statementErrors();
    void tableDefinitionsReadBack();
    void zeroLengthText();
    void alterTableAddAndDrop();
    void columnWideningKeepsData();
    void twoHandlesOnOneFile();
    void closeEndsOnlyItsHandle();
    void transactions();
    void anotherConnectionsChangesAreSeen();
    void updateRefusesARowChangedElsewhere();
    void deleteRefusesARowChangedElsewhere();
    void aLongListReadInPagesIsHeldAsRead();
    void movesLookAtTheFileAgainNowAndThen();
    void viewsReadRowsAndHearOfChanges();

private:
    static void fillSamples(TestDatabase &file);
};

void tst_DaoRecordset::fillSamples(TestDatabase &file)
{
    file.createTable("Badanie", {{"Partia", dbLong, 0},
                                 {"NrProbki", dbInteger, 0},
                                 {"NrDzien", dbInteger, 0},
                                 {"Nazwa", dbText, 30},
                                 {"DataDoLab", dbDate, 0}});
    Recordset rs = file.db().OpenRecordset("Badanie");
    const QStringList names{"Łódź", "Kraków", "łódź", "Gdańsk", "O'Brien", "Śrem"};
    for (int i = 0; i < names.size(); ++i) {
        rs.AddNew();
        rs("Partia") = 1 + i % 2;
        rs("NrProbki") = 10 - i;
        rs("NrDzien") = i + 1;
        rs("Nazwa") = names.at(i);
        rs("DataDoLab") = QDate(2024, 3, 1 + i);
        rs.Update();
    }
}

void tst_DaoRecordset::openErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << "Brak.mdb" << 3024;
    QTest::newRow("missing folder") << "Brak/Brak.mdb" << 3044;
    QTest::newRow("folder as file") << "Folder" << 3044;
    QTest::newRow("no name") << "" << 3044;
    QTest::newRow("not a database") << "Tekst.mdb" << 3343;
}

void tst_DaoRecordset::openErrors()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    TestDatabase file;
    QDir folder(file.folder());
    folder.mkdir("Folder");
    QFile text(folder.filePath("Tekst.mdb"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 'x'));
    text.close();
    const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const QString path = name.isEmpty() ? name : folder.filePath(name);
    QCOMPARE(errorNumberOf([&] { DBEngine::Workspaces(0).OpenDatabase(path); }), error);
    // Opening never makes a file or a folder.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(QFileInfo(folder.filePath("Tekst.mdb")).size(), 4096);
}

void tst_DaoRecordset::createRefusesExistingFile()
{
    TestDatabase file;
    file.createTable("Partia", {{"Partia", dbLong, 0}});
    file.addRows("Partia", "Partia", {1, 2});
    QCOMPARE(errorNumberOf([&] { DBEngine::Workspaces(0).CreateDatabase(file.path()); }),
             int(err::DatabaseExists));
    QCOMPARE(errorNumberOf(
                 [&] { DBEngine::Workspaces(0).CreateDatabase(file.folder() + "/Brak/Nowa.mdb"); }),
             int(err::InvalidPath));
    QCOMPARE(file.db().OpenRecordset("Partia").RecordCount(), 2);

    Database created = DBEngine::Workspaces(0).CreateDatabase(file.folder() + "/Nowa.mdb");
    QVERIFY(created.IsOpen());
    QCOMPARE(created.TableDefs().Count(), 0);
    created.Close();
    // The new file is a database that can be opened again.
    QVERIFY(DBEngine::Workspaces(0).OpenDatabase(file.folder() + "/Nowa.mdb").IsOpen());
}

// A shared network folder cannot carry a write-ahead log: a file that comes
// with one is turned back to the rollback journal when it is opened.
void tst_DaoRecordset::filesKeepARollbackJournal()
{
    TestDatabase file;
    file.createTable("Partia", {{"Partia", dbLong, 0}});
    file.db().Close();
    auto journalMode = [&](const char *sql) {
        sqlite3 *raw = nullptr;
        sqlite3_open_v2(QFile::encodeName(file.path()).constData(), &raw, SQLITE_OPEN_READWRITE,
                        nullptr);
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(raw, sql, -1, &stmt, nullptr);
        QString mode;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            mode = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        sqlite3_close(raw);
        return mode;
    };
    QCOMPARE(journalMode("PRAGMA journal_mode"), QStringLiteral("delete"));
    QCOMPARE(journalMode("PRAGMA journal_mode = WAL"), QStringLiteral("wal"));
    Database db = DBEngine::Workspaces(0).OpenDatabase(file.path());
    QCOMPARE(db.OpenRecordset("Partia").RecordCount(), 0);
    db.Close();
    QCOMPARE(journalMode("PRAGMA journal_mode"), QStringLiteral("delete"));
}

void tst_DaoRecordset::movesOnEmptyAndFull()
{
    TestDatabase file;
    fillSamples(file);
    Recordset empty = file.db().OpenRecordset("SELECT * FROM Badanie WHERE Partia = 99");
    QVERIFY(empty.BOF() && empty.EOF());
    QCOMPARE(empty.RecordCount(), 0);
    QCOMPARE(empty.AbsolutePosition(), -1);
    for (auto move : {&Recordset::MoveFirst, &Recordset::MoveLast, &Recordset::MoveNext,
                      &Recordset::MovePrevious, &Recordset::Edit, &Recordset::Delete})
        QCOMPARE(errorNumberOf([&] { (empty.*move)(); }), int(err::NoCurrentRecord));
    QCOMPARE(errorNumberOf([&] { empty("Nazwa").Value(); }), int(err::NoCurrentRecord));

    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrProbki");
    QCOMPARE(rs.RecordCount(), 6);
    QCOMPARE(rs("NrProbki").Value().toInt(), 5);
    int walked = 0;
    while (!rs.EOF()) {
        ++walked;
        rs.MoveNext();
    }
    QCOMPARE(walked, 6);
    QCOMPARE(errorNumberOf([&] { rs.MoveNext(); }), int(err::NoCurrentRecord));
    QCOMPARE(errorNumberOf([&] { rs("Nazwa").Value(); }), int(err::NoCurrentRecord));
    rs.MovePrevious();
    QCOMPARE(rs("NrProbki").Value().toInt(), 10);
    rs.MoveFirst();
    rs.MovePrevious();
    QVERIFY(rs.BOF() && !rs.EOF());
    QCOMPARE(errorNumberOf([&] { rs.MovePrevious(); }), int(err::NoCurrentRecord));
    rs.MoveNext();
    QCOMPARE(rs.AbsolutePosition(), 0);
    rs.setAbsolutePosition(3);
    QCOMPARE(rs("NrProbki").Value().toInt(), 8);
    QCOMPARE(errorNumberOf([&] { rs.setAbsolutePosition(6); }), int(err::InvalidArgument));
}

void tst_DaoRecordset::addNewKeepsPositionAndMarksLastModified()
{
    TestDatabase file;
    fillSamples(file);
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrProbki DESC");
    rs.MoveNext();
    const Bookmark before = rs.Bookmark();
    rs.AddNew();
    QCOMPARE(rs.EditMode(), dbEditAdd);
    QVERIFY(IsNull(rs("NrProbki").Value()));
    rs("NrProbki") = 99; // would sort first; joins at the end until re-read
    rs("Nazwa") = "Nowy";
    rs.Update();
    QCOMPARE(rs.EditMode(), dbEditNone);
    QCOMPARE(rs.Bookmark(), before);
    QCOMPARE(rs.RecordCount(), 7);
    rs.setBookmark(rs.LastModified());
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Nowy"));
    QCOMPARE(rs.AbsolutePosition(), 6);
    rs.Requery();
    QCOMPARE(rs("NrProbki").Value().toInt(), 99);

    // A row added to an empty recordset is reached through LastModified.
    Recordset none = file.db().OpenRecordset("SELECT * FROM Badanie WHERE Partia = 5");
    none.AddNew();
    none("Partia") = 5;
    none.Update();
    QCOMPARE(none.RecordCount(), 1);
    none.setBookmark(none.LastModified());
    QCOMPARE(none("Partia").Value().toInt(), 5);
}

void tst_DaoRecordset::tiedRowsKeepTableOrder()
{
    TestDatabase file;
    file.createTable(
        "Kolejka",
        {{"Nr", dbLong, 0}, {"Grupa", dbLong, 0}, {"Nazwa", dbText, 10}, {"Waga", dbSingle, 0}});
    struct Row {
        QVariant group;
        QString name;
        QVariant weight;
    };
    // Letter case and Polish letters tie or not as the text order has it;
    // a trailing blank counts.
    const std::vector<Row> rows{{2, "kot", 1.5},  {1, "Kot", {}},   {2, "pies", 1.5},
                                {3, "KOT", 2.0},  {1, "ąb", {}},    {2, "KOT", 2.0},
                                {{}, "pies", {}}, {3, "Kot ", 1.5}, {1, "ab", {}}};
    Recordset add = file.db().OpenRecordset("Kolejka");
    for (size_t i = 0; i < rows.size(); ++i) {
        add.AddNew();
        add("Nr") = int(i) + 1;
        add("Grupa") = rows[i].group;
        add("Nazwa") = rows[i].name;
        add("Waga") = rows[i].weight;
        add.Update();
    }
    add.Close();
    const std::vector<std::pair<QString, QList<int>>> orders{
        {"ORDER BY Grupa DESC", {4, 8, 1, 3, 6, 2, 5, 9, 7}},
        {"ORDER BY [Grupa] desc", {4, 8, 1, 3, 6, 2, 5, 9, 7}},
        {"ORDER BY Grupa", {7, 2, 5, 9, 1, 3, 6, 4, 8}},
        {"ORDER BY Nazwa DESC", {3, 7, 8, 1, 2, 4, 6, 5, 9}},
        {"ORDER BY Grupa DESC, Nazwa DESC", {8, 4, 3, 1, 6, 2, 5, 9, 7}},
        {"ORDER BY Grupa, Nazwa DESC", {7, 2, 5, 9, 3, 1, 6, 8, 4}},
        {"WHERE Grupa >= 2 ORDER BY Waga DESC", {4, 6, 1, 3, 8}},
        {"WHERE Nazwa <> 'x ORDER BY y' ORDER BY Waga DESC", {4, 6, 1, 3, 8, 2, 5, 7, 9}},
    };
    // Without indexes SQLite sorts; with them it walks them, backwards for a
    // descending order.
    for (const bool indexed : {false, true}) {
        if (indexed) {
            file.db().Execute("CREATE INDEX Kolejka_Grupa ON Kolejka (Grupa)");
            file.db().Execute("CREATE INDEX Kolejka_Nazwa ON Kolejka (Nazwa)");
            file.db().Execute("CREATE INDEX Kolejka_Grupa_Nazwa ON Kolejka (Grupa, Nazwa)");
            file.db().Execute("CREATE INDEX Kolejka_Waga ON Kolejka (Waga)");
        }
        for (const auto &[order, expected] : orders) {
            QList<int> numbers;
            for (const QVariant &number : file.column("SELECT * FROM Kolejka " + order, "Nr"))
                numbers << number.toInt();
            QVERIFY2(numbers == expected, qPrintable(order));
        }
    }
}

void tst_DaoRecordset::bookmarksAcrossRecordsets()
{
    TestDatabase file;
    fillSamples(file);
    Recordset older = file.db().OpenRecordset("SELECT * FROM Badanie");
    Recordset writer = file.db().OpenRecordset("SELECT * FROM Badanie WHERE Partia = 1");
    writer.AddNew();
    writer("Partia") = 3;
    writer("Nazwa") = "Nowa";
    writer.Update();
    const Bookmark mark = writer.LastModified();

    // A recordset opened after the write holds the row; one opened before does not.
    Recordset list = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY Nazwa DESC");
    list.setBookmark(mark);
    QCOMPARE(list("Nazwa").Value().toString(), QStringLiteral("Nowa"));
    QCOMPARE(errorNumberOf([&] { older.setBookmark(mark); }), int(err::InvalidBookmark));

    // The other way round: a bookmark of the list is the same row in the writer.
    list.MoveFirst();
    writer.MoveFirst();
    const QString first = list("Nazwa").Value().toString();
    writer.FindFirst("Nazwa = " + SqlText(first));
    if (!writer.NoMatch())
        QCOMPARE(writer.Bookmark(), list.Bookmark());
}

void tst_DaoRecordset::deleteThenMove()
{
    TestDatabase file;
    fillSamples(file);
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    Recordset other = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    other.setAbsolutePosition(1);
    rs.MoveNext();
    rs.Delete();
    QCOMPARE(rs.RecordCount(), 5);
    QCOMPARE(errorNumberOf([&] { rs("NrDzien").Value(); }), int(err::RecordDeleted));
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::RecordDeleted));
    QCOMPARE(errorNumberOf([&] { other("NrDzien").Value(); }), int(err::RecordDeleted));
    rs.MoveNext();
    QCOMPARE(rs("NrDzien").Value().toInt(), 3);
    rs.MovePrevious();
    QCOMPARE(rs("NrDzien").Value().toInt(), 1);

    rs.MoveLast();
    rs.Delete();
    rs.MoveNext();
    QVERIFY(rs.EOF());
    rs.MoveLast();
    QCOMPARE(rs("NrDzien").Value().toInt(), 5);

    while (rs.RecordCount() > 0) {
        rs.MoveFirst();
        rs.Delete();
    }
    rs.MoveNext();
    QVERIFY(rs.EOF() && rs.BOF());
    QCOMPARE(errorNumberOf([&] { rs.MoveLast(); }), int(err::NoCurrentRecord));
    QCOMPARE(file.db().OpenRecordset("Badanie").RecordCount(), 0);
}

void tst_DaoRecordset::editWritesTheLoadedRow()
{
    TestDatabase file;
    fillSamples(file);
    Recordset list = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    Recordset other = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    list.MoveNext();
    QCOMPARE(list("Nazwa").Value().toString(), QStringLiteral("Kraków"));

    // A change through another recordset shows here, and Edit starts from it.
    other.MoveNext();
    other.Edit();
    other("Nazwa") = "Kraków 2";
    other.Update();
    QCOMPARE(list("Nazwa").Value().toString(), QStringLiteral("Kraków 2"));
    list.Edit();
    QCOMPARE(list.EditMode(), dbEditInProgress);
    list("NrProbki") = "12";
    list.Update();
    QCOMPARE(list.LastModified(), list.Bookmark());
    QCOMPARE(list("NrProbki").Value().toInt(), 12);
    QCOMPARE(list("Nazwa").Value().toString(), QStringLiteral("Kraków 2"));

    list.Edit();
    list("Nazwa") = "porzucone";
    list.CancelUpdate();
    QCOMPARE(list("Nazwa").Value().toString(), QStringLiteral("Kraków 2"));
    QCOMPARE(errorNumberOf([&] { list.Update(); }), int(err::UpdateWithoutEdit));
    QCOMPARE(errorNumberOf([&] { list.CancelUpdate(); }), int(err::UpdateWithoutEdit));

    // Moving away drops a pending change.
    list.Edit();
    list("Nazwa") = "porzucone";
    list.MoveNext();
    list.MovePrevious();
    QCOMPARE(list("Nazwa").Value().toString(), QStringLiteral("Kraków 2"));

    // The row went away under the edit. Another recordset of this program
    // holds the row as it handed it out, so it deletes only after reading
    // this one's save.
    list.Edit();
    QCOMPARE(errorNumberOf([&] { other.Delete(); }), int(err::DataChanged));
    QCOMPARE(other("NrProbki").Value().toInt(), 12);
    other.Delete();
    list("Nazwa") = "za późno";
    QCOMPARE(errorNumberOf([&] { list.Update(); }), int(err::RecordDeleted));
}

void tst_DaoRecordset::findFirst_data()
{
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<int>("dayFound"); // NrDzien of the row found, 0 for none

    QTest::newRow("text") << "Nazwa = 'Kraków'" << 2;
    QTest::newRow("Polish case") << "Nazwa = 'ŁÓDŹ'" << 1;
    QTest::newRow("small Polish letters") << "Nazwa = 'łódź'" << 1;
    QTest::newRow("apostrophe quoted") << "Nazwa = " + SqlText("O'Brien") << 5;
    QTest::newRow("number") << "NrProbki = 7" << 4;
    QTest::newRow("number without blank") << "NrDzien =6" << 6;
    QTest::newRow("like") << "Nazwa LIKE 'śr*'" << 6;
    QTest::newRow("like Polish capital") << "NAZWA LIKE 'GDA*'" << 4;
    QTest::newRow("date") << "DataDoLab = DateValue('03.03.2024')" << 3;
    QTest::newRow("two conditions") << "Partia = 2 and Nazwa = 'łódź'" << 0;
    QTest::newRow("no match") << "Nazwa = 'Poznań'" << 0;
}

void tst_DaoRecordset::findFirst()
{
    QFETCH(QString, criteria);
    QFETCH(int, dayFound);
    TestDatabase file;
    fillSamples(file);
    for (const QString source : {"SELECT * FROM Badanie", "SELECT * FROM Badanie ORDER BY Nazwa"}) {
        Recordset rs = file.db().OpenRecordset(source);
        rs.MoveLast();
        const Bookmark before = rs.Bookmark();
        rs.FindFirst(criteria);
        QCOMPARE(rs.NoMatch(), dayFound == 0);
        if (dayFound == 0)
            QCOMPARE(rs.Bookmark(), before);
        else
            QCOMPARE(rs("NrDzien").Value().toInt(), dayFound);
    }
}

void tst_DaoRecordset::findKeepsToTheRecordset()
{
    TestDatabase file;
    fillSamples(file);
    // Table order: FindNext goes on after the current row.
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie");
    rs.FindFirst("Nazwa = 'łódź'");
    QCOMPARE(rs("NrDzien").Value().toInt(), 1);
    rs.FindNext("Nazwa = 'łódź'");
    QCOMPARE(rs("NrDzien").Value().toInt(), 3);
    rs.FindNext("Nazwa = 'łódź'");
    QVERIFY(rs.NoMatch());
    QCOMPARE(rs("NrDzien").Value().toInt(), 3);

    // The recordset's own order decides which match comes first.
    Recordset ordered = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien DESC");
    ordered.FindFirst("Nazwa LIKE 'Ł*'");
    QCOMPARE(ordered("NrDzien").Value().toInt(), 3);

    // Rows outside the recordset are not found.
    Recordset second = file.db().OpenRecordset("SELECT * FROM Badanie WHERE Partia = 2");
    second.FindFirst("Nazwa = 'Łódź'");
    QVERIFY(second.NoMatch());
}

void tst_DaoRecordset::statementErrors_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<int>("error");

    QTest::newRow("missing table") << "SELECT * FROM Zuzyte"
                                   << "" << 3078;
    QTest::newRow("missing bare table") << "Zuzyte"
                                        << "" << 3078;
    QTest::newRow("missing column") << "SELECT * FROM Badanie WHERE TNWyslane = 0"
                                    << "" << 3061;
    QTest::newRow("missing order column") << "SELECT * FROM Badanie ORDER BY Brak"
                                          << "" << 3061;
    QTest::newRow("broken quote") << "SELECT * FROM Badanie WHERE Nazwa = 'O'Brien'"
                                  << "" << 3075;
    QTest::newRow("cut statement") << "SELECT * FROM Badanie WHERE"
                                   << "" << 3075;
    QTest::newRow("find missing column") << "Badanie"
                                         << "Brak = 1" << 3070;
    QTest::newRow("find broken quote") << "Badanie"
                                       << "Nazwa = 'O'Brien'" << 3077;
}

void tst_DaoRecordset::statementErrors()
{
    QFETCH(QString, source);
    QFETCH(QString, criteria);
    QFETCH(int, error);
    TestDatabase file;
    fillSamples(file);
    QCOMPARE(errorNumberOf([&] {
                 Recordset rs = file.db().OpenRecordset(source);
                 rs.FindFirst(criteria);
             }),
             error);
    Recordset rs = file.db().OpenRecordset("Badanie");
    QCOMPARE(errorNumberOf([&] { rs("Brak").Value(); }), int(err::ItemNotFound));
    QCOMPARE(errorNumberOf([&] { file.db().TableDefs()("Brak"); }), int(err::ItemNotFound));
}

void tst_DaoRecordset::tableDefinitionsReadBack()
{
    TestDatabase file;
    const std::vector<TestDatabase::Column> columns{
        {"TN", dbBoolean, 0}, {"B", dbByte, 0},   {"I", dbInteger, 0},
        {"L", dbLong, 0},     {"S", dbSingle, 0}, {"D", dbDate, 0},
        {"T", dbText, 14},    {"M", dbMemo, 0},   {"T255", dbText, 0}};
    file.createTable("Wszystko", columns);
    QVERIFY(file.db().TableDefs().Contains("WSZYSTKO"));
    TableDef table = file.db().TableDefs()("wszystko");
    QCOMPARE(table.Name(), QStringLiteral("Wszystko"));
    Recordset rs = file.db().OpenRecordset("SELECT * FROM WSZYSTKO");
    const QList<int> sizes{1, 1, 2, 4, 4, 8, 14, 0, 255};
    QCOMPARE(table.Fields().Count(), int(columns.size()));
    QCOMPARE(rs.Fields().Count(), int(columns.size()));
    for (int i = 0; i < int(columns.size()); ++i) {
        for (const Field &f : {table.Fields()(i), rs.Fields(i)}) {
            QCOMPARE(f.Name(), std::get<0>(columns[size_t(i)]));
            QCOMPARE(f.Type(), std::get<1>(columns[size_t(i)]));
            QCOMPARE(f.Size(), sizes.at(i));
        }
    }
    QCOMPARE(rs.Fields("t").Name(), QStringLiteral("T"));

    TableDef again = file.db().CreateTableDef("wszystko");
    again.Fields().Append(again.CreateField("X", dbLong));
    QCOMPARE(errorNumberOf([&] { file.db().TableDefs().Append(again); }), int(err::TableExists));
    TableDef empty = file.db().CreateTableDef("Pusta");
    QCOMPARE(errorNumberOf([&] { file.db().TableDefs().Append(empty); }),
             int(err::NoFieldsDefined));
    QCOMPARE(errorNumberOf([&] { empty.Fields().Append(empty.CreateField("X", dbLong)); }), 0);
    QCOMPARE(errorNumberOf([&] { empty.Fields().Append(empty.CreateField("x", dbText)); }),
             int(err::FieldDefinedTwice));
}

void tst_DaoRecordset::zeroLengthText()
{
    TestDatabase file;
    TableDef table = file.db().CreateTableDef("Osoba");
    Field strict = table.CreateField("Scisle", dbText, 10);
    Field loose = table.CreateField("Luzne", dbText, 10);
    QVERIFY(!strict.AllowZeroLength());
    loose.setAllowZeroLength(true);
    table.Fields().Append(strict);
    table.Fields().Append(loose);
    file.db().TableDefs().Append(table);
    QCOMPARE(errorNumberOf([&] { strict.setAllowZeroLength(true); }), int(err::InvalidOperation));
    QVERIFY(!file.db().TableDefs()("Osoba").Fields()("Scisle").AllowZeroLength());
    QVERIFY(file.db().TableDefs()("Osoba").Fields()("Luzne").AllowZeroLength());

    Recordset rs = file.db().OpenRecordset("Osoba");
    rs.AddNew();
    rs("Luzne") = "";
    rs.Update();
    rs.AddNew();
    rs("Scisle") = "";
    try {
        rs.Update();
        QFAIL("an empty text went into a field that refuses it");
    } catch (const Error &e) {
        QCOMPARE(e.Number(), int(err::ZeroLengthNotAllowed));
        QCOMPARE(e.Description(),
                 QStringLiteral("Pole 'Osoba.Scisle' nie może być ciągiem o zerowej długości."));
    }
    rs.CancelUpdate();
    QCOMPARE(rs.RecordCount(), 1);
}

void tst_DaoRecordset::alterTableAddAndDrop()
{
    TestDatabase file;
    fillSamples(file);
    Recordset open = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    Field name = open("Nazwa");
    Database repair = DBEngine::Workspaces(0).OpenDatabase(file.path());

    QCOMPARE(errorNumberOf([&] { repair.Execute("ALTER TABLE Badanie DROP COLUMN TabelaTMP;"); }),
             int(err::NoSuchField));
    repair.Execute("ALTER TABLE Badanie ADD COLUMN TabelaTMP text(15);");
    QCOMPARE(
        errorNumberOf([&] { repair.Execute("ALTER TABLE Badanie ADD COLUMN TabelaTMP memo"); }),
        int(err::FieldDefinedTwice));

    // The open recordset sees the new column, and its fields still name theirs.
    QCOMPARE(open.Fields().Count(), 6);
    QCOMPARE(open.Fields("TabelaTMP").Type(), dbText);
    QCOMPARE(open.Fields("TabelaTMP").Size(), 15);
    QVERIFY(open.Fields("TabelaTMP").AllowZeroLength());
    QCOMPARE(name.Value().toString(), QStringLiteral("Łódź"));
    open.Edit();
    open("TabelaTMP") = "0012";
    open.Update();

    TableDef table = repair.TableDefs()("Badanie");
    Field added = table.CreateField("Wiek", dbInteger);
    table.Fields().Append(added);
    QCOMPARE(open.Fields().Count(), 7);
    QCOMPARE(open.Fields(6).Name(), QStringLiteral("Wiek"));

    repair.Execute("ALTER TABLE Badanie DROP COLUMN Nazwa;");
    QCOMPARE(open.Fields().Count(), 6);
    QCOMPARE(errorNumberOf([&] { name.Value(); }), int(err::ItemNotFound));
    QCOMPARE(open("TabelaTMP").Value(), QVariant("0012"));
    QCOMPARE(open("NrDzien").Value().toInt(), 1);
    QCOMPARE(errorNumberOf([&] { repair.Execute("ALTER TABLE Brak DROP COLUMN X"); }),
             int(err::TableNotFound));

    // Execute runs one statement: a second one is refused before either runs;
    // blanks, semicolons and comments after it are no statement.
    const int rows = file.db().OpenRecordset("Badanie").RecordCount();
    QCOMPARE(errorNumberOf([&] {
                 file.db().Execute("DELETE FROM Badanie WHERE NrProbki = 10; DELETE FROM Badanie");
             }),
             int(err::TextAfterStatement));
    QCOMPARE(file.db().OpenRecordset("Badanie").RecordCount(), rows);
    file.db().Execute("DELETE FROM Badanie WHERE NrProbki = 10 ; -- pierwsza\n /* koniec */ ;");
    QCOMPARE(file.db().OpenRecordset("Badanie").RecordCount(), rows - 1);
}

// The old column widening: copy into a temporary column, drop, add the wider
// column at the end, copy back, drop the temporary one.
void tst_DaoRecordset::columnWideningKeepsData()
{
    TestDatabase file;
    file.createTable("Badanie", {{"Nr", dbLong, 0}, {"Wynik", dbText, 10}, {"Uwagi", dbMemo, 0}});
    file.addRows("Badanie", "Wynik", {"ujemny", "", QVariant(), "0012"});
    Database db = file.db();
    {
        Recordset probe = db.OpenRecordset("SELECT * FROM Badanie");
        probe.AddNew();
        QCOMPARE(errorNumberOf([&] { probe("Wynik") = "123451234512345"; }),
                 int(err::FieldTooSmall));
        probe.Close();
    }
    auto copy = [&](const QString &from, const QString &to) {
        Recordset rs = db.OpenRecordset("SELECT * FROM Badanie");
        while (!rs.EOF()) {
            rs.Edit();
            rs(to) = rs(from).Value();
            rs.Update();
            rs.MoveNext();
        }
    };
    Transaction widening(db);
    db.Execute("ALTER TABLE Badanie ADD COLUMN TabelaTMP text(15);");
    copy("Wynik", "TabelaTMP");
    db.Execute("ALTER TABLE Badanie DROP COLUMN Wynik;");
    TableDef table = db.TableDefs()("Badanie");
    Field wider = table.CreateField("Wynik", dbText, 15);
    wider.setAllowZeroLength(true);
    table.Fields().Append(wider);
    copy("TabelaTMP", "Wynik");
    db.Execute("ALTER TABLE Badanie DROP COLUMN TabelaTMP;");
    widening.Commit();

    QCOMPARE(file.column("Badanie", "Wynik"), (QVariantList{"ujemny", "", QVariant(), "0012"}));
    Recordset rs = db.OpenRecordset("Badanie");
    QCOMPARE(rs.Fields(rs.Fields().Count() - 1).Name(), QStringLiteral("Wynik"));
    QCOMPARE(rs.Fields("Wynik").Size(), 15);
    rs.AddNew();
    rs("Wynik") = "123451234512345";
    rs.Update();
}

void tst_DaoRecordset::twoHandlesOnOneFile()
{
    TestDatabase file;
    fillSamples(file);
    Database first = DBEngine::Workspaces(0).OpenDatabase(file.path());
    Database second = DBEngine::Workspaces(0).OpenDatabase(file.folder() + "/./" +
                                                           QFileInfo(file.path()).fileName());
    QCOMPARE(second.Name(), file.folder() + "/./Test.mdb");

    Recordset reader = second.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 9");
    Recordset writer = first.OpenRecordset("Badanie");
    first.BeginTrans();
    writer.AddNew();
    writer("Partia") = 9;
    writer.Update();
    // One connection per file: the second handle sees the uncommitted row.
    QCOMPARE(second.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 9").RecordCount(), 1);
    first.CommitTrans();
    reader.Requery();
    QCOMPARE(reader.RecordCount(), 1);
    reader.Edit();
    reader("Nazwa") = "z drugiego";
    reader.Update();
    writer.setBookmark(reader.LastModified());
    QCOMPARE(writer("Nazwa").Value().toString(), QStringLiteral("z drugiego"));
}

void tst_DaoRecordset::closeEndsOnlyItsHandle()
{
    TestDatabase file;
    fillSamples(file);
    Database month = DBEngine::Workspaces(0).OpenDatabase(file.path());
    Recordset list = month.OpenRecordset("SELECT * FROM Badanie");
    Recordset copy = list;
    Database replacement = DBEngine::Workspaces(0).OpenDatabase(file.path());
    Recordset kept = replacement.OpenRecordset("SELECT * FROM Badanie");

    month.Close();
    QVERIFY(!month.IsOpen());
    QVERIFY(!copy.IsOpen());
    QCOMPARE(errorNumberOf([&] { list.MoveNext(); }), int(err::ObjectInvalid));
    QCOMPARE(errorNumberOf([&] { month.OpenRecordset("Badanie"); }), int(err::ObjectInvalid));
    QCOMPARE(errorNumberOf([&] { Database().OpenRecordset("Badanie"); }), int(err::ObjectNotSet));
    kept.MoveLast();
    QCOMPARE(kept("NrDzien").Value().toInt(), 6);
    QCOMPARE(replacement.OpenRecordset("Badanie").RecordCount(), 6);
}

void tst_DaoRecordset::transactions()
{
    TestDatabase file;
    fillSamples(file);
    Database db = file.db();
    QCOMPARE(errorNumberOf([&] { db.CommitTrans(); }), int(err::CommitWithoutBegin));
    QCOMPARE(errorNumberOf([&] { db.Rollback(); }), int(err::CommitWithoutBegin));

    Recordset rs = db.OpenRecordset("Badanie");
    db.BeginTrans();
    rs.AddNew();
    rs("Partia") = 7;
    rs.Update();
    db.BeginTransImmediate(); // nested: a savepoint
    rs.MoveFirst();
    rs.Delete();
    db.Rollback();
    QVERIFY(db.InTransaction());
    QCOMPARE(db.OpenRecordset("Badanie").RecordCount(), 7);
    db.Rollback();
    QVERIFY(!db.InTransaction());
    QCOMPARE(db.OpenRecordset("Badanie").RecordCount(), 6);
    rs.setBookmark(rs.LastModified());
    QCOMPARE(errorNumberOf([&] { rs("Partia").Value(); }), int(err::RecordDeleted));

    // An error in the middle of a multi-step write leaves nothing behind.
    QCOMPARE(errorNumberOf([&] {
                 Transaction transaction(db, Transaction::Immediate);
                 Recordset children = db.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 1");
                 while (!children.EOF()) {
                     children.Delete();
                     children.MoveNext();
                 }
                 Recordset batch = db.OpenRecordset("Partia");
                 transaction.Commit();
             }),
             int(err::TableNotFound));
    QCOMPARE(db.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 1").RecordCount(), 3);

    {
        Transaction transaction(db);
        Recordset children = db.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 1");
        children.Edit();
        children("Partia") = 11;
        children.Update();
        transaction.Commit();
    }
    QCOMPARE(db.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 11").RecordCount(), 1);

    // A column added in a transaction that is rolled back is gone again, also
    // when another workstation's change of the table brings the file to the
    // same schema version.
    db.BeginTrans();
    db.Execute("ALTER TABLE Badanie ADD COLUMN Wiek SMALLINT");
    QCOMPARE(db.OpenRecordset("Badanie").Fields("Wiek").Type(), dbInteger);
    db.Rollback();
    OtherWorkstation other(file.path());
    QVERIFY(other.Run("ALTER TABLE Badanie ADD COLUMN Uwagi LONGTEXT"));
    Recordset after = db.OpenRecordset("Badanie");
    QCOMPARE(after.Fields("Uwagi").Type(), dbMemo);
    QCOMPARE(errorNumberOf([&] { after.Fields("Wiek"); }), int(err::ItemNotFound));

    // Another workstation holds the file: a transaction waits for it once, 5 s
    // in all, so that its later statements are refused at once; the refusal
    // says whether anything had been written, and a rollback waits for nobody.
    const auto lockRefusal = [](const std::function<void()> &step) {
        try {
            step();
        } catch (const Error &error) {
            return error;
        }
        return Error(0, QString());
    };
    const quint64 waits = DBEngine::LockWaits();
    QVERIFY(other.Run("BEGIN EXCLUSIVE"));
    db.BeginTrans();
    Error refused = lockRefusal([&] { db.OpenRecordset("Badanie"); });
    QVERIFY(refused.Number() == err::Locked && refused.BeforeAnyWrite());
    refused = lockRefusal([&] { db.Execute("UPDATE Badanie SET Partia = 2"); });
    QVERIFY(refused.Number() == err::Locked && refused.BeforeAnyWrite());
    QCOMPARE(DBEngine::LockWaits(), waits + 1);
    db.Rollback();
    QVERIFY(other.Run("ROLLBACK"));
    QVERIFY(other.Run("BEGIN; SELECT count(*) FROM Badanie"));
    db.BeginTransImmediate();
    after.AddNew();
    after("Partia") = 8;
    after.Update();
    refused = lockRefusal([&] { db.CommitTrans(); });
    QVERIFY(refused.Number() == err::Locked && !refused.BeforeAnyWrite());
    QCOMPARE(DBEngine::LockWaits(), waits + 2);
    db.Rollback();
    QCOMPARE(DBEngine::LockWaits(), waits + 2);
    QVERIFY(other.Run("COMMIT"));
    QCOMPARE(db.OpenRecordset("SELECT * FROM Badanie WHERE Partia = 8").RecordCount(), 0);
}

// Another workstation's work shows: new rows on Requery, changed values when
// the row is read again, and columns added to the table.
void tst_DaoRecordset::anotherConnectionsChangesAreSeen()
{
    TestDatabase file;
    fillSamples(file);
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Łódź"));

    sqlite3 *other = nullptr;
    QCOMPARE(sqlite3_open_v2(QFile::encodeName(file.path()).constData(), &other,
                             SQLITE_OPEN_READWRITE, nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_exec(other,
                          "UPDATE Badanie SET Nazwa = 'Łowicz' WHERE NrDzien = 1;"
                          "ALTER TABLE Badanie ADD COLUMN Wiek SMALLINT;"
                          "INSERT INTO Badanie (Partia, NrDzien, Wiek) VALUES (1, 7, 12);",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(other);

    rs.Edit();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Łowicz"));
    rs.CancelUpdate();
    QCOMPARE(rs.Fields("Wiek").Type(), dbInteger);
    QCOMPARE(rs.RecordCount(), 6);
    rs.Requery();
    QCOMPARE(rs.RecordCount(), 7);
    rs.MoveLast();
    QCOMPARE(rs("Wiek").Value().toInt(), 12);

    // Once any reader of this program has met another commit, rows read
    // before it are read again.
    rs.MoveFirst();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Łowicz"));
    OtherWorkstation second(file.path());
    QVERIFY(second.Run("UPDATE Badanie SET Nazwa = 'Kutno' WHERE NrDzien = 2"));
    Recordset reader = file.db().OpenRecordset("SELECT * FROM Badanie WHERE NrDzien = 2");
    QCOMPARE(reader("Nazwa").Value().toString(), QStringLiteral("Kutno"));
    rs.MoveNext();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Kutno"));
}

// Two workstations correcting one row: the later save is refused when the
// row changed since it was read, and writes nothing of its own.
void tst_DaoRecordset::updateRefusesARowChangedElsewhere()
{
    TestDatabase file;
    fillSamples(file);
    OtherWorkstation other(file.path());
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    const auto nameOnFile = [&file](int day) {
        return file
            .column(QStringLiteral("SELECT * FROM Badanie WHERE NrDzien = %1").arg(day), "Nazwa")
            .value(0)
            .toString();
    };

    // Changed after it was shown, before the edit began; a change of letter
    // case alone counts, though texts compare without regard to case.
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Łódź"));
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'ŁÓDŹ' WHERE NrDzien = 1"));
    rs.Edit();
    rs("NrProbki") = 99;
    try {
        rs.Update();
        QFAIL("the update went through");
    } catch (const Error &e) {
        QCOMPARE(e.Number(), 3197);
        QCOMPARE(e.Description(),
                 QStringLiteral("Inny użytkownik zmienił ten rekord, od kiedy został odczytany. "
                                "Odśwież dane i spróbuj ponownie."));
    }
    QCOMPARE(rs.EditMode(), dbEditNone);
    QCOMPARE(file.column("SELECT * FROM Badanie WHERE NrDzien = 1", "NrProbki").value(0).toInt(),
             10);
    // Read again, the row takes the correction.
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("ŁÓDŹ"));
    rs.Edit();
    rs("NrProbki") = 99;
    rs.Update();
    QCOMPARE(file.column("SELECT * FROM Badanie WHERE NrDzien = 1", "NrProbki").value(0).toInt(),
             99);

    // Changed between Edit and Update.
    rs.MoveNext();
    rs.Edit();
    QVERIFY(other.Run("UPDATE Badanie SET Partia = 7 WHERE NrDzien = 2"));
    rs("Nazwa") = "z pierwszej";
    QCOMPARE(errorNumberOf([&] { rs.Update(); }), 3197);
    QCOMPARE(nameOnFile(2), QStringLiteral("Kraków"));

    // Deleted meanwhile: the row is gone, not changed.
    rs.MoveNext();
    rs.Edit();
    QVERIFY(other.Run("DELETE FROM Badanie WHERE NrDzien = 3"));
    rs("Nazwa") = "usunięty";
    QCOMPARE(errorNumberOf([&] { rs.Update(); }), int(err::RecordDeleted));

    // Other rows changed elsewhere refuse nothing; a write of this program
    // into the row shown counts as a change until the row is read again.
    rs.MoveNext();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Gdańsk"));
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'inny' WHERE NrDzien = 5"));
    file.db().Execute("UPDATE Badanie SET NrProbki = 70 WHERE NrDzien = 4");
    rs.Edit();
    rs("Nazwa") = "Gdynia";
    QCOMPARE(errorNumberOf([&] { rs.Update(); }), 3197);
    QCOMPARE(rs("NrProbki").Value().toInt(), 70);
    rs.Edit();
    rs("Nazwa") = "Gdynia";
    rs.Update();
    QCOMPARE(nameOnFile(4), QStringLiteral("Gdynia"));
    QCOMPARE(file.column("SELECT * FROM Badanie WHERE NrDzien = 4", "NrProbki").value(0).toInt(),
             70);
    // A save refused by a rule and rolled back, then saved again: the row as
    // it was shown is still what the second save is checked against.
    rs.MoveLast();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Śrem"));
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'obcy' WHERE NrDzien = 6"));
    {
        Transaction refused(file.db(), Transaction::Immediate);
        file.db().OpenRecordset("SELECT * FROM Badanie WHERE NrDzien = 1");
    }
    rs.Edit();
    rs("NrProbki") = 55;
    QCOMPARE(errorNumberOf([&] { rs.Update(); }), 3197);
    QCOMPARE(nameOnFile(6), QStringLiteral("obcy"));
}

// A row deleted from a list that another workstation changed meanwhile: the
// deletion is refused and removes nothing, also when the other workstation's
// new row took over the deleted row's rowid.
void tst_DaoRecordset::deleteRefusesARowChangedElsewhere()
{
    TestDatabase file;
    fillSamples(file);
    file.createTable("Dzieci", {{"NrDzien", dbInteger, 0}});
    file.addRows("Dzieci", "NrDzien", {4, 6});
    OtherWorkstation other(file.path());
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie WHERE Partia = 2");
    const int name = rs.FieldIndex("Nazwa");
    const auto daysOnFile = [&file] {
        QList<int> days;
        for (const QVariant &day : file.column("SELECT * FROM Badanie ORDER BY NrDzien", "NrDzien"))
            days << day.toInt();
        return days;
    };
    // The list shows days 2, 4 and 6.
    QCOMPARE(rs.ValueAt(2, name).toString(), QStringLiteral("Śrem"));
    const Bookmark shown = rs.BookmarkAt(2);

    // The last row is deleted elsewhere and a new row of another batch is
    // added: it never takes the deleted row's rowid, so this list's row is
    // gone and the new row stays.
    EngineWorkstation writer(file.path());
    QVERIFY(writer.Run("DELETE FROM Badanie WHERE NrDzien = 6"));
    QVERIFY(writer.Run("INSERT INTO Badanie (Partia, NrDzien, Nazwa) VALUES (1, 7, 'obcy')"));
    QVERIFY(
        !(file.db().OpenRecordset("SELECT * FROM Badanie WHERE NrDzien = 7").Bookmark() == shown));
    rs.MoveLast();
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::RecordDeleted));
    QCOMPARE(daysOnFile(), QList<int>({1, 2, 3, 4, 5, 7}));
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), int(err::RecordDeleted));
    QCOMPARE(daysOnFile(), QList<int>({1, 2, 3, 4, 5, 7}));

    // Changed elsewhere after it was shown. The file is read again (as a
    // move's refresh reads it) and the list leaves the row and comes back to
    // it by its bookmark, reading nothing of it: the row as shown still counts.
    rs.MoveFirst();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("Kraków"));
    QVERIFY(other.Run("UPDATE Badanie SET NrProbki = 1 WHERE NrDzien = 2"));
    QCOMPARE(file.db().OpenRecordset("Dzieci").RecordCount(), 2);
    const Bookmark first = rs.Bookmark();
    rs.MoveNext();
    rs.setBookmark(first);
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), 3197);
    // Read again, the row as it is now may go.
    QCOMPARE(rs("NrProbki").Value().toInt(), 1);
    rs.Delete();
    QCOMPARE(daysOnFile(), QList<int>({1, 3, 4, 5, 7}));

    // Changed elsewhere, then this program writes into another table in its
    // own transaction (children before their parent): still refused, and the
    // transaction goes on.
    rs.MoveFirst();
    QCOMPARE(rs("NrDzien").Value().toInt(), 4);
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'zmieniony' WHERE NrDzien = 4"));
    {
        Transaction transaction(file.db(), Transaction::Immediate);
        file.db().Execute("DELETE FROM Dzieci WHERE NrDzien = 4");
        QCOMPARE(errorNumberOf([&] { rs.Delete(); }), 3197);
        file.db().Execute("DELETE FROM Badanie WHERE NrDzien = 5");
        transaction.Commit();
    }
    QCOMPARE(daysOnFile(), QList<int>({1, 3, 4, 7}));
    QCOMPARE(file.db().OpenRecordset("Dzieci").RecordCount(), 1);

    // Deleted elsewhere: refused as deleted.
    rs.MoveFirst();
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("zmieniony"));
    QVERIFY(other.Run("DELETE FROM Badanie WHERE NrDzien = 4"));
    try {
        rs.Delete();
        QFAIL("a deleted row was deleted");
    } catch (const Error &e) {
        QCOMPARE(e.Number(), int(err::RecordDeleted));
        QCOMPARE(e.Description(), QStringLiteral("Rekord jest usunięty."));
    }
    QCOMPARE(daysOnFile(), QList<int>({1, 3, 7}));

    // Unchanged rows, other rows changed elsewhere and this program's own
    // writes refuse nothing: a walk deletes every row it reads.
    Recordset all = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    QCOMPARE(all("NrDzien").Value().toInt(), 1);
    file.db().Execute("UPDATE Badanie SET NrProbki = 0 WHERE NrDzien = 1");
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'inny' WHERE NrDzien = 7"));
    while (!all.EOF()) {
        QVERIFY(all("NrDzien").Value().toInt() > 0);
        all.Delete();
        all.MoveNext();
    }
    QCOMPARE(daysOnFile(), QList<int>());
}

// A jump to the end of a long list reads only the rows around it; moving back
// reads the rest page by page. Every row shown is the right one, and a row
// first read in a later page is still held against another workstation's
// change.
void tst_DaoRecordset::aLongListReadInPagesIsHeldAsRead()
{
    TestDatabase file;
    file.createTable("Badanie", {{"NrDzien", dbInteger, 0}, {"Nazwa", dbText, 30}});
    QVariantList days;
    for (int day = 1; day <= 150; ++day)
        days << day;
    file.addRows("Badanie", "NrDzien", days);
    OtherWorkstation other(file.path());
    // The list never looks at the file again of its own accord here.
    const HeldRefreshClock heldClock;
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien DESC");
    rs.MoveLast();
    QCOMPARE(rs("NrDzien").Value().toInt(), 1);
    for (int day = 2; day <= 80; ++day) {
        rs.MovePrevious();
        QCOMPARE(rs("NrDzien").Value().toInt(), day);
    }
    QCOMPARE(rs.ValueAt(0, 0).toInt(), 150);
    QCOMPARE(rs.ValueAt(66, 0).toInt(), 84);

    // Day 20 was read in a later page than the end; changed elsewhere since.
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'zmieniony' WHERE NrDzien = 20"));
    rs.setAbsolutePosition(130);
    QCOMPARE(rs("Nazwa").Value().toString(), QString());
    QCOMPARE(errorNumberOf([&] { rs.Delete(); }), 3197);
    QCOMPARE(file.column("SELECT * FROM Badanie WHERE NrDzien = 20", "NrDzien").size(), 1);
    // Read again, the row as it is now may go; its neighbours stay in place.
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("zmieniony"));
    rs.Delete();
    rs.MovePrevious();
    QCOMPARE(rs("NrDzien").Value().toInt(), 21);
    rs.MoveNext();
    QCOMPARE(rs("NrDzien").Value().toInt(), 19);
    QCOMPARE(rs.AbsolutePosition(), 130);
    QCOMPARE(file.column("SELECT * FROM Badanie", "NrDzien").size(), 149);
}

// Moves look at the file again once the refresh time has passed.
void tst_DaoRecordset::movesLookAtTheFileAgainNowAndThen()
{
    TestDatabase file;
    file.createTable("Badanie", {{"NrDzien", dbInteger, 0}, {"Nazwa", dbText, 30}});
    file.addRows("Badanie", "NrDzien", {1, 2});
    OtherWorkstation other(file.path());
    HeldRefreshClock held;
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    const auto walk = [&rs](int moves) {
        for (int move = 0; move < moves; ++move) {
            if (move % 2 == 0)
                rs.MoveNext();
            else
                rs.MovePrevious();
        }
    };
    walk(2);
    QCOMPARE(rs("Nazwa").Value().toString(), QString());
    QVERIFY(other.Run("UPDATE Badanie SET Nazwa = 'zmieniony'"));
    walk(16);
    QCOMPARE(rs("Nazwa").Value().toString(), QString());
    held.now += 99;
    walk(16);
    QCOMPARE(rs("Nazwa").Value().toString(), QString());
    held.now += 1;
    walk(8);
    QCOMPARE(rs("Nazwa").Value().toString(), QStringLiteral("zmieniony"));
}

void tst_DaoRecordset::viewsReadRowsAndHearOfChanges()
{
    TestDatabase file;
    fillSamples(file);
    Recordset rs = file.db().OpenRecordset("SELECT * FROM Badanie ORDER BY NrDzien");
    QList<RecordsetEvent> heard;
    const int id = rs.Subscribe([&heard](RecordsetEvent e) { heard << e; });
    const int column = rs.FieldIndex("nazwa");
    QCOMPARE(column, 3);
    QCOMPARE(rs.FieldIndex("Brak"), -1);
    QCOMPARE(rs.ValueAt(4, column).toString(), QStringLiteral("O'Brien"));
    QCOMPARE(rs.AbsolutePosition(), 0); // reading a row does not move
    QVERIFY(heard.isEmpty());
    QCOMPARE(rs.PositionOf(rs.BookmarkAt(5)), 5);

    rs.MoveNext();
    QCOMPARE(heard.takeFirst(), RecordsetEvent::CurrentChanged);
    rs.AddNew();
    rs("Nazwa") = "nowy";
    rs.Update();
    QCOMPARE(heard.takeFirst(), RecordsetEvent::RowsChanged);
    QCOMPARE(rs.ValueAt(6, column).toString(), QStringLiteral("nowy"));

    Recordset other = file.db().OpenRecordset("Badanie");
    other.Edit();
    other("Nazwa") = "zmieniony";
    other.Update();
    QCOMPARE(heard.takeFirst(), RecordsetEvent::ValuesChanged);
    QCOMPARE(rs.ValueAt(0, column).toString(), QStringLiteral("zmieniony"));
    other.Delete();
    QCOMPARE(heard.takeFirst(), RecordsetEvent::ValuesChanged);
    QVERIFY(IsNull(rs.ValueAt(0, column)));

    rs.Unsubscribe(id);
    rs.MoveFirst();
    QVERIFY(heard.isEmpty());
}

QTEST_MAIN(tst_DaoRecordset)
#include "tst_DaoRecordset.moc"
