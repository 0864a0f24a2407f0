#pragma once

#include "platform/db/Database.h"

#include <QString>

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
    // The stored row, Null as ""; the defaults when there is none. An empty
    // service-test code takes its default, so that service batches never go
    // out without a test type.
    static ClabCodeSet Load(dao::Database stale, const QString &key);
    // Adds or corrects the row of the key. Errors go to the caller.
    static void Save(dao::Database stale, const QString &key, const ClabCodeSet &codes);
};
