#pragma once

#include "reports/ClabStore.h"

#include <QString>

// The check before an export: every sample of the chosen batches must have
// one of the two results the central laboratory accepts. Samples without a
// result and samples with any other result are listed in two report files
// (Windows-1250, CR LF), both made anew at every check and closed before the
// caller tells the user about them.
class ClabPrecheck
{
public:
    static inline const QString MissingReport =
        QStringLiteral("C:\\MervaskLab\\Eksport\\WynikBrakMervaskLab.txt");
    static inline const QString DoubtfulReport =
        QStringLiteral("C:\\MervaskLab\\Eksport\\WynikWatpliwyMervaskLab.txt");

    struct Counts {
        int batches = 0;
        int total = 0;
        int missing = 0;
        int doubtful = 0;
        bool Passed() const { return batches > 0 && missing == 0 && doubtful == 0; }
    };

    // Makes both reports anew, then opens the choice in the store and checks
    // it, so that a choice that cannot be opened leaves no report of an
    // earlier check behind. Engine and file errors go to the caller; the
    // reports are closed either way.
    static Counts Run(ClabStore &store, const QString &batchChoice, const QDate &from,
                      const QDate &to);

    static bool IsAccepted(const QString &wynik);
};
