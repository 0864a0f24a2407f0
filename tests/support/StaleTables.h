#pragma once

#include "foundation/Schema.h"
#include "platform/db/dao.h"

#include <QStringList>
#include <QTemporaryDir>

// A dictionaries file of its own with the named tables as the installation
// makes them, for the stores' tests that need no window and no drive map.
class StaleTables
{
public:
    explicit StaleTables(const QStringList &tables)
        : path_(dir_.filePath(QStringLiteral("Stale.mdb"))),
          db_(dao::DBEngine::Workspaces(0).CreateDatabase(path_))
    {
        for (const QString &table : tables)
            Schema::CreateTable(db_, *Schema::Table(Schema::Stale, table));
    }
    ~StaleTables()
    {
        if (db_.IsOpen())
            db_.Close();
    }

    dao::Database &db() { return db_; }
    const QString &path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
    dao::Database db_;
};
