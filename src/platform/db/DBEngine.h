#pragma once

#include "Workspace.h"

#include <QString>

#include <functional>

namespace dao
{

struct DBEngine {
    static Workspace &Workspaces(int index = 0);

    // Copies the database file `source` to `target` as one state, through
    // SQLite's online backup: the source is read inside one read transaction,
    // so a write of another workstation lands wholly before or wholly after
    // the copy. The source is opened for writing, as every workstation opens
    // it, so that the journal of a write that broke off is rolled back first.
    // A source locked by writers is waited for up to waitMs. On failure the
    // target is removed and error 75 is raised naming the file and the reason.
    static void CopyDatabase(const QString &source, const QString &target, int waitMs);

    // The clock, in milliseconds, by which open lists decide to look at their
    // file again now and then; an empty one is the system's steady clock.
    // Returns the clock it replaces, so that a test can hold the time still.
    using RefreshClock = std::function<qint64()>;
    static RefreshClock SetRefreshClock(RefreshClock clock);
    static qint64 RefreshTime();
    // How many times this program has begun to wait for a lock another
    // workstation held. A transaction waits 5 s in all, however many of its
    // statements meet the lock; then it is refused with 3218.
    static quint64 LockWaits();
};

// While one is alive, a statement waits at most `limitMs` for a lock another
// workstation holds, and is then refused with 3218; such short waits are not
// counted in LockWaits. A view drawing its rows reads so: the user action
// that met the lock has waited its 5 s already, and a window must not stand
// still while another workstation holds the file.
class LockWaitLimit
{
public:
    explicit LockWaitLimit(int limitMs);
    ~LockWaitLimit();
    LockWaitLimit(const LockWaitLimit &) = delete;
    LockWaitLimit &operator=(const LockWaitLimit &) = delete;

private:
    int before_;
};

} // namespace dao
