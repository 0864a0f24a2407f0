#pragma once

// The database engine layer: old engine vocabulary over SQLite files.
#include "Bookmark.h"
#include "DBEngine.h"
#include "DaoError.h"
#include "DaoTypes.h"
#include "Database.h"
#include "Field.h"
#include "Fields.h"
#include "Recordset.h"
#include "SqlText.h"
#include "TableDef.h"
#include "TableDefs.h"
#include "Transaction.h"
#include "Workspace.h"
