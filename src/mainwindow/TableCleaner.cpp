#include "mainwindow/TableCleaner.h"

#include "platform/db/Recordset.h"

bool TableCleaner::Empty(dao::Database db, const QString &table)
{
    const QString query = QStringLiteral("SELECT * FROM ") + table;
    // One statement, all rows or none, in a transaction that takes the write
    // lock first; the engine still marks every deleted row, so no list of any
    // workstation ever reads another row under a bookmark of one of them.
    db.Execute(QStringLiteral("DELETE FROM ") + table);
    // Read again: another workstation may have added rows since.
    dao::Recordset rest = db.OpenRecordset(query);
    const bool remaining = rest.RecordCount() > 0;
    rest.Close();
    return !remaining;
}
