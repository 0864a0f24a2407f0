#pragma once

#include "Database.h"

#include <QString>

namespace dao
{

// The rows of one table that go into the table of the same name in another
// database.
struct SelectionCopy {
    QString table;
    // The WHERE condition over the source table and the ORDER BY of the copy,
    // written by the program, never a typed text. An empty order keeps the
    // table's order; rows that tie keep it too.
    QString condition;
    QString orderBy;
    // Only the fields the target table has too are copied; otherwise a source
    // field that the target lacks fails the copy (3265) when it holds a value.
    bool sharedFieldsOnly = false;
};

// The file of `source` attached to the connection of `target` while this
// object lives, so that one statement of the target reads it. Create it
// outside the target's transactions and let them end before it goes: SQLite
// detaches a file only when no transaction of the connection holds it.
class AttachedDatabase
{
public:
    AttachedDatabase(Database target, Database source);
    ~AttachedDatabase();
    AttachedDatabase(const AttachedDatabase &) = delete;
    AttachedDatabase &operator=(const AttachedDatabase &) = delete;

    // Copies the selected rows into the target table in one INSERT ... SELECT
    // inside one transaction of the target, field by field by name, with the
    // values and errors of a copy through two recordsets: a Null leaves the
    // target field at its default, a value that its target field cannot take
    // raises the field's error (3163 too long, 6 out of range, 3421) and
    // nothing is copied. Returns the number of rows copied.
    int CopyRows(const SelectionCopy &copy);

private:
    int copyByRecordsets(const SelectionCopy &copy);

    Database target_;
    Database source_;
    QString alias_;
};

} // namespace dao
