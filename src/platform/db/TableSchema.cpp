#include "TableSchema.h"

#include "ColumnType.h"
#include "Connection.h"
#include "RowIdentity.h"

namespace dao::detail
{

std::optional<QString> TableSchema::TableName(Connection &connection, const QString &name)
{
    Statement statement =
        connection.Prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                          "name = ?1 COLLATE NOCASE AND name <> ?2 COLLATE NOCASE"),
                           SqlContext::Schema);
    statement.Bind(1, name);
    statement.Bind(2, RowIdentity::MarksTable());
    if (!statement.Step())
        return std::nullopt;
    return statement.Text(0);
}

QStringList TableSchema::TableNames(Connection &connection)
{
    // The engine's own tables are no table of the caller's.
    Statement statement = connection.Prepare(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                       "substr(name, 1, 7) <> 'sqlite_' AND name <> ?1 COLLATE NOCASE "
                       "ORDER BY name COLLATE NOCASE"),
        SqlContext::Schema);
    statement.Bind(1, RowIdentity::MarksTable());
    QStringList names;
    while (statement.Step())
        names << statement.Text(0);
    return names;
}

QVector<FieldDef> TableSchema::Columns(Connection &connection, const QString &table)
{
    QString createSql;
    {
        Statement statement = connection.Prepare(
            QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?1"),
            SqlContext::Schema);
        statement.Bind(1, table);
        if (statement.Step())
            createSql = statement.Text(0);
    }
    Statement statement = connection.Prepare(
        QStringLiteral("SELECT name, type, dflt_value IS NOT NULL FROM pragma_table_info(?1)"),
        SqlContext::Schema);
    statement.Bind(1, table);
    QVector<FieldDef> columns;
    while (statement.Step()) {
        const QString name = statement.Text(0);
        FieldDef field = ColumnType::Parse(name, statement.Text(1)).value_or(FieldDef{});
        if (field.name.isEmpty()) {
            // A column without a type we know holds whatever was put there.
            field.name = name;
            field.type = dbMemo;
            field.appended = true;
        }
        field.hasDefault = statement.Int64(2) != 0;
        field.allowZeroLength =
            !ColumnType::IsText(field.type) ||
            !createSql.contains(ColumnType::ZeroLengthCheck(name), Qt::CaseInsensitive);
        columns.push_back(field);
    }
    return columns;
}

} // namespace dao::detail
