// FormBadanie's sample frame: new sample, correction, the save with its
// checks, deletion, the duplication over a range and the batch-wide fill-ins.
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/TextProcedures.h"
#include "foundation/UiProcedures.h"
#include "foundation/frmLoginLab.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WaitPointer.h"
#include "platform/ui/WindowRegistry.h"
#include "samples/BoxText.h"
#include "samples/FormBadanie.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleStore.h"
#include "samples/SampleValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace
{

const QString ErrorCaption = QStringLiteral("Powiadom programistę!");
const QString FillTitle = QStringLiteral("Wysyłanie!");

int askYesNo(const QString &question, const QString &title)
{
    return ui::MsgBox(question, ui::vbYesNo | ui::vbQuestion | ui::vbDefaultButton2, title);
}

} // namespace

// ---------------------------------------------------------------- new sample

void FormBadanie::ComDodajPr_Click()
{
    try {
        StartNewSample();
    } catch (const RuntimeError &error) {
        // The frame stays open over the disabled list; "&Anuluj" leaves it.
        ShowError(QStringLiteral("Powiadom programiste!"), error);
    }
}

void FormBadanie::StartNewSample()
{
    Klawisze(false);
    FrameProbka->setTitle(QStringLiteral("NOWA PRÓBKA"));
    ShowOverlay(FrameProbka);
    edit_.StartAdding();
    struct Proposal {
        int carcass;
        SampleStore::BatchFacts facts;
        std::optional<qint16> daily;
        std::optional<qint32> general;
    };
    const Proposal proposal = ReadAtOnce(MonthDb, [this] {
        return Proposal{SampleNumbering::NextCarcass(MonthDb, heading_.Partia),
                        SampleStore::Batch(MonthDb, heading_.Partia), ZnMaxNrDzien(),
                        ZnMaxNrOgolny()};
    });
    TextNrProbki->setText(QString::number(proposal.carcass));
    TextIDProbkiWNI->setText(proposal.facts.wni);
    TextIDProbkiNr->setText(DigitsOnlyPadded(TextNrProbki->text(), true, 3));
    TextIDProbkiData->setText(proposal.facts.samplingDate ? proposal.facts.samplingDate->toString(
                                                                QStringLiteral("ddMMyyyy"))
                                                          : QString());
    TextNrDzien->setText(SampleNumbering::ProposalText(proposal.daily));
    TextNrOgolny->setText(SampleNumbering::ProposalText(proposal.general));
    ComboUwagi->setCurrentIndex(-1);
    ComboUwagi->clearEditText();
    // A result the operator cannot change is nobody's judgement of this
    // sample: it is not carried over.
    if (resultLocked_) {
        ComboWynik->setCurrentIndex(-1);
        ComboWynik->clearEditText();
    }
    SetMemoText(TextUwagi, QString());
    ComboOpis->setEditText(QStringLiteral("Próbka bez zmian"));
    if (Samples().RecordCount() == 0)
        TextNrTacy->clear();
    TextNrTacy->setFocus();
}

// ---------------------------------------------------------------- correction

bool FormBadanie::ResultLocked() const
{
    return frmLoginLab::SignedIn().IsOperator();
}

void FormBadanie::ComPopraw_Click()
{
    if (!HasCurrentSample())
        return;
    try {
        LoadSample();
    } catch (const RuntimeError &error) {
        // A half-loaded frame would show another sample's values in the boxes
        // not reached yet, and saving it would write them into this one.
        ComAnulujFr_Click();
        ShowError(ErrorCaption, error);
    }
}

void FormBadanie::LoadSample()
{
    if (ResultLocked())
        resultLocked_ = true;
    if (resultLocked_) {
        ComboWynik->setCurrentIndex(-1);
        ComboWynik->clearEditText();
        ComboWynik->setEnabled(false);
        ComWstUjemny->setEnabled(false);
    }
    Klawisze(false);
    FrameProbka->setTitle(QStringLiteral("EDYCJA PRÓBKI"));
    ShowOverlay(FrameProbka);
    const dao::Recordset rs = Samples();
    // The correction is written into this row, wherever the list stands then.
    edit_.StartCorrecting(RememberRow(rs));
    ShowValues(SampleStore::Values(rs));
}

void FormBadanie::ShowValues(const SampleFrameValues &v)
{
    TextNrProbki->setText(v.carcass);
    TextNrTacy->setText(v.tray);
    TextIDProbkiWNI->setText(v.codeWni);
    TextIDProbkiNr->setText(v.codeNumber);
    TextIDProbkiData->setText(v.codeDate);
    // The species first: choosing one replaces the list of sexes.
    ComboGatunek->setEditText(v.species);
    ComboPlec->setEditText(v.sex);
    ComboTkanka->setEditText(v.tissue);
    TextNrDzien->setText(v.daily);
    TextNrOgolny->setText(v.general);
    ComboWynik->setEditText(v.result);
    SetMemoText(TextUwagi, v.remarks);
    ComboOpis->setEditText(v.description);
}

