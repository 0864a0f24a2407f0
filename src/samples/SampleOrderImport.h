#pragma once

#include "foundation/BatchHeading.h"
#include "foundation/Refusal.h"

#include "platform/RuntimeError.h"
#include "platform/db/Bookmark.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <QStringList>

#include <optional>

// The sample lines of a batch-order file: every line after the header line
// ("[PartiaMervask]"), each one sample whose fields 1 to 9 fill one Badanie
// row, numbered on from the confirmed daily and general numbers.
class SampleOrderImport
{
public:
    // The lines after the header line; nothing when the file has none.
    static std::optional<QStringList> SampleLines(const QStringList &fileLines);

    // Fields 1 to 9 of a sample line, as texts ("" for a missing field).
    static QStringList Fields(const QString &line);

    struct Outcome {
        int stored = 0;                    // rows written
        int attempted = 0;                 // lines read, the failing one included
        std::optional<Refusal> clash;      // a number of the range taken meanwhile
        std::optional<RuntimeError> error; // the failure at the line after the stored ones
        QString failedSampleId;            // the sample code of the failing line
        std::optional<dao::Bookmark> last; // the last row written
    };

    // Writes the lines into the set in one transaction that holds the month
    // database: the whole range of numbers is checked first, and a failing
    // line ends the import keeping the rows before it.
    static Outcome Run(dao::Recordset &rs, const QStringList &lines, qint64 firstDaily,
                       qint64 firstGeneral, BatchNumber batch, const QDate &deliveryDate);

    // The message of a failed import: text, style and title.
    struct Message {
        QString text;
        int style = 0;
        QString title;
    };
    static Message FailureMessage(const RuntimeError &error, const QString &sampleId);
};
