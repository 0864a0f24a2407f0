#pragma once

#include "foundation/BatchHeading.h"
#include "foundation/RecordWrite.h"
#include "foundation/Refusal.h"
#include "samples/SampleFrameValues.h"
#include "samples/SampleValidator.h"

#include "platform/db/Bookmark.h"
#include "platform/db/Database.h"
#include "platform/db/Recordset.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>
#include <variant>

// The samples (Badanie) of one batch: reading the batch they belong to, the
// save with its checks and the batch-wide fill-ins. A sample is deleted
// through the window's list, which compares it with what it showed. Errors of
// the database go to the caller.
class SampleStore
{
public:
    // The batch's samples in carcass order, as the sample window lists them.
    static QString BatchSource(BatchNumber batch);
    static dao::Recordset OpenBatch(dao::Database db, BatchNumber batch);

    // What the proposals of a new sample take from the batch row.
    struct BatchFacts {
        QString wni;
        std::optional<QDate> samplingDate;
    };
    static BatchFacts Batch(dao::Database db, BatchNumber batch);

    // The delivery day of a sample window's heading; 3421 when the batch has
    // none.
    static QDate DeliveryDay(const QDate &day);

    // The whole sample code, IDProbki: owner, number and date parts joined.
    static QString SampleId(const QVariant &wni, const QVariant &number, const QVariant &date);

    // Where the save writes: the batch and delivery date as the window's
    // heading shows them.
    struct Target {
        BatchNumber batch = 0; // the batch of the window's heading
        QDate deliveryDate;    // the batch's delivery date
    };

    // Runs the checks of the save and writes the row through the list `rs`,
    // in one transaction that holds the month database against the other
    // workstations, so that no two samples get one number: a new sample when
    // `loaded` is std::nullopt, else the loaded row while it still holds what
    // the frame was filled from (3197 changed, 3167 gone). Its numbers as
    // loaded are no duplicates of themselves. Gives the refusal, or the row
    // written.
    static std::variant<Refusal, dao::Bookmark> Save(dao::Recordset &rs,
                                                     const SampleFrameValues &values,
                                                     const std::optional<LoadedRow> &loaded,
                                                     const Target &target);

    // Deletes the current sample of `list`, the window's list, through the
    // list itself, which deletes it only while it still holds what the list
    // read of it (3197 changed, 3167 deleted meanwhile); nothing else goes
    // with it.
    static void DeleteListed(dao::Recordset &list);

    // The current row of `rs` as the frame shows it.
    static SampleFrameValues Values(const dao::Recordset &rs);

    // Sets the fields of the row being added or edited, in the frame's order.
    static void SetFields(dao::Recordset &rs, const SampleFrameValues &values,
                          const Target &target);

    // The carcass number the save stores and checks: the whole number the
    // box holds. Any other text (a fraction, a decimal point or exponent,
    // a tab) would be rounded or read another way by its field, so it is
    // refused with "Nr tuszy" named: 3421, or 6 beyond the field's range.
    static qint16 CarcassNumber(const QString &text);

    // Sets one field of the row; a text too long for its column (3163) is
    // refused with the field named as the sample frame calls it.
    static void SetField(dao::Recordset &rs, const QString &column, const QVariant &value);

    // Every sample of the set gets the description; the last row written is
    // returned (none for an empty set).
    static std::optional<dao::Bookmark> FillDescription(dao::Recordset &rs, const QString &text);

    // Every sample gets the negative result; a withdrawn one
    // only when `replaceWithdrawn` says so for its general number.
    static std::optional<dao::Bookmark>
    FillNegative(dao::Recordset &rs,
                 const std::function<bool(const QString &general)> &replaceWithdrawn);
};
