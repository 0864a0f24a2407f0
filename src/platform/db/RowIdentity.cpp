#include "RowIdentity.h"

#include "ColumnType.h"
#include "Connection.h"
#include "platform/RuntimeError.h"

namespace dao::detail
{

namespace
{

QString literal(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString triggerName(const char *kind, const QString &table)
{
    return ColumnType::Quote(RowIdentity::MarksTable() + QLatin1String(kind) + table);
}

QString markOf(const QString &table)
{
    return QStringLiteral("(SELECT mark FROM %1 WHERE tbl = %2)")
        .arg(RowIdentity::MarksTable(), literal(table));
}

} // namespace

const QString &RowIdentity::MarksTable()
{
    static const QString name = QStringLiteral("MSysRowidMarks");
    return name;
}

QString RowIdentity::NextRowid(const QString &table)
{
    return QStringLiteral("(SELECT max(ifnull((SELECT max(rowid) FROM %1), 0), ifnull(%2, 0)) + 1)")
        .arg(ColumnType::Quote(table), markOf(table));
}

bool RowIdentity::Keep(Connection &connection, const QString &table)
{
    const qint64 version = connection.SchemaVersion();
    if (connection.RowidsKept(table, version))
        return true;
    const QString quoted = ColumnType::Quote(table);
    const QString onDelete = triggerName("Deleted_", table);
    const QString onInsert = triggerName("Inserted_", table);
    {
        Statement present = connection.Prepare(
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND "
                           "tbl_name = ?1 AND name IN (?2, ?3)"),
            SqlContext::Schema);
        present.Bind(1, table);
        present.Bind(2, MarksTable() + QLatin1String("Deleted_") + table);
        present.Bind(3, MarksTable() + QLatin1String("Inserted_") + table);
        if (present.Step() && present.Int64(0) == 2) {
            connection.KeepRowidsNoted(table, version);
            return true;
        }
    }
    // Each statement stands alone, and another workstation doing the same
    // at once finds the work done.
    const QStringList statements{
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (tbl TEXT PRIMARY KEY COLLATE NOCASE, "
                       "mark INTEGER NOT NULL)")
            .arg(MarksTable()),
        // After a delete the table holds no rowid above the deleted row's when
        // that row was the highest.
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 AFTER DELETE ON %2 "
                       "WHEN OLD.rowid > ifnull((SELECT max(rowid) FROM %2), 0) "
                       "AND OLD.rowid > ifnull(%3, 0) BEGIN "
                       "INSERT INTO %4 (tbl, mark) VALUES (%5, OLD.rowid) "
                       "ON CONFLICT (tbl) DO UPDATE SET mark = excluded.mark; END")
            .arg(onDelete, quoted, markOf(table), MarksTable(), literal(table)),
        QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 AFTER INSERT ON %2 "
                       "WHEN NEW.rowid <= ifnull(%3, 0) BEGIN "
                       "UPDATE %2 SET rowid = %4 WHERE rowid = NEW.rowid; END")
            .arg(onInsert, quoted, markOf(table), NextRowid(table)),
    };
    try {
        for (const QString &statement : statements)
            connection.Run(statement, SqlContext::Schema, table);
    } catch (const RuntimeError &) {
        return false;
    }
    connection.KeepRowidsNoted(table, connection.SchemaVersion());
    return true;
}

} // namespace dao::detail
