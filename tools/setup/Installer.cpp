#include "Installer.h"

#include "foundation/Schema.h"
#include "foundation/ScramblePassword.h"
#include "foundation/TextProcedures.h"
#include "platform/RuntimeError.h"
#include "platform/db/DBEngine.h"
#include "platform/fs/Cp1250.h"
#include "platform/fs/DriveMap.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <system_error>

// The report definitions are embedded in this static library; naming their
// initialiser keeps them in the program.
static void InitReportResources()
{
    Q_INIT_RESOURCE(reports);
}

namespace
{

const QString DataFolderName = QStringLiteral("Dane");
const QString ReportFolderName = QStringLiteral("Raporty");
const QString IniName = QStringLiteral("mervasklab.ini");

// A failure of the file system while building; the databases raise their own.
[[noreturn]] void Fail(const QString &what)
{
    throw RuntimeError(75, what);
}

void MakeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        Fail(QStringLiteral("Cannot create the folder %1").arg(path));
}

void MakeSymlink(const QString &target, const QString &link)
{
    std::error_code error;
    std::filesystem::create_symlink(target.toStdString(), link.toStdString(), error);
    if (error)
        Fail(QStringLiteral("Cannot create the link %1 -> %2: %3")
                 .arg(link, target, QString::fromStdString(error.message())));
}

// The entry of `folder` whose name equals `name` without regard to letter
// case, as the drive map resolves it; empty when there is none. A link whose
// target is gone counts too: it still occupies its name.
QString EntryIgnoringCase(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

} // namespace

Installer::Installer(Options options) : options_(std::move(options)) {}

QByteArray Installer::IniBytes()
{
    const QString text = QStringLiteral("STALE=T:\\Dane\\\r\n"
                                        "RAPORTY=T:\\Raporty\\\r\n"
                                        "ROBOT=C:\\MervaskLab\\Dane\\\r\n"
                                        "CLABSCHEMAT=https://clab.invalid\r\n"
                                        "CLABSERWIS=https://clab.invalid\r\n");
    return fs::Cp1250::Encode(text);
}

QString Installer::SevenZipTarget()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("7za"));
    return found.isEmpty() ? QStringLiteral("/usr/bin/7za") : found;
}

Installer::Result Installer::Run()
{
    if (!CheckOptions())
        return InvalidOptions;
    if (AlreadyThere()) {
        message_ = QStringLiteral("An installation already exists in %1 (\"t\" or "
                                  "\"c/MervaskLab\"); nothing was changed.")
                       .arg(drives_);
        return AlreadyInstalled;
    }
    try {
        MakeFolder(drives_);
        QTemporaryDir building(drives_ + QStringLiteral("/.mervasklab-setup-XXXXXX"));
        if (!building.isValid())
            Fail(QStringLiteral("Cannot create a temporary folder in %1").arg(drives_));
        const QString built = building.filePath(QString::fromLatin1(ProgramFolderName));
        BuildProgramFolder(built);
        MoveIntoPlace(built);
    } catch (const RuntimeError &e) {
        message_ = QStringLiteral("The installation failed, nothing was installed: %1 %2")
                       .arg(e.Number())
                       .arg(e.Description());
        return Failed;
    }
    message_ = QStringLiteral("Installation created in %1 with %2 report definitions.\n"
                              "Administrator login: %3. Change its password at once "
                              "(Definicje -> Operatorzy).")
                   .arg(drives_)
                   .arg(reportCount_)
                   .arg(TrimBlanks(options_.login));
    return Installed;
}

bool Installer::CheckOptions()
{
    const QString login = TrimBlanks(options_.login);
    const qsizetype length = options_.password.size();
    if (login.isEmpty() || login.size() > 50) {
        message_ = QStringLiteral("The login must have 1 to 50 characters.");
        return false;
    }
    if (length < 3 || length > 10) {
        message_ = QStringLiteral("The password must have 3 to 10 characters.");
        return false;
    }
    const QString folder =
        options_.drivesFolder.isEmpty() ? fs::DriveMap::DrivesFolder() : options_.drivesFolder;
    drives_ = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return true;
}

