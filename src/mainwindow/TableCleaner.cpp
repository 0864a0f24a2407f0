#include "mainwindow/TableCleaner.h"

#include "foundation/RecordsetProcedures.h"
#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

bool TableCleaner::Empty(dao::Database db, const QString &table)
{
    const QString query = QStringLiteral("SELECT * FROM ") + table;
    {
        // All rows or none: an interruption leaves no half-emptied table.
        dao::Transaction transaction(db, dao::Transaction::Immediate);
        dao::Recordset rs = db.OpenRecordset(query);
        DeleteAllRecords(rs);
        rs.Close();
        transaction.Commit();
    }
    dao::Recordset rest = db.OpenRecordset(query);
    const bool remaining = rest.RecordCount() > 0;
    rest.Close();
    return !remaining;
}
