// The online copy of a database file (DBEngine::CopyDatabase).
#include "DBEngine.h"

#include "platform/RuntimeError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sqlite3.h>

namespace dao
{

namespace
{

bool Busy(int rc)
{
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

} // namespace

void DBEngine::CopyDatabase(const QString &source, const QString &target, int waitMs)
{
    sqlite3 *from = nullptr;
    sqlite3 *to = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from, SQLITE_OPEN_READWRITE,
                             nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_open_v2(QFile::encodeName(target).constData(), &to,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        // The copy is a new file that is removed when the copy fails, so it
        // needs no journal; and, as a file copy, it is not forced to disk
        // page by page. The bytes of the copy are the same either way.
        sqlite3_exec(to, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", nullptr, nullptr,
                     nullptr);
        sqlite3_busy_timeout(from, waitMs);
        sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
        if (!backup) {
            rc = sqlite3_errcode(to);
        } else {
            const QDeadlineTimer deadline(waitMs);
            do {
                rc = sqlite3_backup_step(backup, -1);
                if (Busy(rc))
                    QThread::msleep(20);
            } while (Busy(rc) && !deadline.hasExpired());
            sqlite3_backup_finish(backup);
        }
    }
    const RuntimeError failure(
        rterr::PathFileAccess,
        QStringLiteral("Nie można skopiować pliku %1: %2")
            .arg(QFileInfo(source).fileName(), QString::fromUtf8(sqlite3_errstr(rc))));
    sqlite3_close(to);
    sqlite3_close(from);
    if (rc != SQLITE_DONE && rc != SQLITE_OK) {
        QFile::remove(target);
        throw failure;
    }
}

} // namespace dao
