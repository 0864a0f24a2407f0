#pragma once

#include "platform/ui/WaitPointer.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

// The backup of the main window's "Archiwizacja": the month databases of the
// working date's year and Stale.mdb go into a new folder
// C:\MervaskLab\Archiwum\<yyyymmdd>g<hhmmss>, packed by C:\MervaskLab\7za.exe
// into Archiwum<yyyymmdd>g<hhmmss>.zip, or copied loose when 7za.exe is
// missing. The program's databases are closed meanwhile and reopened at the
// end, waiting for other workstations' writes as the copies do; success is
// never reported while one of them could not be opened again.
//
// Each database is first copied in one consistent state (other workstations
// may be writing to it), and success is reported only when the archive or the
// copies are complete; a failure is reported with the backup folder.
class DatabaseBackup
{
public:
    using Clock = std::function<QTime()>;

    explicit DatabaseBackup(Clock clock = &QTime::currentTime);
    ~DatabaseBackup();
    DatabaseBackup(const DatabaseBackup &) = delete;
    DatabaseBackup &operator=(const DatabaseBackup &) = delete;

    // Asks, backs up the working date's year and reports the outcome.
    void Run(const QDate &workingDate);

private:
    enum class Outcome { NothingToBackUp, Done, Failed };

    struct KeptNames {
        QString stale;
        QString month;
        QString robot;
    };

    KeptNames CloseDatabases();
    QStringList ReopenDatabases(const KeptNames &kept);
    Outcome MakeBackup(const QDate &workingDate);
    void TakeSnapshots(const QString &yearFolder, const QStringList &files,
                       const QString &yearCopies, const QString &staleCopy, bool withSevenZip);
    void Snapshot(const QString &source, const QString &copy);
    void PackWithSevenZip(const QString &archive);
    void Report(Outcome outcome, const QStringList &notOpen);
    void Fail(const QString &detail);

    Clock clock_;
    QString staleName_;     // Stale.mdb as it was open, "" when it was not
    QString folder_;        // the backup folder, Windows form
    QStringList snapshots_; // real paths of the consistent copies, in list order
    QString failure_;
    ui::WaitPointer pointer_;
};