// ---------------------------------------------------------------------- save

SampleFrameValues FormBadanie::FrameValues() const
{
    SampleFrameValues v;
    v.carcass = TextNrProbki->text();
    v.tray = TextNrTacy->text();
    v.codeWni = TextIDProbkiWNI->text();
    v.codeNumber = TextIDProbkiNr->text();
    v.codeDate = TextIDProbkiData->text();
    v.tissue = ComboTkanka->currentText();
    v.species = ComboGatunek->currentText();
    v.sex = ComboPlec->currentText();
    v.daily = TextNrDzien->text();
    v.general = TextNrOgolny->text();
    v.result = ComboWynik->currentText();
    v.description = ComboOpis->currentText();
    v.remarks = MemoText(TextUwagi);
    return v;
}

void FormBadanie::ComZapiszFr_Click()
{
    if (SaveSample() == SaveOutcome::Saved)
        AfterSave();
}

SaveOutcome FormBadanie::SaveSample()
{
    try {
        dao::Recordset rs = Samples();
        const auto result = SampleStore::Save(rs, FrameValues(), edit_.Target(),
                                              {heading_.Partia, heading_.DataDoLab});
        if (const auto *fault = std::get_if<Refusal>(&result)) {
            ShowFault(*fault);
            return SaveOutcome::Refused;
        }
        savedRow_ = std::get<dao::Bookmark>(result);
        rs.setBookmark(savedRow_);
        return SaveOutcome::Saved;
    } catch (const RuntimeError &error) {
        // Refused before it wrote, the save left the list as it was.
        if (!LockedElsewhere(error))
            RereadList();
        // The frame stays open over the disabled list, with what was typed.
        ShowError(ErrorCaption, error);
        return SaveOutcome::Failed;
    }
}

void FormBadanie::ShowFault(const Refusal &fault)
{
    // The checks name the controls of the sample frame.
    ShowRefusal(*FrameProbka, fault);
}

void FormBadanie::AfterSave()
{
    if (edit_.IsAdding()) {
        if (CheckNast->isChecked()) {
            ComDodajPr_Click();
            return;
        }
        FrameProbka->setVisible(false);
        edit_.Close();
        Klawisze(true);
        return;
    }
    if (CheckNast->isChecked()) {
        const QString result = ComboWynik->currentText();
        dao::Recordset rs = Samples();
        rs.MoveNext();
        if (!rs.EOF()) {
            ComPopraw_Click();
            // A result list locked for the operator keeps the stored result.
            if (!resultLocked_)
                ComboWynik->setEditText(result);
            return;
        }
        rs.setBookmark(savedRow_);
    }
    FrameProbka->setVisible(false);
    CheckNast->setChecked(false);
    edit_.Close();
    Klawisze(true);
}

void FormBadanie::RereadList()
{
    try {
        dao::Recordset rs = Samples();
        if (!rs.IsOpen())
            return;
        const bool hasRow = rs.AbsolutePosition() >= 0;
        const dao::Bookmark current = hasRow ? rs.Bookmark() : dao::Bookmark();
        rs.Requery();
        if (hasRow && rs.PositionOf(current) >= 0)
            rs.setBookmark(current);
    } catch (const RuntimeError &) {
        // The failure being reported already says that the list is not right.
    }
}

// -------------------------------------------------------------------- delete

void FormBadanie::ComUsun_Click()
{
    if (!HasCurrentSample())
        return;
    try {
        if (askYesNo(QStringLiteral("Czy na pewno usunąć próbkę?"), QStringLiteral("USUWANIE!")) !=
            ui::vbYes)
            return;
        dao::Recordset samples = Samples();
        SampleStore::DeleteListed(samples);
        DataBad->Refresh();
    } catch (const RuntimeError &error) {
        ShowError(ErrorCaption, error);
        if (!LockedElsewhere(error))
            RereadList();
    }
}

// --------------------------------------------------------------- duplication

void FormBadanie::ComDuplikuj_Click()
{
    if (Samples().RecordCount() == 0) {
        ui::MsgBox(QStringLiteral("Brak danych do duplikacji!"), ui::vbExclamation,
                   QStringLiteral("DRUKOWANIE"));
        return;
    }
    Klawisze(false);
    TextNrProbkiOd->clear();
    TextNrProbkiDo->clear();
    ShowOverlay(FrameDuplikuj);
    TextNrProbkiOd->setFocus();
}

