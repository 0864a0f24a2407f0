// The commands of the main window: its buttons and menu items, visible and
// hidden. Every window is opened through its own door, which binds its record
// source before showing it, so that a window whose data cannot be read is not
// shown at all; the error comes back here and is reported.

#include "mainwindow/aMain.h"

#include "batches/FormPartia.h"
#include "digestion/FormPodpAll.h"
#include "foundation/DictionaryEvents.h"
#include "foundation/FormDrukRap.h"
#include "foundation/FormOpcje.h"
#include "foundation/FormOperat.h"
#include "foundation/FormUzytkownik.h"
#include "foundation/FrmInfQXrec.h"
#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "mainwindow/DatabaseBackup.h"
#include "mainwindow/FormAdmBaz.h"
#include "mainwindow/MaterialsGate.h"
#include "mainwindow/MonthDatabase.h"
#include "mainwindow/RegionalSend.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/DriveMap.h"
#include "platform/ui/DBGrid.h"
#include "platform/ui/DataControl.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/ShowModal.h"
#include "platform/ui/WindowRegistry.h"
#include "registers/FormAutoryzowal.h"
#include "registers/FormChoroba.h"
#include "registers/FormGatunek.h"
#include "registers/FormLekarz.h"
#include "registers/FormOpisProbki.h"
#include "registers/FormPIW.h"
#include "registers/FormPlec.h"
#include "registers/FormPodp.h"
#include "registers/FormTkanka.h"
#include "registers/FormWIW.h"
#include "registers/FormZaklad.h"
#include "reports/FormCLab.h"
#include "reports/FormMatZuzyte.h"
#include "reports/FormRodzUboju.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace
{

const QString InfoCaption = QStringLiteral("INFORMACJA");

} // namespace

// ---------------------------------------------------------- visible buttons

void aMain::Command1_Click()
{
    trapped([this] {
        if (NullToDefault(LabelKodLok->text(), QString()).toString().isEmpty()) {
            ShowInfo(QStringLiteral("Aby prawidłowo definiować próbki wprowadź 3-cyfrowy kod "
                                    "lokalizacji VUV nadrzędnego!\r"
                                    "052 - VUV Warszawa;      054 - VUV Siedlce;     "
                                    "055 - VUV Ostrołęka\r"
                                    "Uzupełnij dane użytkownika!"),
                     InfoCaption);
            openLaboratoryIdentity();
            return;
        }
        if (!MonthDbIsOpen())
            return;
        FormPartia::Open(LabelData->text());
    });
}

void aMain::Men2Red_Click()
{
    Command1_Click();
}

void aMain::ComPlytki_Click()
{
    trapped([this] { openLaboratoryIdentity(); });
}

void aMain::Men2Uzytkownik_Click()
{
    ComPlytki_Click();
}

void aMain::ComUzytkownik_Click()
{
    trapped([this] { openClientRegister(); });
}

void aMain::zlewnie_Click()
{
    ComUzytkownik_Click();
}

void aMain::ComArchiwizacja_Click()
{
    trapped([this] { RunBackup(); });
}

void aMain::ComWysDoWIW_Click()
{
    // The button is shown and has no action.
}

void aMain::ComCLab_Click()
{
    trapped([this] { FormCLab::Open(LabelData->text()); });
}

void aMain::ComEnd_Click()
{
    if (!ProgramFolder.isEmpty())
        QDir::setCurrent(fs::DriveMap::ToReal(ProgramFolder));
    Form_Unload();
}

void aMain::Men1Exit_Click()
{
    Form_Unload();
}

void aMain::openLaboratoryIdentity()
{
    // A saved identity shows in the letterhead and codes at once.
    connect(&ui::WindowRegistry::Instance<FormUzytkownik>(), &FormUzytkownik::LaboratoryChanged,
            this, &aMain::showLaboratory, Qt::UniqueConnection);
    FormUzytkownik::Open();
}

void aMain::openClientRegister()
{
    FormZaklad::Open();
}

// ---------------------------------------------------------------- Definicje

void aMain::menLekarz_Click()
{
    trapped([] { FormLekarz::Open(); });
}

void aMain::mentTSM_Click()
{
    trapped([] { FormChoroba::Open(); });
}

void aMain::Operatorzy_Click()
{
    trapped([] { FormOperat::Open(); });
}

void aMain::StanPr_Click()
{
    trapped([] { FormOpisProbki::Open(); });
}

void aMain::openPersonList(const QString &table, const QString &gridCaption)
{
    FormAutoryzowal::Open(table, gridCaption);
}

void aMain::menAutoryzowal_Click()
{
    trapped([this] {
        openPersonList(QStringLiteral("Autoryzowal"),
                       QStringLiteral("DEFINICJA OSÓB AUTORYZUJĄCYCH BADANIE"));
    });
}

void aMain::menWykonujacy_Click()
{
    trapped([this] {
        openPersonList(QStringLiteral("Wykonujacy"),
                       QStringLiteral("DEFINICJA OSÓB WYKONUJĄCYCH BADANIE"));
    });
}

void aMain::menOdpowiedzialny_Click()
{
    trapped([this] {
        openPersonList(QStringLiteral("Odpowiedzialny"),
                       QStringLiteral("DEFINICJA OSÓB ODPOWIEDZIALNYCH ZA BADANIE"));
    });
}

void aMain::piwety_Click()
{
    trapped([] { FormPIW::Open(); });
}

void aMain::wiw_Click()
{
    trapped([] { FormWIW::Open(); });
}

void aMain::menRodzMat_Click()
{
    trapped([] { FormTkanka::Open(); });
}

