#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <string>
#include <unordered_map>
#include <vector>

namespace dao::detail
{

class Connection;

// Rows keep their identity: a rowid that a row of a table of the main file
// had once, deleted since, is not given to another row, so a bookmark names
// no row other than the one it was taken for. SQLite gives a new row the
// highest rowid + 1, which is a gone row's rowid when the highest rows are
// gone. So the engine keeps, per table, the highest rowid of a gone row above
// the table's rows (the mark) in a table of its own in the same file
// (MSysRowidMarks, shown in no list of tables), and moves a statement's new
// rows past it in the statement's transaction. Only a statement's own new
// rows move: SQLite gives them the top rowids, one after the other. A new row
// whose rowid a statement names itself is refused unless it lies past every
// row and past the mark, and a table whose rowid is an INTEGER PRIMARY KEY
// takes no new rows through the engine, because its key is the user's data
// and cannot be moved. Every workstation writes the files through this
// engine; nothing is added to the tables themselves, so their columns,
// SELECT * and copies of them stay as they were.
//
// What does not hold:
// - Rowids that a rollback took back count as deleted, but their mark is
//   written only by this program's next write, inside that write's own
//   transaction (a rollback commits nothing), so until then another
//   workstation may give such a rowid to a new row of its own. No other
//   program ever saw the rolled-back row, and every open list of this program
//   retired those places at the rollback (RecordsetKeyset::Retire), so a
//   bookmark to one reads 3167 whoever holds the rowid later.
// - Rows that a REPLACE conflict deletes (INSERT OR REPLACE, UPDATE OR
//   REPLACE through a unique index) are not reported by SQLite, so their
//   rowids are not marked and may be given again. The program runs no such
//   statement.
// - Identity is kept for the tables of the main file only: rows of an
//   attached file's tables are neither marked nor moved.
// - Scratch tables (Database::SetScratchTables) keep no marks: once their rows
//   are gone their rowids may be given again, and the lists of this program
//   that hold such rows read them as deleted.
class RowIdentity
{
public:
    // The engine's table of marks.
    static const QString &MarksTable();

    // Rows of this connection's statements, as SQLite reports them; SQLite is
    // told to report every deleted row (Connection's authorizer).
    void Deleted(const char *table, qint64 rowid);
    void Inserted(const char *table, qint64 rowid);
    // The next statement to settle was written by a caller, who may name the
    // rowids of its new rows.
    void RowidsMayBeNamed() { named_ = true; }
    // Raises the marks and moves the new rows past them for the statement run
    // since the last time, in its transaction; refuses a named rowid (3219).
    void Settle(Connection &connection);
    // The statement since the last Settle failed: SQLite undid its rows.
    void Discard();
    // Where the row inserted as `rowid` into `table` is after the last Settle.
    qint64 Now(const QString &table, qint64 rowid) const;

    // Transactions: the rows given in each level are kept until it ends.
    void Began();
    void Committed(bool outermost);
    // Rowids given to rows of one table that a rollback took back.
    struct Given {
        std::string table;
        qint64 first = 0;
        qint64 last = 0;
    };
    // The level was rolled back: returns the rows it had given. Their rowids
    // count as deleted, and are marked by the next Settle of a statement that
    // writes rows, in its transaction: no other program saw them, and every
    // list of this one reads them as deleted meanwhile. Until a commit keeps
    // those marks they stay owed.
    std::vector<Given> RolledBack(bool outermost);

    // After a commit of this connection, the marks read in its transaction
    // hold under the file's new data version.
    void Restamp(qint64 before, qint64 after);

    void SetScratch(const QStringList &tables);
    bool IsScratch(const char *table) const;
    // A statement deletes rows of a scratch table, reported or not.
    void ScratchEmptied(const char *table);
    bool AnyScratchEmptied() const { return !scratchEmptied_.empty(); }
    // The scratch tables that lost rows since the last time asked.
    std::vector<std::string> TakeScratchEmptied();

private:
    struct Pending {
        qint64 maxDeleted = 0;
        qint64 minInserted = 0;
        qint64 maxInserted = 0;
        qint64 inserted = 0;
        bool ascending = true; // each new row took the rowid after the one before
    };
    struct Moved {
        qint64 first = 0;
        qint64 last = 0;
        qint64 by = 0;
    };
    struct KnownMark {
        qint64 dataVersion = -1;
        qint64 mark = 0;
    };
    Pending &pendingFor(const char *table);
    void settleTable(Connection &connection, const QString &table, const Pending &rows);
    bool newRowsOnTop(Connection &connection, const QString &table, const Pending &rows);
    qint64 markOf(Connection &connection, const QString &table);
    bool marksExist(Connection &connection);
    void setMark(Connection &connection, const QString &table, qint64 mark);
    void give(const std::string &table, qint64 first, qint64 last);

    std::unordered_map<std::string, Pending> pending_;
    std::string lastTable_;
    Pending *last_ = nullptr;
    bool settling_ = false;
    bool named_ = false;
    QHash<QString, Moved> moved_;     // by lower-case table name
    QHash<QString, KnownMark> marks_; // by lower-case table name
    qint64 marksCheckedAt_ = -1;      // the schema version marksExist_ was read under
    bool marksExist_ = false;
    // Per open transaction level, the rowids given in it, by table.
    std::vector<std::unordered_map<std::string, Given>> levels_;
    // Highest rolled-back rowid per table whose mark is not committed yet,
    // and whether the open transaction has written those marks since.
    std::unordered_map<std::string, qint64> owed_;
    bool owedWritten_ = false;
    std::vector<std::string> scratch_;        // in lower case
    std::vector<std::string> scratchEmptied_; // as SQLite names them
};

} // namespace dao::detail