void FormBadanie::CopyIntoFrame(const dao::Recordset &source, int carcass)
{
    const SampleFrameValues copied = SampleStore::Values(source);
    ComDodajPr_Click();
    // The new sample's proposals, with the copied sample's description of
    // the carcass; the code's number part names the copy's own carcass.
    SampleFrameValues v = FrameValues();
    v.carcass = QString::number(carcass);
    v.codeNumber = DigitsOnlyPadded(v.carcass, true, 3);
    v.tray = copied.tray;
    v.species = copied.species;
    v.sex = copied.sex;
    v.tissue = copied.tissue;
    if (!resultLocked_)
        v.result = copied.result;
    v.remarks = copied.remarks;
    v.description = copied.description;
    ShowValues(v);
}

void FormBadanie::ComDuplikujOK_Click()
{
    const std::optional<qint64> from = SampleValidator::Integer(TextNrProbkiOd->text());
    const std::optional<qint64> to = SampleValidator::Integer(TextNrProbkiDo->text());
    if (!from || !to) {
        ShowInfo(QStringLiteral("Wprowadź prawidłowy zakres numeru tuszy od-do!"),
                 QStringLiteral("INFORMACJA"));
        TextNrProbkiOd->setFocus();
        return;
    }
    if (*from > *to) {
        ShowInfo(QStringLiteral("Nr 'OD' nie może być większy od numeru 'DO'\rPopraw!"),
                 QStringLiteral("INFORMACJA"));
        TextNrProbkiOd->setFocus();
        return;
    }
    ui::WaitPointer pointer;
    try {
        pointer.Show();
        CheckNast->setChecked(false);
        const BatchNumber batch = heading_.Partia;
        for (int n = int(*from); n <= int(*to); ++n) {
            if (SampleNumbering::CarcassTaken(MonthDb, batch, n)) {
                pointer.Restore();
                ShowInfo(QStringLiteral("Nr tuszy ") + QString::number(n) +
                             QStringLiteral(" już istnieje w edytowanej partii!\rPopraw!"),
                         QStringLiteral("INFORMACJA"));
                // The duplication frame stays open over the disabled list.
                Klawisze(false);
                TextNrProbkiOd->setFocus();
                return;
            }
            CopyIntoFrame(Samples(), n);
            const SaveOutcome outcome = SaveSample();
            if (outcome == SaveOutcome::Saved)
                AfterSave();
            else if (outcome == SaveOutcome::Failed)
                break; // one report, not one per number
        }
    } catch (const RuntimeError &error) {
        pointer.Restore();
        ui::MsgBox(QStringLiteral("Poinformuj programistę! ") + QString::number(error.Number()) +
                       error.Description(),
                   ui::vbInformation, QStringLiteral("EKSPORT DO PLIKU"));
    }
    pointer.Restore();
    FrameDuplikuj->setVisible(false);
    if (FrameProbka->isHidden())
        Klawisze(true);
}

// ------------------------------------------------------------------ fill-ins

void FormBadanie::ComOpisPr_Click()
{
    try {
        dao::Recordset rs = Samples();
        if (rs.RecordCount() == 0 ||
            askYesNo(QStringLiteral("Czy na pewno wstawić 'Opis i stan próbki w chwili "
                                    "przyjęcia'\rdo wszystkich próbek edytownej partii?"),
                     FillTitle) != ui::vbYes)
            return;
        if (const auto last = SampleStore::FillDescription(rs, ComboOpis->currentText()))
            rs.setBookmark(*last);
        ComAnulujFr_Click();
    } catch (const RuntimeError &error) {
        if (!LockedElsewhere(error))
            RereadList();
        ComAnulujFr_Click();
        ShowError(ErrorCaption, error);
    }
}

void FormBadanie::ComWstUjemny_Click()
{
    try {
        dao::Recordset rs = Samples();
        if (rs.RecordCount() == 0 ||
            askYesNo(QStringLiteral("Czy na pewno wstawić wynik: nie stwierdzono\rdo wszystkich "
                                    "próbek edytownej partii?"),
                     FillTitle) != ui::vbYes)
            return;
        const auto last = SampleStore::FillNegative(rs, [](const QString &general) {
            return askYesNo(QStringLiteral("W próbce o numerze ogólnym: ") + general +
                                QStringLiteral(" znależiono wynik: 'odstąpienie'\rCzy zamienić "
                                               "również ten wynik na nie stwierdzono?"),
                            QStringLiteral("WYNIK!")) == ui::vbYes;
        });
        if (last)
            rs.setBookmark(*last);
        ComAnulujFr_Click();
    } catch (const RuntimeError &error) {
        if (!LockedElsewhere(error))
            RereadList();
        ComAnulujFr_Click();
        ShowError(ErrorCaption, error);
    }
}
