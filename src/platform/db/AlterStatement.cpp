#include "AlterStatement.h"

#include "ColumnType.h"

#include <QRegularExpression>

namespace dao::detail
{

AlterStatement AlterStatement::Translate(const QString &statement)
{
    static const QRegularExpression alter(
        QStringLiteral(R"(^\s*alter\s+table\s+(\[[^\]]+\]|"[^"]+"|\S+)\s+(.*?)\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression addColumn(
        QStringLiteral(R"(^add\s+(?:column\s+)?(\[[^\]]+\]|"[^"]+"|\S+)\s+(.+)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression ddl(QStringLiteral(R"(^\s*(create|drop|alter)\b)"),
                                        QRegularExpression::CaseInsensitiveOption);

    AlterStatement result;
    result.sql = statement.trimmed();
    while (result.sql.endsWith(QLatin1Char(';')))
        result.sql = result.sql.chopped(1).trimmed();
    result.schemaChange = ddl.match(statement).hasMatch();

    const auto m = alter.match(statement);
    if (!m.hasMatch())
        return result;
    QString table = m.captured(1);
    if (table.startsWith(QLatin1Char('[')) || table.startsWith(QLatin1Char('"')))
        table = table.mid(1, table.size() - 2);
    result.table = table;

    const auto add = addColumn.match(m.captured(2));
    if (!add.hasMatch())
        return result;
    QString column = add.captured(1);
    if (column.startsWith(QLatin1Char('[')) || column.startsWith(QLatin1Char('"')))
        column = column.mid(1, column.size() - 2);
    auto field = ColumnType::Parse(column, add.captured(2));
    if (!field)
        return result; // SQLite gives its own verdict on a type it does not know
    // A column added by a statement takes empty texts, so that copying values
    // into it (as the column widening does) never fails on one.
    field->allowZeroLength = true;
    result.sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                     .arg(ColumnType::Quote(table), ColumnType::Definition(*field));
    return result;
}

} // namespace dao::detail
