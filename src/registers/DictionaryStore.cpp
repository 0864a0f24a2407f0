#include "registers/DictionaryStore.h"

#include "foundation/Schema.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "platform/ui/MsgBox.h"

#include <QRegularExpression>

#include <cmath>

bool DictionaryStore::IsNumeric(const QString &text)
{
    static const QRegularExpression numeric(QStringLiteral(
        "^[ \\t]*[+-]?[ \\t]*([0-9]+([.,][0-9]*)?|[.,][0-9]+)([eEdD][+-]?[0-9]+)?[ \\t]*$"));
    return numeric.match(text).hasMatch();
}

namespace
{

double numberOf(const QString &text)
{
    QString plain = TrimBlanks(text).trimmed();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    plain.replace(QLatin1Char('d'), QLatin1Char('e'));
    plain.replace(QLatin1Char('D'), QLatin1Char('e'));
    plain.remove(QLatin1Char(' '));
    plain.remove(QLatin1Char('\t'));
    return plain.toDouble();
}

} // namespace

std::optional<QString> DictionaryStore::ByteNumberFault(const QString &text,
                                                        const QString &emptyText)
{
    if (TrimBlanks(text).isEmpty())
        return emptyText;
    if (!IsNumeric(text))
        return NotANumberText;
    const double number = numberOf(text);
    if (number != std::floor(number) || number < 0 || number > 255)
        return NumberRangeText;
    return std::nullopt;
}

int DictionaryStore::ByteNumber(const QString &text)
{
    return int(numberOf(text));
}

qint64 DictionaryStore::NextNumber(dao::Database db, const QString &table, const QString &field)
{
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table +
                                         QStringLiteral(" ORDER BY ") + field);
    qint64 highest = 0;
    if (rs.RecordCount() > 0) {
        rs.MoveLast();
        // Nulls sort first: the last row holds the highest number, if any.
        const dao::Variant value = rs(field).Value();
        if (!dao::IsNull(value))
            highest = value.toLongLong();
    }
    rs.Close();
    return highest + 1;
}

bool DictionaryStore::KeyTaken(dao::Database db, const QString &table, const QString &field,
                               const QString &key)
{
    dao::Recordset rs =
        db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") +
                         field + QStringLiteral(" = ") + dao::SqlText(key));
    const bool taken = rs.RecordCount() > 0;
    rs.Close();
    return taken;
}

int DictionaryStore::ColumnWidth(const QString &table, const QString &field)
{
    const TableSpec *columns = Schema::Table(Schema::Stale, table);
    const FieldSpec *column = columns ? columns->Field(field) : nullptr;
    return column && column->type == dao::dbText ? column->size : 0;
}

std::optional<Refusal> DictionaryStore::TooLong(const QString &text, const QString &table,
                                                const QString &field, const QString &caption,
                                                const QString &focus)
{
    const int width = ColumnWidth(table, field);
    if (width == 0 || text.size() <= width)
        return std::nullopt;
    return Refusal{QStringLiteral("Tekst w polu %1 jest za długi! Dopuszczalna długość: "
                                  "%2. Popraw!")
                       .arg(caption)
                       .arg(width),
                   ui::vbInformation, QStringLiteral("INFORMACJA"), focus};
}

QString DictionaryStore::PrefixCriterion(const QString &field, const QString &text)
{
    return field + QStringLiteral(" LIKE ") + dao::SqlLikePrefix(TrimBlanks(text));
}

std::optional<Refusal> DictionaryStore::Save(dao::Database db,
                                             const std::function<std::optional<Refusal>()> &check,
                                             const std::function<void()> &write)
{
    dao::Transaction transaction(db, dao::Transaction::Immediate);
    if (std::optional<Refusal> fault = check())
        return fault;
    write();
    transaction.Commit();
    return std::nullopt;
}

QString DictionaryStore::ListStatement(const QString &table, const QString &orderField)
{
    return QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY ") + orderField;
}

void DictionaryStore::DeleteListed(dao::Recordset &list)
{
    list.Delete();
}

dao::Recordset DictionaryStore::OpenList(dao::Database db, const QString &statement)
{
    return db.OpenRecordset(statement);
}

namespace
{

// A register's row written through a record set of its table, when the list
// is not open or no longer holds the loaded row.
void writeThroughTable(dao::Database db, const QString &table,
                       const std::optional<LoadedRow> &loaded,
                       const std::function<void(dao::Recordset &)> &fill)
{
    dao::Recordset rs = db.OpenRecordset(table);
    WriteLoadedRow(rs, loaded, fill);
}

} // namespace

void DictionaryStore::WriteRow(dao::Database db, dao::Recordset list, const QString &table,
                               const std::optional<LoadedRow> &loaded,
                               const std::function<void(dao::Recordset &)> &fill)
{
    // A correction goes only over the row as the frame was filled from it,
    // whichever record set stands in for the list.
    if (!list.IsOpen() || (loaded && list.PositionOf(loaded->Bookmark()) < 0)) {
        writeThroughTable(db, table, loaded, fill);
        return;
    }
    const dao::Bookmark written = WriteLoadedRow(list, loaded, fill);
    list.setBookmark(written);
}

std::optional<Refusal>
DictionaryStore::SaveRow(dao::Database db, dao::Recordset list, const QString &table,
                         const std::optional<LoadedRow> &loaded,
                         const std::function<std::optional<Refusal>()> &check,
                         const std::function<void(dao::Recordset &)> &fill)
{
    return Save(db, check, [&] { WriteRow(db, list, table, loaded, fill); });
}
