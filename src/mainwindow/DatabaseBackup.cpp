#include "mainwindow/DatabaseBackup.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "platform/RuntimeError.h"
#include "platform/db/DBEngine.h"
#include "platform/db/DaoError.h"
#include "platform/db/Transaction.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/shell/Shell.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WaitPointer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace
{

const QString Caption = QStringLiteral("Archiwizacja");
const QString SevenZip = QStringLiteral("C:\\MervaskLab\\7za.exe");
// How long a copy waits for other workstations to finish their writes.
constexpr int LockWaitMs = 60000;

// Files that SQLite keeps beside a database while it writes to it. A copied
// journal would be rolled back into the copy when the copy is next opened.
bool IsLockFile(const QString &name)
{
    return name.endsWith(QStringLiteral("-journal"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral("-wal"), Qt::CaseInsensitive) ||
           name.endsWith(QStringLiteral("-shm"), Qt::CaseInsensitive);
}

bool IsDatabaseFile(const QString &realPath)
{
    QFile file(realPath);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

RuntimeError CopyError(const QString &source, const QString &reason)
{
    return RuntimeError(rterr::PathFileAccess, QStringLiteral("Nie można skopiować pliku %1: %2")
                                                   .arg(QFileInfo(source).fileName(), reason));
}

// Copies the open file from its start to its end, in the kernel where it can.
void CopyBytes(QFile &from, QFile &to)
{
#ifdef Q_OS_LINUX
    for (bool started = false;;) {
        const ssize_t copied = ::copy_file_range(from.handle(), nullptr, to.handle(), nullptr,
                                                 std::size_t(1) << 30, 0);
        if (copied == 0) {
            return;
        }
        if (copied > 0) {
            started = true;
        } else {
            if (errno == EINTR) {
                continue;
            }
            // Where the kernel cannot copy between these files, the bytes go
            // through this process.
            if (!started &&
                (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
                break;
            }
            throw CopyError(from.fileName(), QString::fromLocal8Bit(std::strerror(errno)));
        }
    }
#endif
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = from.read(buffer.data(), buffer.size());
        if (read < 0) {
            throw CopyError(from.fileName(), from.errorString());
        }
        if (read == 0) {
            return;
        }
        if (to.write(buffer.constData(), read) != read) {
            throw CopyError(from.fileName(), to.errorString());
        }
    }
}

// Takes the database's read lock in `read`, waiting up to LockWaitMs for
// other workstations' writes. A write that broke off is rolled back from its
// journal first.
void BeginRead(dao::Database &db, std::optional<dao::Transaction> &read, const QString &source)
{
    const QDeadlineTimer deadline(LockWaitMs);
    for (;;) {
        try {
            if (!db.IsOpen()) {
                db = dao::DBEngine::Workspaces(0).OpenDatabase(source);
            }
            read.emplace(db);
            db.Execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            return;
        } catch (const RuntimeError &error) {
            read.reset();
            if (error.Number() != dao::err::Locked || deadline.hasExpired()) {
                throw CopyError(source, error.Description());
            }
        }
    }
}

// A database in one committed state, though other workstations may be
// writing to it: while this connection holds its read lock nobody can
// commit into the file (the journal keeps the file whole until a commit), so
// the file is copied as it lies, by the kernel. The copy's own handle on the
// file is closed only once the database is closed again: closing any handle
// on a file drops every lock the process holds on it.
void CopyDatabase(const QString &source, const QString &destination)
{
    QFile from(source);
    QFile to(destination);
    if (!from.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        throw CopyError(source, from.errorString());
    }
    if (!to.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        throw CopyError(source, to.errorString());
    }
    dao::Database db;
    std::optional<dao::Transaction> read;
    const auto close = [&] {
        read.reset();
        to.close();
        if (db.IsOpen()) {
            db.Close();
        }
        from.close();
    };
    try {
        BeginRead(db, read, source);
        CopyBytes(from, to);
    } catch (const RuntimeError &) {
        close();
        QFile::remove(destination);
        throw;
    }
    close();
}

void CopyFile(const QString &source, const QString &destination)
{
    if (IsDatabaseFile(source)) {
        CopyDatabase(source, destination);
    } else {
        fs::FileSystemObject::CopyFile(source, destination, true);
    }
}

// The files of a folder as the main window's file list shows them: plain
// files, in the order of their names.
QStringList ListFiles(const QString &windowsFolder)
{
    const QDir folder(fs::DriveMap::ToReal(windowsFolder));
    return folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

// Stale.mdb as the program opens it; only when it is not open, the configured
// folder says where it lies.
QString StalePath(const QString &openName)
{
    if (!openName.isEmpty()) {
        return openName;
    }
    return (StaleFolder.isEmpty() ? QStringLiteral("T:\\Dane\\") : StaleFolder) +
           QStringLiteral("Stale.mdb");
}

} // namespace

DatabaseBackup::DatabaseBackup(Clock clock) : clock_(std::move(clock)) {}

DatabaseBackup::~DatabaseBackup() = default;

void DatabaseBackup::Run(const QDate &workingDate)
{
    if (ui::MsgBox(QStringLiteral("Czy na pewno wykonać archiwum aktualnych baz danych?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2,
                   QStringLiteral("PYTANIE")) != ui::vbYes) {
        return;
    }
    folder_.clear();
    snapshots_.clear();
    failure_.clear();
    pointer_.Show();
    const KeptNames kept = CloseDatabases();
    ProgramFolder = QStringLiteral("C:\\MervaskLab");
    staleName_ = kept.stale;
    Outcome outcome = Outcome::Failed;
    try {
        outcome = MakeBackup(workingDate);
    } catch (const RuntimeError &error) {
        Fail(QStringLiteral("Błąd %1: %2").arg(error.Number()).arg(error.Description()));
    }
    Report(outcome, ReopenDatabases(kept));
    pointer_.Restore();
}

DatabaseBackup::KeptNames DatabaseBackup::CloseDatabases()
{
    KeptNames kept;
    if (StaleDb.IsOpen()) {
        kept.stale = StaleDb.Name();
    }
    if (MonthDb.IsOpen()) {
        kept.month = MonthDb.Name();
        MonthDbName = kept.month;
    }
    if (RobotDb.IsOpen()) {
        kept.robot = RobotDb.Name();
    }
    for (dao::Database *db : {&StaleDb, &MonthDb, &RobotDb}) {
        if (db->IsOpen()) {
            db->Close();
        }
    }
    return kept;
}

// Each database is reopened as the copy took it: another workstation's write
// is waited for up to the copy's own deadline, and any other failure is tried
// once more. What still cannot be opened stays closed and is named, one line
// each, in the list returned.
QStringList DatabaseBackup::ReopenDatabases(const KeptNames &kept)
{
    const std::pair<dao::Database *, QString> databases[] = {
        {&StaleDb, kept.stale}, {&MonthDb, kept.month}, {&RobotDb, kept.robot}};
    QStringList notOpen;
    for (const auto &[db, name] : databases) {
        if (name.isEmpty()) {
            continue;
        }
        const QDeadlineTimer deadline(LockWaitMs);
        for (int attempt = 1;; ++attempt) {
            try {
                *db = dao::DBEngine::Workspaces(0).OpenDatabase(name);
                break;
            } catch (const RuntimeError &error) {
                const bool waitMore =
                    error.Number() == dao::err::Locked ? !deadline.hasExpired() : attempt < 2;
                if (!waitMore) {
                    notOpen.append(QStringLiteral("%1 (błąd %2: %3)")
                                       .arg(name)
                                       .arg(error.Number())
                                       .arg(error.Description()));
                    break;
                }
            }
        }
    }
    return notOpen;
}

DatabaseBackup::Outcome DatabaseBackup::MakeBackup(const QDate &workingDate)
{
    const QString year = workingDate.toString(QStringLiteral("yyyy"));
    const QString yearFolder = QStringLiteral("T:\\Dane\\") + year;
    const QStringList files = ListFiles(yearFolder);
    if (files.isEmpty()) {
        return Outcome::NothingToBackUp;
    }
    const QString stamp = workingDate.toString(QStringLiteral("yyyyMMdd")) + u'g' +
                          clock_().toString(QStringLiteral("HHmmss"));
    const QString root = ProgramFolder + QStringLiteral("\\Archiwum");
    if (!fs::FileSystemObject::FolderExists(root)) {
        fs::FileSystemObject::CreateFolder(root);
    }
    folder_ = root + u'\\' + stamp;
    fs::FileSystemObject::CreateFolder(folder_);

    // The archiver packs copies from a folder of their own; the loose copies
    // are written where they stay.
    if (fs::FileSystemObject::FileExists(SevenZip)) {
        QTemporaryDir snapshots;
        if (!snapshots.isValid()) {
            throw RuntimeError(rterr::PathFileAccess, snapshots.errorString());
        }
        const QString yearCopies =
            snapshots.path() + u'/' + QFileInfo(fs::DriveMap::ToReal(yearFolder)).fileName();
        TakeSnapshots(yearFolder, files, yearCopies, snapshots.path(), true);
        PackWithSevenZip(folder_ + QStringLiteral("\\Archiwum") + stamp + QStringLiteral(".zip"));
    } else {
        const QString destination = fs::DriveMap::ToReal(folder_);
        TakeSnapshots(yearFolder, files, destination, destination, false);
    }
    return failure_.isEmpty() ? Outcome::Done : Outcome::Failed;
}

// The archiver packs only "*.mdb" of the year folder; the loose copy takes
// every file. Stale.mdb comes from where the program opens it. Loose copies
// of the same name replace one another, the last one staying; when a copy
// fails, the loose copies already written are removed.
void DatabaseBackup::TakeSnapshots(const QString &yearFolder, const QStringList &files,
                                   const QString &yearCopies, const QString &staleCopy,
                                   bool withSevenZip)
{
    if (!QDir().mkpath(yearCopies)) {
        throw RuntimeError(rterr::PathFileAccess, yearCopies);
    }
    const QString realYear = fs::DriveMap::ToReal(yearFolder);
    try {
        for (const QString &name : files) {
            const bool packed = withSevenZip
                                    ? name.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive)
                                    : !IsLockFile(name);
            if (packed) {
                Snapshot(realYear + u'/' + name, yearCopies + u'/' + name);
            }
        }
        const QString stale = StalePath(staleName_);
        const QString realStale = fs::DriveMap::ToReal(stale);
        if (!QFileInfo(realStale).isFile()) {
            throw RuntimeError(rterr::FileNotFound,
                               QStringLiteral("Nie znaleziono pliku %1").arg(stale));
        }
        Snapshot(realStale, staleCopy + u'/' + QFileInfo(realStale).fileName());
    } catch (const RuntimeError &) {
        if (!withSevenZip) {
            for (const QString &copy : std::as_const(snapshots_)) {
                QFile::remove(copy);
            }
        }
        throw;
    }
}

void DatabaseBackup::Snapshot(const QString &source, const QString &copy)
{
    if (snapshots_.contains(copy)) {
        QFile::remove(copy);
        snapshots_.removeOne(copy);
    }
    snapshots_.append(copy);
    CopyFile(source, copy);
}

void DatabaseBackup::PackWithSevenZip(const QString &archive)
{
    const QString realArchive = fs::DriveMap::ToReal(archive);
    const int exitCode = shell::Shell::RunAndWait(
        SevenZip, QStringList{QStringLiteral("a"), realArchive} + snapshots_,
        shell::vbMinimizedFocus);
    if (exitCode != 0) {
        Fail(QStringLiteral("Program 7za.exe zakończył pracę z kodem %1.").arg(exitCode));
    } else if (!QFileInfo(realArchive).isFile()) {
        Fail(QStringLiteral("Program 7za.exe nie utworzył pliku %1.").arg(archive));
    }
}

void DatabaseBackup::Fail(const QString &detail)
{
    failure_ = detail;
}

// A database that could not be opened again is never passed over by a
// success box: the copies may be whole, but the user is told which databases
// are closed.
void DatabaseBackup::Report(Outcome outcome, const QStringList &notOpen)
{
    if (outcome == Outcome::Done && notOpen.isEmpty()) {
        ShowInfo(QStringLiteral("Archiwizacja baz danych zakończona powodzeniem!\r"
                                "Bazy zostały zarchiwizowane do katalogu: \r") +
                     folder_,
                 QStringLiteral("INFORMACJA"));
        return;
    }
    if (outcome == Outcome::NothingToBackUp && notOpen.isEmpty()) {
        return;
    }
    QString text;
    if (outcome == Outcome::Done) {
        text = QStringLiteral("Bazy zostały zarchiwizowane do katalogu: \r") + folder_;
    } else if (outcome == Outcome::Failed) {
        text = QStringLiteral("Archiwizacja baz danych nie powiodła się!\r");
        if (!folder_.isEmpty()) {
            text += QStringLiteral("Katalog archiwum: \r") + folder_ + u'\r';
        }
        text += failure_;
    }
    if (!notOpen.isEmpty()) {
        if (!text.isEmpty()) {
            text += u'\r';
        }
        text += QStringLiteral("Po archiwizacji nie udało się ponownie otworzyć baz danych:\r") +
                notOpen.join(u'\r') +
                QStringLiteral("\rZamknij program i uruchom go ponownie, gdy inne stanowiska "
                               "zakończą zapis.");
    }
    ShowWarning(text, Caption);
}