void aMain::openRemarkHints(const QString &caption, const QString &table)
{
    FormPodp::Open(caption, table);
}

void aMain::MenUwagiB_Click()
{
    trapped([this] {
        openRemarkHints(QStringLiteral("Uwagi do próbek"), DictionaryEvents::SampleRemarks);
    });
}

void aMain::openEquipmentList(const QString &table, const QString &heading, int maxLength)
{
    FormPodpAll::Open(table, heading, maxLength);
}

void aMain::menHCL_Click()
{
    trapped([this] {
        openEquipmentList(QStringLiteral("HCLseria"), QStringLiteral("HCL seria/data ważności"),
                          150);
    });
}

void aMain::menMieszadlo_Click()
{
    trapped([this] {
        openEquipmentList(QStringLiteral("MIESZADLO"), QStringLiteral("MIESZADŁO"), 30);
    });
}

void aMain::menPepsyna_Click()
{
    trapped([this] {
        openEquipmentList(QStringLiteral("PepsynaSeria"),
                          QStringLiteral("Pepsyna seria/data ważności"), 150);
    });
}

void aMain::menSito_Click()
{
    trapped([this] {
        openEquipmentList(QStringLiteral("Sito"), QStringLiteral("Sito - nr ewidencyjny"), 30);
    });
}

void aMain::menTermometr_Click()
{
    trapped([this] {
        openEquipmentList(QStringLiteral("TERMOMETR"), QStringLiteral("TERMOMETR"), 30);
    });
}

void aMain::menTrychinoskop_Click()
{
    trapped([this] {
        openEquipmentList(QStringLiteral("TRYCHINOSKOP"), QStringLiteral("TRYCHINOSKOP"), 30);
    });
}

void aMain::menWaga_Click()
{
    trapped([this] { openEquipmentList(QStringLiteral("WAGA"), QStringLiteral("WAGA"), 30); });
}

// ---------------------------------------------------------- hidden commands

void aMain::menGatunek_Click()
{
    trapped([] { FormGatunek::Open(); });
}

void aMain::menPlec_Click()
{
    trapped([] { FormPlec::Open(); });
}

void aMain::MenUwagiP_Click()
{
    trapped([this] {
        openRemarkHints(QStringLiteral("Uwagi do partii"), DictionaryEvents::BatchRemarks);
    });
}

void aMain::men3Zaklad_Click()
{
    ComPlytki_Click();
}

void aMain::MatZuzyte_Click()
{
    CommandOrigin = QStringLiteral("menu");
    ComMatZuzyte_Click();
}

void aMain::ComMatZuzyte_Click()
{
    trapped([this] {
        if (MonthDbIsOpen())
            RunMaterialsUsedGate();
    });
}

void aMain::Archiwizacja_Click()
{
    ComArchiwizacja_Click();
}

void aMain::WMatZuzyte_Click()
{
    trapped([this] { FormMatZuzyte::Open(LabelData->text()); });
}

void aMain::WRodzUb_Click()
{
    trapped([this] { FormRodzUboju::Open(LabelData->text()); });
}

void aMain::Ilprob_Click()
{
    // "Zestawienia" carries no action.
}

void aMain::Opcje_Click()
{
    trapped([] { FormOpcje::Open(); });
}

void aMain::ComOpcje_Click()
{
    Opcje_Click();
}

void aMain::CzyscBaze_Click()
{
    trapped([this] {
        if (MonthDbIsOpen())
            OpenDatabaseCleaning();
    });
}

void aMain::Men1KZV_Click()
{
    trapped([this] {
        // The date is hidden while the box is open, whichever way it closes.
        Frame1->setVisible(false);
        LabelData->setVisible(false);
        FrmInfQXrec::Open();
        Frame1->setVisible(true);
        LabelData->setVisible(true);
    });
}

void aMain::Command2_Click()
{
    trapped([this] { showListReport(ReportFolder + QStringLiteral("zlewnia.rpt")); });
    Command2->setVisible(false);
    Command3->setVisible(false);
}

void aMain::Command3_Click()
{
    trapped([this] { showListReport(ReportFolder + QStringLiteral("producen.rpt")); });
    Command2->setVisible(false);
    Command3->setVisible(false);
}

void aMain::ComDodKol_Click()
{
    trapped([] {
        dao::Database robot = dao::DBEngine::Workspaces(0).OpenDatabase(
            fs::DriveMap::ToReal(QStringLiteral("C:\\MervaskLab\\Dane\\Robot.mdb")));
        dao::TableDef staging = robot.TableDefs()(QStringLiteral("seriatest"));
        dao::Field field = staging.CreateField(QStringLiteral("Otrzymuja"), dao::dbText, 150);
        field.setAllowZeroLength(true);
        staging.Fields().Append(field);
        robot.Close();
        ui::MsgBox(QString());
    });
}

void aMain::Command6_Click()
{
    trapped([this] { SendDataToRegionalInspectorate(); });
}

void aMain::Command4_Click()
{
    ui::MsgBox(QStringLiteral("stop"));
}

void aMain::showListReport(const QString &reportFile)
{
    FormDrukRap::OpenReport(reportFile, QStringLiteral("Drukowanie"));
}

// ------------------------------------------------------ backups and sending

void aMain::RunBackup()
{
    DatabaseBackup().Run(WorkingDate);
}

void aMain::OpenDatabaseCleaning()
{
    FormAdmBaz::Open();
}

void aMain::RunMaterialsUsedGate()
{
    MaterialsGate(LabelData->text(), CommandOrigin).Run();
}

void aMain::SendDataToRegionalInspectorate()
{
    RegionalSend(FrameCzekaj, FrameDoWIW).Run(LabelData->text());
}
