#pragma once

#include "foundation/RecordWrite.h"
#include "platform/db/Database.h"

#include <QString>

#include <optional>

// The central laboratory's codes of the laboratory's test types, test method
// and test direction, with their descriptions, kept in one row of the CLab
// table of Stale.mdb under a key.
struct ClabCodeSet {
    QString typBad1, opisTypBad1;       // official tests (payer "Z")
    QString typBad2, opisTypBad2;       // service tests
    QString cmetoda1, opisCMetoda1;     // method
    QString ckierunek1, opisCKierunek1; // direction

    bool operator==(const ClabCodeSet &) const = default;
};

class ClabSettings
{
public:
    static constexpr int CodeLength = 10;
    static constexpr int DescriptionLength = 100;

    // The codes a laboratory starts with.
    static ClabCodeSet Defaults();
    // The row of the key as it is stored: its codes, Null and columns the
    // table lacks as "", and the row they were read from; nothing when there
    // is no row.
    struct StoredCodes {
        ClabCodeSet codes;
        LoadedRow row;
    };
    static std::optional<StoredCodes> Stored(dao::Database stale, const QString &key);
    // What the frame shows for a stored row: the row, or the defaults when
    // there is none. An empty service-test code takes its default, so that
    // service batches never go out without a test type.
    static ClabCodeSet Shown(const std::optional<StoredCodes> &stored);
    static ClabCodeSet Load(dao::Database stale, const QString &key)
    {
        return Shown(Stored(stale, key));
    }
    // Adds or corrects the row of the key, provided it still holds what was
    // read (`loaded`, as Stored gave it, nothing when there was no row;
    // EditAsLoaded): otherwise 3197 (changed or added meanwhile) or 3167
    // (deleted meanwhile), and nothing is written. Returns the row as
    // written, for the next save to be held against. Errors go to the caller.
    static LoadedRow Save(dao::Database stale, const QString &key,
                          const std::optional<LoadedRow> &loaded, const ClabCodeSet &codes);

    // The codes an export writes, each with the frame's box that holds it.
    enum class Code { TypBad1, TypBad2, Cmetoda1, Ckierunek1 };
    // The first code the export of official and/or service samples needs
    // that is empty or blank; nothing when all it needs are there.
    static std::optional<Code> MissingCode(const ClabCodeSet &codes, bool official, bool service);
};
