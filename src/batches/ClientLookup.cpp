#include "batches/ClientLookup.h"

#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "platform/db/Fields.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"

QString ClientLookup::Field(const QString &name) const
{
    return fields_.value(name.toLower());
}

ClientLookup ClientLookup::Find(dao::Database db, const QString &table, const QString &keyField,
                                const QString &key)
{
    ClientLookup result;
    dao::Recordset rs = db.OpenRecordset(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = %3").arg(table, keyField, dao::SqlText(key)));
    if (rs.RecordCount() > 0) {
        result.outcome = Outcome::Found;
        const dao::Fields fields = rs.Fields();
        for (int i = 0; i < fields.Count(); ++i) {
            const dao::Field field = fields(i);
            result.fields_.insert(field.Name().toLower(),
                                  ValueText(NullToDefault(field.Value(), QString())));
        }
    }
    rs.Close();
    if (result.outcome == Outcome::Found)
        return result;
    // Only a table without any row counts as empty.
    dao::Recordset all = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table);
    result.outcome = all.RecordCount() > 0 ? Outcome::NotFound : Outcome::TableEmpty;
    all.Close();
    return result;
}

ClientLookup ClientLookup::Client(const QString &identifier)
{
    return Find(StaleDb, QStringLiteral("ZAKLAD"), QStringLiteral("IdRzezni"), identifier);
}

ClientLookup ClientLookup::County(const QString &code)
{
    return Find(StaleDb, QStringLiteral("PIW"), QStringLiteral("IDPIW"), code);
}
