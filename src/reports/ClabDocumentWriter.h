#pragma once

#include "reports/ClabCodes.h"
#include "reports/ClabSettings.h"
#include "reports/ClabStore.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What the document needs besides the batches.
struct ClabDocumentSettings {
    QString lab;        // the laboratory code as typed ("052"); ids carry it unchanged
    QDate workingDate;  // its year goes into ids and document numbers
    QString station;    // the remote-station code
    ClabCodeSet codes;  // test types, method and direction
    QString schemaHost; // the address the document's namespace begins with
};

// The central laboratory's XML document. Each element kind is streamed to a
// part file of its own while the batches are written, so that memory holds
// one batch at a time; Finish joins the heading, the part files in their
// fixed order and the closing tag into the chosen file. The document is
// UTF-8 without a byte-order mark, every value escaped, so it is well formed
// whatever the data holds; lines end with CR LF.
class ClabDocumentWriter
{
public:
    static inline const QString PartFolder = QStringLiteral("C:\\MervaskLab\\Eksport\\");
    // In the order the document joins them.
    static inline const std::array<QString, 6> PartNames = {
        QStringLiteral("TmpLiniaP.txt"),  QStringLiteral("TmpLcPr1.txt"),
        QStringLiteral("TmpLcPole1.txt"), QStringLiteral("TmpLcBad1.txt"),
        QStringLiteral("TmpLcBad2.txt"),  QStringLiteral("TmpLcWynik1.txt")};

    // Called after each sample with the number written so far in the run.
    using Progress = std::function<void(int samplesWritten)>;

    // Checks the laboratory code first (error 13 when it is no whole
    // number), then makes the six part files anew (75 when it cannot).
    ClabDocumentWriter(ClabDocumentSettings settings, ClabCodes::Warning warn);
    ~ClabDocumentWriter();
    ClabDocumentWriter(const ClabDocumentWriter &) = delete;
    ClabDocumentWriter &operator=(const ClabDocumentWriter &) = delete;

    void WriteBatch(const ClabBatch &batch, const std::optional<ClabClient> &client,
                    const Progress &progress = {});
    // Closes the part files and writes the document to a real path: into a
    // temporary file first, renamed into place when complete, so that a
    // failure leaves an earlier file of that name as it was.
    void Finish(const QString &realPath);

    int SamplesWritten() const { return written_; }
    // Samples whose result value came out empty.
    int EmptyResults() const { return emptyResults_; }

    // The laboratory code as a whole number ("052" -> "52"); error 13 for a
    // text that is no whole number.
    static QString LabNumber(const QString &lab);

private:
    // Called after each element written into a part's buffer.
    void Emitted(int part);
    void FlushPart(int part);

    ClabDocumentSettings settings_;
    ClabCodes::Warning warn_;
    QByteArray labNumber_;
    QByteArray yy_;
    QByteArray yyyy_;
    std::array<std::unique_ptr<QFile>, 6> files_;
    std::array<std::string, 6> buffers_;
    int written_ = 0;
    int emptyResults_ = 0;
};
