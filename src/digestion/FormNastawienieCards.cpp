// The run cards of FormNastawienie: the print choice and the three cards,
// each staged for the selected run before its definition is opened.
#include "digestion/FormNastawienie.h"

#include "digestion/RunCard.h"
#include "foundation/FormDrukRap.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WaitPointer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace
{

const QString PrintCaption = QStringLiteral("Drukowanie");

} // namespace

void FormNastawienie::ComDrukuj_Click()
{
    if (!FrameWynik->isHidden()) {
        EndPrintChoice();
        return;
    }
    showFrame(FrameWynik, QString());
    Klawisze(false, true);
    ComDrukuj->setEnabled(true);
}

void FormNastawienie::EndPrintChoice()
{
    FrameWynik->setVisible(false);
    Klawisze(true, true);
}

void FormNastawienie::ComKartaS_Click()
{
    QString code;
    try {
        code = RunCard::LaboratoryCode();
    } catch (const RuntimeError &error) {
        ShowError(PrintCaption, error);
        EndPrintChoice();
        return;
    }
    PrintCard(RunCard::DefinitionFor(code));
}

void FormNastawienie::ComKartaW_Click()
{
    PrintCard(QStringLiteral("KartaBadaniaW.rpt"));
}

void FormNastawienie::ComKartaO_Click()
{
    PrintCard(QStringLiteral("KartaBadaniaO.rpt"));
}

// Every card is staged for the selected run and selects its batch, so that
// no card shows what an earlier print left in the staging tables.
void FormNastawienie::PrintCard(const QString &definition)
{
    if (!HasRun()) {
        ui::MsgBox(QStringLiteral("Brak danych do wydruku!"), ui::vbExclamation,
                   QStringLiteral("DRUKOWANIE"));
        return;
    }
    ui::WaitPointer pointer;
    pointer.Show();
    const bool staged = StageCard();
    pointer.Restore();
    if (!staged) {
        EndPrintChoice();
        return;
    }
    try {
        FormDrukRap::OpenCard(ReportFolder + definition, CardFormula, PrintCaption);
    } catch (const RuntimeError &error) {
        ShowError(PrintCaption, error);
    }
    EndPrintChoice();
}

bool FormNastawienie::StageCard()
{
    BatchNumber batch = 0;
    int run = 0;
    try {
        const dao::Recordset runs = Runs();
        batch = runs(QStringLiteral("Partia")).Value().toLongLong();
        run = CurrentRunNumber();
    } catch (const RuntimeError &error) {
        ShowError(PrintCaption, error);
        return false;
    }
    if (!RunCard::Stage(batch, run, heading_.DataDoLab))
        return false;
    CardFormula = QStringLiteral(" {Partia.Partia} = ") + QString::number(batch);
    return true;
}
