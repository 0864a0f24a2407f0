#include "reports/ClabPrecheck.h"

#include "foundation/ResultWords.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/TextStream.h"

#include <QDir>
#include <QFileInfo>

bool ClabPrecheck::IsAccepted(const QString &wynik)
{
    return wynik == ResultWords::NotFound || wynik == ResultWords::Found;
}

ClabPrecheck::Counts ClabPrecheck::Run(ClabStore &store, const QString &batchChoice,
                                       const QDate &from, const QDate &to)
{
    const QString missingPath = fs::DriveMap::ToReal(MissingReport);
    // A fresh installation may lack the export folder.
    QDir().mkpath(QFileInfo(missingPath).absolutePath());
    fs::TextStream missing(missingPath, fs::TextStream::Mode::Create);
    fs::TextStream doubtful(fs::DriveMap::ToReal(DoubtfulReport), fs::TextStream::Mode::Create);
    store.OpenForCheck(batchChoice, from, to);
    Counts counts;
    counts.batches = store.BatchCount();
    counts.total = store.SampleCount();
    for (int b = 0; b < counts.batches; ++b) {
        const ClabBatch batch = store.Results(b);
        const QString head =
            QStringLiteral("Partia: ") + batch.partia + QStringLiteral(", Próbka nr: ");
        for (const ClabSample &sample : batch.samples) {
            if (sample.wynik.isEmpty()) {
                ++counts.missing;
                missing.WriteLine(head + sample.idProbki);
            } else if (!IsAccepted(sample.wynik)) {
                ++counts.doubtful;
                doubtful.WriteLine(head + sample.idProbki + QStringLiteral(", Wynik: ") +
                                   sample.wynik);
            }
        }
    }
    missing.Close();
    doubtful.Close();
    return counts;
}
