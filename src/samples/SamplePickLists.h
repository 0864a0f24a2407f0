#pragma once

#include "platform/db/Database.h"

#include <QString>
#include <QStringList>

// The pick lists of the sample window, read from the dictionaries: tissues,
// sample descriptions, remark hints, and the sexes of a species. Errors go to
// the caller.
class SamplePickLists
{
public:
    // Each appends its entries to `items`; what was read before an error
    // stays there.
    // Tkanka by name.
    static void Tissues(dao::Database db, QStringList &items);
    // OpisProbki as stored.
    static void Descriptions(dao::Database db, QStringList &items);
    // UwagiProbka in hint order.
    static void RemarkHints(dao::Database db, QStringList &items);

    // IDGatunek of the species of that name, as text; "" when none has it.
    static QString SpeciesId(dao::Database db, const QString &name);

    // The sexes of a species: the table clause the list filler takes, and
    // whether it gives any row.
    static QString SexesSource(qint64 species);
    static bool HasSexes(dao::Database db, qint64 species);
};
