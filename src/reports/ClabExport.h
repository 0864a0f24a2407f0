#pragma once

#include "foundation/Refusal.h"
#include "reports/ClabCodes.h"
#include "reports/ClabDocumentWriter.h"
#include "reports/ClabStore.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

// The export of the chosen fair-copy batches to the central laboratory,
// without its window: the proposed file name in the day's export folder, the
// document, the journal line and the packing. What stops an export before a
// file is asked for comes back as a refusal to show; engine and file errors
// go to the caller, and a document that fails is never half written.
class ClabExport
{
public:
    static inline const QString Packer = QStringLiteral("C:\\MervaskLab\\7za.exe");
    static inline const QString UploadPath = QStringLiteral("/serwis/importCelabP.jsp");

    // Where the save dialog starts: the day's folder (made by Prepare) and
    // the proposed name in it; the number of batches the document takes.
    struct Proposal {
        QString path;
        int batches = 0;
    };
    // The run's state at the start of each batch and once at the end
    // (`boundary`), and after each sample written.
    using Progress =
        std::function<void(int batch, const QString &partia, int samplesWritten, bool boundary)>;
    struct Written {
        int samples = 0;
        int emptyResults = 0; // samples whose result value came out empty
    };

    ClabExport(ClabStore &store, ClabDocumentSettings settings);

    // Checks the laboratory code (13 when it is no whole number), opens the
    // choice in the store, refuses a choice without batches and one whose
    // samples need a code the settings lack, then makes the day's folder.
    // Nothing else is made or written.
    std::variant<Refusal, Proposal> Prepare(const QString &batchChoice, const QDate &from,
                                            const QDate &to);
    // Writes the prepared choice's document to the chosen file (a Windows
    // path), appends the journal line under the operator's surname, and
    // starts the packer beside the document when it is installed (75 when
    // it cannot start). The journal is written only once the document is
    // complete in place.
    Written Write(const QString &chosen, const QString &surname, const Progress &progress,
                  const ClabCodes::Warning &warn);

    // "MervaskLab_ZlecenieNr" and the batch for one batch, otherwise
    // "MervaskLab_Od" and "Do" with the period's days as yyyymmdd.
    static QString ProposedName(const QString &batchChoice, const QDate &from, const QDate &to,
                                const QString &firstBatch);
    // The program folder's "Eksport" folder of the working day.
    static QString DayFolder(const QDate &workingDay);
    static QString UploadPage(const QString &uploadHost) { return uploadHost + UploadPath; }

private:
    std::optional<Refusal> refuseMissingCode() const;
    static void Pack(const QString &chosen);

    ClabStore &store_;
    ClabDocumentSettings settings_;
    int batches_ = 0;
};
