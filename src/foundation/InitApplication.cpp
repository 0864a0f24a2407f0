#include "foundation/InitApplication.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/ProgramEnd.h"
#include "foundation/TextProcedures.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/fs/TextFileReader.h"
#include "platform/ui/MsgBox.h"

#include <QDir>
#include <functional>

namespace
{

const QString ConfigurationFile = QStringLiteral("T:\\mervasklab.ini");
const QString DataDrive = QStringLiteral("T:\\");
const QString ConnectionCaption = QStringLiteral("POŁĄCZENIE");
const QString NoConnectionText =
    QStringLiteral("Brak połączenia z dyskiem (T:\\) na którym znajdują się bazy danych!\r"
                   "Zamapuj na głównym komputerze katalog C:\\MervaskLab jako dysk T:\r"
                   "i uruchom program ponownie!");
const QString ConnectionErrorText =
    QStringLiteral("Brak połączenia z dyskiem (T:\\) na którym znajdują się bazy danych!\r"
                   "Zamapuj na głównym komputerze katalog C:\\MervaskLAB jako dysk T:\r"
                   "i uruchom program ponownie!\r");
const QString BadPathCaption = QStringLiteral(
    "Popraw ścieżkę dostępu do bazy danych (Zbiór parametrów w funkcjach technicznych)");
const QString ReadFailedCaption = QStringLiteral("Błąd wczytania parametrów instalacyjnych");

// The data drive check; false when the program has been ended.
bool dataDriveReachable()
{
    try {
        const QString remembered = QDir::currentPath();
        if (!fs::FileSystemObject::FolderExists(DataDrive)) {
            ui::MsgBox(NoConnectionText, ui::vbExclamation, ConnectionCaption);
            EndProgram();
            return false;
        }
        if (!QDir::setCurrent(fs::DriveMap::ToReal(DataDrive)))
            throw RuntimeError(rterr::PathNotFound, QStringLiteral("Nie znaleziono ścieżki."));
        QDir::setCurrent(remembered);
        return true;
    } catch (const RuntimeError &error) {
        ui::MsgBox(ConnectionErrorText + error.Description(), ui::vbExclamation, ConnectionCaption);
    }
    EndProgram();
    return false;
}

// Runs one statement of the start-up under its error rules: a missing database
// file passes silently, a bad path is reported and passes, anything else is
// reported and stops the start-up (false).
bool step(const std::function<void()> &statement)
{
    try {
        statement();
        return true;
    } catch (const RuntimeError &error) {
        if (error.Number() == dao::err::FileNotFound)
            return true;
        if (error.Number() == dao::err::InvalidPath) {
            ShowError(BadPathCaption, error);
            return true;
        }
        ShowError(ReadFailedCaption, error);
        return false;
    }
}

dao::Database openDatabase(const QString &windowsPath)
{
    return dao::DBEngine::Workspaces(0).OpenDatabase(fs::DriveMap::ToReal(windowsPath));
}

// Without the dictionaries nothing can work, not even the sign-in: the
// missing file is named and the program ends, as without the data drive.
bool staleMissing(const QString &file)
{
    ui::MsgBox(QStringLiteral("Brak pliku bazy danych: ") + file + QStringLiteral("!\r") +
                   QStringLiteral("Sprawdź wpis STALE w pliku ") + ConfigurationFile +
                   QStringLiteral("\ri uruchom program ponownie!"),
               48, ReadFailedCaption);
    EndProgram();
    return false;
}

bool openStale(const QString &value)
{
    const char *const letterheadFields[] = {"TX2", "TX3", "TX4", "TX5", "TX6"};
    StaleFolder = value;
    const QString file = value + QStringLiteral("Stale.mdb");
    try {
        StaleDb = openDatabase(file);
    } catch (const RuntimeError &error) {
        if (error.Number() == dao::err::FileNotFound)
            return staleMissing(file);
        // Any other failure follows the start-up's own rules.
        if (!step([&] { throw error; }))
            return false;
    }
    if (!step([] { PodatnikRs = StaleDb.OpenRecordset(QStringLiteral("PODATNIK")); }))
        return false;
    for (std::size_t i = 0; i < LabHeaderLines.size(); ++i) {
        if (!step([&] {
                LabHeaderLines[i] =
                    NullToDefault(PodatnikRs(QLatin1String(letterheadFields[i])).Value(), QString())
                        .toString();
            }))
            return false;
    }
    return step([] { PodatnikRs.Close(); });
}

bool openRobot(const QString &value)
{
    RobotFolder = value;
    return step([&] { RobotDb = openDatabase(value + QStringLiteral("Robot.mdb")); });
}

// Acts on one configuration line; false when the start-up must stop.
bool applyLine(const QString &line)
{
    QString key = line;
    QString value;
    QString separator = QStringLiteral("=");
    SplitKeyValue(key, value, separator, 0);
    const QString name = UpperCaseKeepLength(key);
    if (name == QLatin1String("STALE"))
        return openStale(value);
    if (name == QLatin1String("RAPORTY"))
        ReportFolder = value;
    else if (name == QLatin1String("ROBOT"))
        return openRobot(value);
    // ARCH and DZIEN are accepted and have no effect; other lines are ignored.
    return true;
}

bool readConfiguration()
{
    QStringList lines;
    if (!step([&] { lines = fs::TextFileReader::ReadLines(ConfigurationFile); }))
        return false;
    for (const QString &line : lines) {
        if (!applyLine(line))
            return false;
    }
    return true;
}

} // namespace

void CheckDataDrive()
{
    dataDriveReachable();
}

void EnsureFolder(const QString &folder)
{
    // Several workstations may start at once; a folder another one made
    // meanwhile is what was wanted.
    fs::FileSystemObject::CreateFolderIfMissing(folder);
}

bool InitApplication()
{
    if (!dataDriveReachable())
        return false;
    DateMask = QStringLiteral("##.##.####");
    DateFormat = QStringLiteral("dd.mm.yyyy");
    MonthDbName = QStringLiteral("DANE\\");
    RobotFolder.clear();
    if (!readConfiguration())
        return false;
    InitPolishLetterTable(PolishLetterTable);
    return true;
}
