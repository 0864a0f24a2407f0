#include "foundation/ProgramEnd.h"

#include "foundation/Globals.h"

#include <cstdio>
#include <cstdlib>

namespace
{

ProgramEndRecorder *activeRecorder = nullptr;

void closeIfOpen(dao::Database &db)
{
    try {
        if (db.IsOpen())
            db.Close();
    } catch (...) {
        // The process ends next; nothing is left to report to.
    }
}

} // namespace

void EndProgram()
{
    if (activeRecorder) {
        activeRecorder->Record();
        return;
    }
    closeIfOpen(MonthDb);
    closeIfOpen(RobotDb);
    closeIfOpen(StaleDb);
    std::fflush(nullptr);
    // No destructors run, as with the old End: windows may still be on the
    // call stack.
    std::_Exit(0);
}

ProgramEndRecorder::ProgramEndRecorder() : previous_(activeRecorder)
{
    activeRecorder = this;
}

ProgramEndRecorder::~ProgramEndRecorder()
{
    activeRecorder = previous_;
}

ProgramEndRecorder *ProgramEndRecorder::Active()
{
    return activeRecorder;
}
