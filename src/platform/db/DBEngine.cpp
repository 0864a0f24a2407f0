#include "DBEngine.h"

#include "Connection.h"

#include <chrono>
#include <utility>

namespace dao
{

Workspace &DBEngine::Workspaces(int index)
{
    Q_UNUSED(index) // one workspace, as the old code only ever used the first
    static Workspace workspace;
    return workspace;
}

namespace
{

DBEngine::RefreshClock &refreshClock()
{
    static DBEngine::RefreshClock clock;
    return clock;
}

} // namespace

DBEngine::RefreshClock DBEngine::SetRefreshClock(RefreshClock clock)
{
    return std::exchange(refreshClock(), std::move(clock));
}

qint64 DBEngine::RefreshTime()
{
    if (const RefreshClock &clock = refreshClock())
        return clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

quint64 DBEngine::LockWaits()
{
    return detail::Connection::LockWaits();
}

LockWaitLimit::LockWaitLimit(int limitMs) : before_(detail::Connection::SetShortWait(limitMs)) {}

LockWaitLimit::~LockWaitLimit()
{
    detail::Connection::SetShortWait(before_);
}

} // namespace dao
