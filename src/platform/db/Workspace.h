#pragma once

#include "DaoTypes.h"
#include "Database.h"

#include <QString>

namespace dao
{

class Workspace
{
public:
    // Opens an existing file; never creates one. 3044 when the folder does
    // not exist, 3024 when the file does not, 3343 when it is no database.
    Database OpenDatabase(const QString &name);
    // Creates a new, empty database file: 3204 when the file exists, 3044
    // when its folder does not. The locale text has no effect.
    Database CreateDatabase(const QString &name, const QString &locale = dbLangGeneral);
};

} // namespace dao
