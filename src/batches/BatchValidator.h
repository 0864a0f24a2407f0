#pragma once

#include "batches/BatchFrameValues.h"
#include "batches/ClientLookup.h"
#include "foundation/BatchHeading.h"
#include "foundation/Refusal.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

// The checks of the batch save, in their fixed order. Each returns the first
// fault found, or nothing when the frame passes.
class BatchValidator
{
public:
    // Looks the owner up in the client register (check 2).
    using EstablishmentCheck = std::function<ClientLookup::Outcome(const QString &identifier)>;

    // Checks 1 to 15: the frame's required fields, the owner's registration,
    // the batch number and the order of the test dates. The lookup runs only
    // once the batch number is present.
    static std::optional<Refusal> CheckFrame(const BatchFrameValues &values,
                                             const EstablishmentCheck &establishment);

    // The pick lists' texts fit their columns: an entry picked or completed
    // whole may be longer than the operator can type. Checked after checks 16
    // to 18, just before the write that such a text would fail.
    static std::optional<Refusal> CheckListLengths(const BatchFrameValues &values);

    // Checks 16 to 18: the optional dates, when given, must be dates.
    static std::optional<Refusal> CheckOptionalDates(const BatchFrameValues &values);

    // The refusal of a number that another batch already carries.
    static Refusal DuplicateNumber(BatchNumber number);

    // The batch number of a text: optional blanks around an optional sign and
    // digits, within the 16-bit range the number has always been kept in.
    static std::optional<BatchNumber> NumberOf(const QString &text);

    // The day a "dd.mm.yyyy" text denotes, when it is one.
    static std::optional<QDate> DateOf(const QString &text);
};
