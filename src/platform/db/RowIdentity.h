#pragma once

#include <QHash>
#include <QString>

#include <string>
#include <unordered_map>

namespace dao::detail
{

class Connection;

// Rows keep their identity: a rowid that a deleted row had is never given to
// a new row, so a bookmark never names a row other than the one it was taken
// for. SQLite gives a new row the highest rowid + 1, which is a deleted row's
// rowid when the highest row was deleted. So the engine keeps, per table, the
// highest rowid ever deleted (the mark) in a table of its own in the same file
// (MSysRowidMarks, shown in no list of tables): the transaction that deletes a
// table's highest row raises the mark, and the transaction that inserts a row
// at or below it moves the row past it. Every workstation writes the files
// through this engine, so every insert and delete is kept so; nothing is added
// to the tables themselves, so their columns, SELECT * and copies of them stay
// as they were.
class RowIdentity
{
public:
    // The engine's table of marks.
    static const QString &MarksTable();

    // Rows of this connection's statements, as SQLite reports them.
    void Deleted(const char *table, qint64 rowid);
    void Inserted(const char *table, qint64 rowid);
    // `table` is emptied next by a statement that SQLite runs without
    // reporting its rows.
    void Emptying(Connection &connection, const QString &table);
    // Raises the marks and moves inserted rows past them for the statements
    // run since the last time, in their transaction.
    void Settle(Connection &connection);
    // Where the row inserted as `rowid` into `table` is after the last Settle.
    qint64 Now(const QString &table, qint64 rowid) const;
    // The statements since the last Settle were rolled back.
    void Forget();

    // A statement run as text (Database::Execute): whether it writes rows, a
    // table it empties at once (which SQLite does without reporting the
    // rows), and a table it inserts into.
    struct Written {
        bool writesRows = false;
        QString emptied;
        QString insertsInto;
        qint64 placeholder = 0;
    };
    static Written Classify(const QString &sql);
    // Before the statement, in its transaction: an emptied table's highest
    // rowid is noted; a table inserted into whose mark lies past its rows is
    // given a row at the mark for the length of the statement, so that the new
    // rows take rowids past it in the first place instead of being moved.
    void Before(Connection &connection, Written &statement);
    void After(Connection &connection, const Written &statement);

private:
    struct Pending {
        qint64 maxDeleted = 0;
        qint64 minInserted = 0;
        qint64 maxInserted = 0;
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
    qint64 markOf(Connection &connection, const QString &table);
    bool marksExist(Connection &connection);
    void setMark(Connection &connection, const QString &table, qint64 mark);

    std::unordered_map<std::string, Pending> pending_;
    std::string lastTable_;
    Pending *last_ = nullptr;
    bool settling_ = false;
    QHash<QString, Moved> moved_;
    QHash<QString, KnownMark> marks_;
    qint64 marksCheckedAt_ = -1; // the schema version marksExist_ was read under
    bool marksExist_ = false;
};

} // namespace dao::detail
