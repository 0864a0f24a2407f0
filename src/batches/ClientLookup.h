#pragma once

#include "platform/db/Database.h"

#include <QHash>
#include <QString>

// Finds one row of a dictionary of StaleDb by its text key (the client
// register Zaklad by IdRzezni, the inspectorates PIW by IDPIW), as the batch
// window's checks, name labels and header import need it. Keys are compared
// without regard to case and reach the statement quoted.
class ClientLookup
{
public:
    enum class Outcome { TableEmpty, NotFound, Found };

    Outcome outcome = Outcome::TableEmpty;

    // A field of the row found as text (a date "dd.mm.yyyy"); "" for Null, an
    // unknown field or no row.
    QString Field(const QString &name) const;

    bool Found() const { return outcome == Outcome::Found; }

    // The first row of the table whose key field equals the key. Errors go to
    // the caller.
    static ClientLookup Find(dao::Database db, const QString &table, const QString &keyField,
                             const QString &key);

    // The client whose IdRzezni is the identifier.
    static ClientLookup Client(const QString &identifier);
    // The county inspectorate of a 4-digit code.
    static ClientLookup County(const QString &code);

private:
    QHash<QString, QString> fields_; // keyed by lower-case field name
};
