#include "ProgramState.h"

#include "foundation/Globals.h"
#include "foundation/ShowCrystalReport.h"
#include "platform/ui/WindowRegistry.h"

void ProgramState::Reset()
{
    ui::WindowRegistry::Reset();
    for (dao::Database *db : {&MonthDb, &RobotDb, &StaleDb}) {
        if (db->IsOpen())
            db->Close();
        *db = dao::Database();
    }
    PodatnikRs = dao::Recordset();
    for (QString *text :
         {&MonthDbName, &DateMask, &DateFormat, &StaleFolder, &ReportFolder, &RobotFolder,
          &OperatorSurname, &ProgramFolder, &FormRequest, &ImportFilePath})
        text->clear();
    LabHeaderLines = {};
    PolishLetterTable = {};
    WorkingDate = QDate();
    LoginOk = InitOnActivate = ContinueImport = false;
    CurrentReport.reset();
}
