// The batch save of FormPartia ("&Zapisz" of the edit frame): the checks, then
// BatchStore's one transaction (the write and the renumbering of the batch's
// children), then the list's repositioning and the hand-over of an imported
// order file.
#include "batches/BatchStore.h"
#include "batches/BatchValidator.h"
#include "batches/ClientLookup.h"
#include "batches/FormPartia.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/db/Transaction.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/WindowRegistry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScopedValueRollback>

void FormPartia::ComZapiszFr_Click()
{
    try {
        if (SaveBatch())
            AfterSave();
    } catch (const RuntimeError &error) {
        SaveFailed(error);
    }
}

bool FormPartia::SaveBatch()
{
    const BatchFrameValues values = FrameValues();
    std::optional<Refusal> fault = BatchValidator::CheckFrame(
        values, [](const QString &identifier) { return ClientLookup::Client(identifier).outcome; });
    if (!fault)
        fault = WriteBatch(values);
    if (fault) {
        ShowFault(*fault);
        return false;
    }
    return true;
}

// The refusals of this stage are returned, not shown, so that no box stands
// open while the month database is locked for the other workstations.
std::optional<Refusal> FormPartia::WriteBatch(const BatchFrameValues &values)
{
    try {
        dao::Recordset batches = Batches();
        const auto result = BatchStore::Save(batches, values, edit_.Target());
        if (const auto *fault = std::get_if<Refusal>(&result))
            return *fault;
        writtenRow_ = std::get<dao::Bookmark>(result);
        return std::nullopt;
    } catch (const RuntimeError &error) {
        // Rolled back by now: the list must not show what was not kept. A
        // save refused before it wrote left the list as it was.
        if (!LockedElsewhere(error))
            RereadList();
        throw;
    }
}

void FormPartia::RereadList()
{
    try {
        dao::Recordset batches = Batches();
        if (!batches.IsOpen())
            return;
        const bool hasRow = batches.AbsolutePosition() >= 0;
        const dao::Bookmark current = hasRow ? batches.Bookmark() : dao::Bookmark();
        batches.Requery();
        if (hasRow && batches.PositionOf(current) >= 0)
            batches.setBookmark(current);
    } catch (const RuntimeError &) {
        // The failure being reported already says that the list is not right.
    }
}

void FormPartia::ShowFault(const Refusal &fault)
{
    // Moving the focus back into a box must not look its text up again.
    const QScopedValueRollback<bool> hold(lookupsHeld_, true);
    ShowRefusal(*this, fault);
}

void FormPartia::SaveFailed(const RuntimeError &error)
{
    listStaysAfterSave_ = false;
    RestoreListState();
    ShowError(QStringLiteral("Powiadom programistę!"), error);
}

void FormPartia::AfterSave()
{
    const bool listStays = listStaysAfterSave_;
    edit_.Close();
    listStaysAfterSave_ = false;
    FramePartia->setVisible(false);
    Klawisze(true);
    if (CheckNast->isChecked()) {
        MakeCurrent(writtenRow_);
        DBGridPartia_DblClick();
        ReloadList();
        SelectCurrentGridRow(DBGridPartia);
    } else if (!listStays) {
        ReloadList();
        MakeCurrent(writtenRow_);
        SelectCurrentGridRow(DBGridPartia);
    }
    if (CheckWczyt->isChecked() && AutoImportMarker == QLatin1String("WczytAuto")) {
        MakeCurrent(writtenRow_);
        ComEdytuj_Click();
    }
    AutoImportMarker.clear();
}

void FormPartia::ReloadList()
{
    DataPartia->Replace(BatchStore::OpenList(MonthDb));
}

void FormPartia::MakeCurrent(const dao::Bookmark &row)
{
    Batches().setBookmark(row);
}
