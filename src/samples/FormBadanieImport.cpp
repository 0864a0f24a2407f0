// FormBadanie's import of the sample lines of a batch-order file that the
// batch register handed over: the start numbers confirmed in FormNumery,
// then every line in one transaction, with the wait frame shown.
#include "foundation/Globals.h"
#include "foundation/RecordsetProcedures.h"
#include "foundation/UiProcedures.h"
#include "platform/db/DaoError.h"
#include "platform/fs/TextFileReader.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WaitPointer.h"
#include "samples/FormBadanie.h"
#include "samples/FormNumery.h"
#include "samples/SampleNumbering.h"
#include "samples/SampleOrderImport.h"
#include "samples/SampleValidator.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

void FormBadanie::ComWczyt_Click()
{
    const QScopedValueRollback<bool> running(importing_, true);
    Klawisze(false);
    ui::WaitPointer pointer;
    try {
        RunImport(LabelWczytajPlik->text());
    } catch (const RuntimeError &error) {
        pointer.Restore();
        ImportFailed(error, QString());
    }
    pointer.Restore();
    FrameCzekaj->setVisible(false);
    Klawisze(true);
}

void FormBadanie::RunImport(const QString &path)
{
    const QStringList fileLines = fs::TextFileReader::ReadLines(path);
    ImportFilePath = path;
    const std::optional<QStringList> lines = SampleOrderImport::SampleLines(fileLines);
    const auto [nextDaily, nextGeneral] =
        ReadAtOnce(MonthDb, [this] { return std::pair(ZnMaxNrDzien(), ZnMaxNrOgolny()); });
    QString daily = SampleNumbering::ProposalText(nextDaily);
    QString general = SampleNumbering::ProposalText(nextGeneral);
    TextNrDzien->setText(daily);
    TextNrOgolny->setText(general);
    if (!FormNumery::Confirm(daily, general, heading_.DataDoLab, lines ? int(lines->size()) : 0))
        return;
    TextNrDzien->setText(daily);
    TextNrOgolny->setText(general);
    ShowOverlay(FrameCzekaj);
    FrameCzekaj->repaint();
    QCoreApplication::processEvents();
    ui::WaitPointer pointer;
    pointer.Show();
    if (!lines) {
        pointer.Restore();
        ui::MsgBox(QStringLiteral("Niepoprawny format wczytywanego pliku!\r"
                                  "Sprawdź plik i wczytaj ponownie!"),
                   ui::vbExclamation, QStringLiteral("WCZYTYWANIE"));
        return;
    }
    const qint64 firstDaily = *SampleValidator::Integer(daily);
    const qint64 firstGeneral = *SampleValidator::LongInteger(general);
    dao::Recordset rs = Samples();
    const SampleOrderImport::Outcome outcome = SampleOrderImport::Run(
        rs, *lines, firstDaily, firstGeneral, heading_.Partia, heading_.DataDoLab);
    // The boxes hold the numbers that would follow.
    TextNrDzien->setText(QString::number(firstDaily + outcome.attempted));
    TextNrOgolny->setText(QString::number(firstGeneral + outcome.attempted));
    if (outcome.last) {
        rs.setBookmark(*outcome.last);
        SelectCurrentGridRow(DBGridBad);
    }
    pointer.Restore();
    if (outcome.clash) {
        TextNrDzien->setText(daily);
        TextNrOgolny->setText(general);
        ui::MsgBox(outcome.clash->text, outcome.clash->style, outcome.clash->title);
    } else if (outcome.error) {
        ImportFailed(*outcome.error, outcome.failedSampleId);
    }
}

void FormBadanie::ImportFailed(const RuntimeError &error, const QString &sampleId)
{
    FrameCzekaj->setVisible(false);
    if (error.Number() == dao::err::ConversionError)
        DataBad->Refresh();
    const SampleOrderImport::Message message = SampleOrderImport::FailureMessage(error, sampleId);
    ui::MsgBox(message.text, message.style, message.title);
}
