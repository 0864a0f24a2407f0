#pragma once

#include "Workspace.h"

namespace dao
{

struct DBEngine {
    static Workspace &Workspaces(int index = 0);
};

} // namespace dao
