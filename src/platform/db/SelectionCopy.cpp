// The copy of a selection into a table of another database, as one
// INSERT ... SELECT over the attached source file.
#include "SelectionCopy.h"

#include "ColumnType.h"
#include "Connection.h"
#include "DaoError.h"
#include "DatabaseImpl.h"
#include "TableSchema.h"
#include "Transaction.h"
#include "ValueConversion.h"

#include <QFile>

#include <algorithm>
#include <optional>
#include <sqlite3.h>

namespace dao
{

namespace
{

using detail::ColumnType;
using detail::Connection;
using detail::FieldDef;
using detail::SqlContext;
using detail::Statement;
using detail::ValueConversion;

// Each attachment has a name of its own, so that one a failed detach left
// behind never blocks the next.
QString NextAlias()
{
    static int count = 0;
    return QStringLiteral("dao_source_%1").arg(++count);
}

QString FileOf(Connection &connection)
{
    return QFile::decodeName(sqlite3_db_filename(connection.Handle(), "main"));
}

bool IsWhole(DataTypeEnum type)
{
    return type == dbByte || type == dbInteger || type == dbLong;
}

// The condition under which a value of `from` would not arrive in `to` as it
// is: the statement copies a value unchanged, the field assignment converts
// and checks it. Values the layer stored in `from` meet its declaration, so
// only a narrower target needs a look at the values. Empty: never.
QString Fault(const FieldDef &from, const FieldDef &to, bool targetHasDefault)
{
    const QString value = ColumnType::Quote(from.name);
    QStringList faults;
    // An unassigned field takes the column's default, a copied Null does not.
    if (targetHasDefault)
        faults << value + QStringLiteral(" IS NULL");
    if (ColumnType::IsText(from.type) && ColumnType::IsText(to.type)) {
        // The field counts UTF-16 units: one per character, two for the
        // characters that take four bytes in the file. This bound is never
        // below that count.
        if (to.type == dbText && (from.type == dbMemo || from.size > to.size))
            faults << QStringLiteral("length(%1) + (length(CAST(%1 AS BLOB)) - length(%1)) / 3.0 "
                                     "> %2")
                          .arg(value)
                          .arg(to.size);
        if (from.allowZeroLength && !to.allowZeroLength)
            faults << value + QStringLiteral(" = ''");
    } else if (IsWhole(from.type) && IsWhole(to.type)) {
        const auto [low, high] = ValueConversion::RangeOf(to.type);
        const auto [fromLow, fromHigh] = ValueConversion::RangeOf(from.type);
        if (low > fromLow || high < fromHigh)
            faults << QStringLiteral("%1 NOT BETWEEN %2 AND %3").arg(value).arg(low).arg(high);
    } else if (from.type != to.type) {
        // Converted between kinds by the assignment: left to it.
        faults << value + QStringLiteral(" IS NOT NULL");
    }
    return faults.join(QStringLiteral(" OR "));
}

// The statement parts of a copy that one statement can make exactly.
struct Plan {
    QString sourceTable;
    QString targetTable;
    QStringList sourceColumns;
    QStringList targetColumns;
    QStringList faults;
};

std::optional<Plan> PlanOf(Connection &source, Connection &target, const SelectionCopy &copy)
{
    // Writes not yet committed on the source's own connection are not seen
    // through the attached file.
    if (source.TransactionDepth() > 0 || FileOf(source) == FileOf(target))
        return std::nullopt;
    Plan plan;
    const auto sourceTable = source.TableName(copy.table);
    const auto targetTable = target.TableName(copy.table);
    if (!sourceTable || !targetTable)
        return std::nullopt; // the recordsets raise the error
    plan.sourceTable = *sourceTable;
    plan.targetTable = *targetTable;
    const QVector<FieldDef> targetFields = target.Columns(plan.targetTable);
    for (const FieldDef &from : source.Columns(plan.sourceTable)) {
        const auto to =
            std::find_if(targetFields.begin(), targetFields.end(), [&](const FieldDef &field) {
                return field.name.size() == from.name.size() &&
                       field.name.compare(from.name, Qt::CaseInsensitive) == 0;
            });
        if (to == targetFields.end()) {
            if (!copy.sharedFieldsOnly)
                plan.faults << ColumnType::Quote(from.name) + QStringLiteral(" IS NOT NULL");
            continue;
        }
        plan.sourceColumns << ColumnType::Quote(from.name);
        plan.targetColumns << ColumnType::Quote(to->name);
        const QString fault = Fault(from, *to, to->hasDefault);
        if (!fault.isEmpty())
            plan.faults << fault;
    }
    if (plan.sourceColumns.isEmpty())
        return std::nullopt;
    return plan;
}

QString SelectionOf(const Plan &plan, const QString &alias, const SelectionCopy &copy,
                    const QString &columns)
{
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") +
                  ColumnType::Quote(alias) + u'.' + ColumnType::Quote(plan.sourceTable);
    if (!copy.condition.isEmpty())
        sql += QStringLiteral(" WHERE (") + copy.condition + u')';
    return sql;
}

bool AnyFault(Connection &target, const Plan &plan, const QString &alias, const SelectionCopy &copy)
{
    if (plan.faults.isEmpty())
        return false;
    QString sql = SelectionOf(plan, alias, copy, QStringLiteral("1"));
    sql += (copy.condition.isEmpty() ? QStringLiteral(" WHERE (") : QStringLiteral(" AND (")) +
           plan.faults.join(QStringLiteral(") OR (")) + QStringLiteral(") LIMIT 1");
    Statement statement = target.Prepare(sql, SqlContext::Query, {}, false);
    return statement.Step();
}

int Insert(Connection &target, const Plan &plan, const QString &alias, const SelectionCopy &copy)
{
    QString sql = QStringLiteral("INSERT INTO main.") + ColumnType::Quote(plan.targetTable) +
                  QStringLiteral(" (") + plan.targetColumns.join(u',') + QStringLiteral(") ") +
                  SelectionOf(plan, alias, copy, plan.sourceColumns.join(u','));
    // Rows that tie in the order keep the table's order, as in a recordset.
    sql += copy.orderBy.isEmpty()
               ? QStringLiteral(" ORDER BY rowid")
               : QStringLiteral(" ORDER BY ") + copy.orderBy + QStringLiteral(", rowid");
    int rows = 0;
    {
        Statement statement = target.Prepare(sql, SqlContext::Write, plan.targetTable, false);
        statement.Step();
        rows = sqlite3_changes(target.Handle());
    }
    // The new rows move past the table's mark.
    target.SettleRowids();
    target.NotifyWrite(nullptr);
    return rows;
}

} // namespace

AttachedDatabase::AttachedDatabase(Database target, Database source)
    : target_(std::move(target)), source_(std::move(source)), alias_(NextAlias())
{
    Connection &to = target_.impl().connection();
    const QString file = FileOf(source_.impl().connection());
    Statement attach =
        to.Prepare(QStringLiteral("ATTACH DATABASE ?1 AS ") + ColumnType::Quote(alias_),
                   SqlContext::Open, source_.Name(), false);
    attach.Bind(1, file);
    attach.Step();
}

AttachedDatabase::~AttachedDatabase()
{
    if (!target_.IsOpen())
        return;
    try {
        Statement detach = target_.impl().connection().Prepare(QStringLiteral("DETACH DATABASE ") +
                                                                   ColumnType::Quote(alias_),
                                                               SqlContext::Execute, {}, false);
        detach.Step();
    } catch (const Error &) {
        // A transaction still holds the file: it stays attached under its own
        // name until the connection closes.
    }
}

int AttachedDatabase::CopyRows(const SelectionCopy &copy)
{
    Connection &target = target_.impl().connection();
    Transaction transaction(target_);
    const std::optional<Plan> plan = PlanOf(source_.impl().connection(), target, copy);
    int rows = 0;
    if (!plan || AnyFault(target, *plan, alias_, copy)) {
        rows = copyByRecordsets(copy);
    } else {
        try {
            rows = Insert(target, *plan, alias_, copy);
        } catch (const Error &) {
            // The failed statement undid itself; the field assignments tell
            // which error the copy meets, unless the transaction itself broke.
            if (sqlite3_get_autocommit(target.Handle()))
                throw;
            rows = copyByRecordsets(copy);
        }
    }
    transaction.Commit();
    return rows;
}

int AttachedDatabase::copyByRecordsets(const SelectionCopy &copy)
{
    QString sql = QStringLiteral("SELECT * FROM ") + copy.table;
    if (!copy.condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + copy.condition;
    if (!copy.orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + copy.orderBy;
    Recordset source = source_.OpenRecordset(sql);
    Recordset target = target_.OpenRecordset(QStringLiteral("SELECT * FROM ") + copy.table);
    const Fields fields = source.Fields();
    const Fields targetFields = target.Fields();
    int rows = 0;
    for (; !source.EOF(); source.MoveNext()) {
        target.AddNew();
        for (int i = 0; i < fields.Count(); ++i) {
            const Variant value = fields(i).Value();
            if (IsNull(value) ||
                (copy.sharedFieldsOnly && !targetFields.Contains(fields(i).Name())))
                continue;
            target(fields(i).Name()) = value;
        }
        target.Update();
        ++rows;
    }
    source.Close();
    target.Close();
    return rows;
}

} // namespace dao
