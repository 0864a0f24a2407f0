#include "foundation/RecordsetProcedures.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordWrite.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/SqlText.h"
#include "platform/db/Transaction.h"
#include "platform/ui/MsgBox.h"

#include <QLabel>

namespace
{

// True when a row of the query meets the criteria. Errors go to the caller.
bool AnyRowMatches(dao::Database db, const QString &query, const QString &criteria)
{
    dao::Recordset rs = db.OpenRecordset(query);
    bool found = false;
    if (rs.RecordCount() > 0) {
        rs.FindFirst(criteria);
        found = !rs.NoMatch();
    }
    rs.Close();
    return found;
}

} // namespace

QString FieldText(const dao::Recordset &rs, const QString &field)
{
    return ValueText(NullToDefault(rs(field).Value(), QString()));
}

dao::Recordset OnlyRow(dao::Database db, const QString &query)
{
    dao::Recordset rs = db.OpenRecordset(query);
    if (rs.RecordCount() == 1) {
        rs.MoveFirst();
        return rs;
    }
    rs.Close();
    return {};
}

void TouchTable(dao::Database db, const QString &table)
{
    try {
        dao::Recordset rs = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
        if (rs.RecordCount() > 0) {
            rs.MoveLast();
            rs.MoveFirst();
            while (!rs.EOF())
                rs.MoveNext();
        }
        rs.Close();
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Drukowanie-generu sztuczny ruch: ") + table, error);
    }
}

void TouchTables(dao::Database db, std::initializer_list<const char *> tables)
{
    // The read starts with the first table and ends after the last: a read
    // that cannot start or end is reported under the table it was at.
    const char *at = tables.size() > 0 ? *tables.begin() : "";
    try {
        dao::Transaction reading(db);
        for (const char *table : tables) {
            at = table;
            TouchTable(db, QLatin1String(table));
        }
        reading.Commit();
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Drukowanie-generu sztuczny ruch: ") + QLatin1String(at), error);
    }
}

bool ConfirmDelete(const QString &question, const QString &caption)
{
    return ui::MsgBox(question, ui::vbYesNo + ui::vbExclamation + ui::vbDefaultButton2, caption) !=
           ui::vbNo;
}

bool LockedElsewhere(const RuntimeError &error)
{
    const auto *engine = dynamic_cast<const dao::Error *>(&error);
    return engine && engine->Number() == dao::err::Locked && engine->BeforeAnyWrite();
}

bool DeleteCurrentRecord(dao::Recordset &rs, const QString &question, bool ask,
                         const QString &caption)
{
    if (rs.RecordCount() == 0)
        return true;
    if (ask && !ConfirmDelete(question, caption))
        return false;
    DeleteShownRow(rs);
    return true;
}

void DeleteAllRecords(dao::Recordset &rs)
{
    if (rs.RecordCount() == 0)
        return;
    rs.MoveLast();
    rs.MoveFirst();
    while (!rs.EOF()) {
        rs.Delete();
        // Once the last row is gone there is nothing left to move to.
        if (rs.RecordCount() == 0)
            break;
        if (!rs.EOF())
            rs.MoveNext();
    }
}

bool SprCzyIst(dao::Database db, const QString &table, const QString &field, const QString &value)
{
    try {
        return AnyRowMatches(db, QStringLiteral("SELECT * FROM ") + table + " ORDER BY " + field,
                             field + " = " + dao::SqlText(value));
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Funkcja SprCzyIst") + table, error);
        return false;
    }
}

bool DailyNumberExists(qint16 dailyNumber, const QString &date)
{
    try {
        return AnyRowMatches(MonthDb,
                             QStringLiteral("SELECT * FROM Badanie WHERE DataDoLab =  DateValue(") +
                                 dao::SqlText(date) + ") ORDER BY DataDoLab,NrDzien",
                             QStringLiteral("NrDzien =") + QString::number(dailyNumber));
    } catch (const RuntimeError &) {
        return false;
    }
}

bool GeneralNumberExists(qint32 generalNumber)
{
    try {
        return AnyRowMatches(MonthDb, QStringLiteral("SELECT * FROM Badanie ORDER BY NrOgolny"),
                             QStringLiteral("NrOgolny =") + QString::number(generalNumber));
    } catch (const RuntimeError &) {
        return false;
    }
}

void LookupFieldValue(QLabel *label, dao::Database db, const QString &table,
                      const QString &keyValue, const QString &keyField, const QString &resultField)
{
    try {
        dao::Recordset rs =
            db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table + " WHERE " + keyField +
                             " = " + dao::SqlText(keyValue) + " ORDER BY " + keyField);
        if (rs.RecordCount() > 0) {
            const QVariant result = rs(resultField).Value();
            if (!dao::IsNull(result))
                label->setText(ValueText(result));
        }
        rs.Close();
    } catch (const RuntimeError &error) {
        ShowError(QStringLiteral("Nie mogę pobrać danych z Combo: "), error);
    }
}
