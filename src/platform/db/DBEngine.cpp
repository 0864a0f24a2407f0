#include "DBEngine.h"

#include "Connection.h"

namespace dao
{

Workspace &DBEngine::Workspaces(int index)
{
    Q_UNUSED(index) // one workspace, as the old code only ever used the first
    static Workspace workspace;
    return workspace;
}

quint64 DBEngine::LockWaits()
{
    return detail::Connection::LockWaits();
}

} // namespace dao
