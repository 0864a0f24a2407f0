#include "batches/ClientLookup.h"

#include "foundation/Globals.h"
#include "foundation/TextProcedures.h"
#include "platform/db/Fields.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "registers/ClientStore.h"

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
    ClientLookup result;
    if (const std::optional<::Client> client = ClientStore::Find(StaleDb, identifier)) {
        result.outcome = Outcome::Found;
        result.fields_ = {{QStringLiteral("idrzezni"), client->IdRzezni},
                          {QStringLiteral("typwni"), client->TypWNI},
                          {QStringLiteral("kodpiw"), client->KodPIW},
                          {QStringLiteral("nazwa"), client->Nazwa},
                          {QStringLiteral("miejscowosc"), client->Miejscowosc},
                          {QStringLiteral("ulica"), client->Ulica},
                          {QStringLiteral("kodpocztowy"), client->KodPocztowy},
                          {QStringLiteral("miasto"), client->Miasto},
                          {QStringLiteral("telefon"), client->Telefon},
                          {QStringLiteral("email"), client->Email},
                          {QStringLiteral("uwagi"), client->Uwagi}};
        return result;
    }
    // Only a register without any client counts as empty.
    result.outcome = ClientStore::IsEmpty(StaleDb) ? Outcome::TableEmpty : Outcome::NotFound;
    return result;
}

ClientLookup ClientLookup::County(const QString &code)
{
    return Find(StaleDb, QStringLiteral("PIW"), QStringLiteral("IDPIW"), code);
}