bool Installer::AlreadyThere() const
{
    if (!EntryIgnoringCase(drives_, QStringLiteral("t")).isEmpty())
        return true;
    const QString c = EntryIgnoringCase(drives_, QStringLiteral("c"));
    return !c.isEmpty() &&
           !EntryIgnoringCase(drives_ + u'/' + c, QString::fromLatin1(ProgramFolderName)).isEmpty();
}

void Installer::BuildProgramFolder(const QString &folder)
{
    for (const QString &sub :
         {DataFolderName, ReportFolderName, QStringLiteral("Eksport"), QStringLiteral("Archiwum")})
        MakeFolder(folder + u'/' + sub);

    QSaveFile ini(folder + u'/' + IniName);
    if (!ini.open(QIODevice::WriteOnly) || ini.write(IniBytes()) < 0 || !ini.commit())
        Fail(QStringLiteral("Cannot write %1").arg(ini.fileName()));

    CreateStale(folder + u'/' + DataFolderName + QStringLiteral("/Stale.mdb"));
    CreateRobot(folder + u'/' + DataFolderName + QStringLiteral("/Robot.mdb"));
    reportCount_ = CopyReports(folder + u'/' + ReportFolderName);
    MakeSymlink(SevenZipTarget(), folder + QStringLiteral("/7za.exe"));
}

void Installer::CreateStale(const QString &path) const
{
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(path);
    Schema::CreateAll(db, Schema::Stale);
    db.Close();
    AddAdministrator(path);
}

void Installer::CreateRobot(const QString &path) const
{
    dao::Database db = dao::DBEngine::Workspaces(0).CreateDatabase(path);
    Schema::CreateAll(db, Schema::Robot);
    db.Close();
}

// The first account: without an administrator nobody could sign in or add
// the laboratory's operators.
void Installer::AddAdministrator(const QString &stalePath) const
{
    const QString name = QString::fromLatin1(AdministratorName);
    int keyLength = 0;
    QString password = options_.password;

    dao::Database db = dao::DBEngine::Workspaces(0).OpenDatabase(stalePath);
    dao::Recordset rs = db.OpenRecordset(QStringLiteral("OPERATORZY"));
    rs.AddNew();
    rs.Fields(QStringLiteral("OP_NUMER")).setValue(QStringLiteral("001"));
    rs.Fields(QStringLiteral("OP_NAZWISKO")).setValue(name);
    rs.Fields(QStringLiteral("OP_KLUCZ")).setValue(MakeNameSortKey(name, QString(), keyLength));
    rs.Fields(QStringLiteral("OP_RODZAJ")).setValue(name);
    rs.Fields(QStringLiteral("OP_LOGIN")).setValue(TrimBlanks(options_.login));
    rs.Fields(QStringLiteral("OP_HASLO")).setValue(ScramblePassword(password));
    rs.Update();
    rs.Close();
    db.Close();
}

// Copies every report definition of the resources, keeping sub-folders.
int Installer::CopyReports(const QString &folder) const
{
    InitReportResources();
    const QString root = QStringLiteral(":/reports");
    int copied = 0;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = folder + source.mid(root.size());
        MakeFolder(QFileInfo(target).path());
        if (!QFile::copy(source, target) ||
            !QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::ReadOther))
            Fail(QStringLiteral("Cannot copy %1 to %2").arg(source, target));
        ++copied;
    }
    return copied;
}

// The finished program folder becomes C:\MervaskLab, and T:\ a link to it. A
// link that cannot be made takes the program folder away again, so that no
// half installation stays behind.
void Installer::MoveIntoPlace(const QString &builtFolder) const
{
    QString cName = EntryIgnoringCase(drives_, QStringLiteral("c"));
    if (cName.isEmpty())
        cName = QStringLiteral("c");
    MakeFolder(drives_ + u'/' + cName);
    const QString relative = cName + u'/' + QString::fromLatin1(ProgramFolderName);
    const QString programFolder = drives_ + u'/' + relative;
    if (!QDir().rename(builtFolder, programFolder))
        Fail(QStringLiteral("Cannot move the installation to %1").arg(programFolder));
    try {
        MakeSymlink(relative, drives_ + QStringLiteral("/t"));
    } catch (const RuntimeError &) {
        QDir(programFolder).removeRecursively();
        throw;
    }
}
