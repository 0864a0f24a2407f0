#pragma once

#include "Recordset.h"
#include "TableDef.h"
#include "TableDefs.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace dao
{

namespace detail
{
class DatabaseImpl;
} // namespace detail

// An open database file. Copies refer to the same handle; every handle on one
// file shares one connection, so their recordsets and transactions see one
// another's work at once.
class Database
{
public:
    Database();

    bool IsOpen() const;
    QString Name() const; // the file name as it was opened
    // Closes this handle and the recordsets opened through it; other handles
    // on the same file stay open.
    void Close();

    Recordset OpenRecordset(const QString &source); // 3078, 3061, 3075
    // ALTER TABLE ... ADD COLUMN / DROP COLUMN with the old type names
    // (text(15), memo, long ...), and plain statements. 3381 when a dropped
    // column is missing.
    void Execute(const QString &sql);
    TableDef CreateTableDef(const QString &name);
    dao::TableDefs TableDefs();

    // Transactions of the file's connection; they nest.
    void BeginTrans();
    // Takes the write lock at once (waiting for other workstations), so that a
    // value read inside ("highest + 1") cannot be taken by anyone else before
    // the commit.
    void BeginTransImmediate();
    void CommitTrans(); // 3034 without BeginTrans
    void Rollback();    // 3034 without BeginTrans
    bool InTransaction() const;

    // Tables whose rows this program keeps only until it empties them again
    // (a print's staging copies, which only reports read): no user's list
    // acts on their rows, so their rowids may be given again once the rows
    // are gone, and emptying them removes every row at once. A list of this
    // program open on one still reads a row gone as deleted (3167), never
    // as the row that took its rowid. For every handle on the file, until
    // the connection closes.
    void SetScratchTables(const QStringList &tables);

    bool operator==(const Database &other) const { return impl_ == other.impl_; }

private:
    friend class AttachedDatabase;
    friend class Workspace;
    friend class Recordset;
    friend class TableDefs;
    explicit Database(std::shared_ptr<detail::DatabaseImpl> impl);
    detail::DatabaseImpl &impl() const;
    std::shared_ptr<detail::DatabaseImpl> impl_;
};

} // namespace dao
