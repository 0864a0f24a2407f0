#include "Workspace.h"

#include "Connection.h"
#include "DaoError.h"
#include "DatabaseImpl.h"

#include <QDir>
#include <QFileInfo>

namespace dao
{

namespace
{

void requireFolder(const QString &name)
{
    const QFileInfo file(name);
    if (name.trimmed().isEmpty() || file.fileName().isEmpty() ||
        !QFileInfo(file.absolutePath()).isDir())
        throw Error::Make(err::InvalidPath, {name});
}

} // namespace

Database Workspace::OpenDatabase(const QString &name)
{
    requireFolder(name);
    const QFileInfo file(name);
    if (file.isDir())
        throw Error::Make(err::InvalidPath, {name});
    if (!file.exists())
        throw Error::Make(err::FileNotFound, {name});
    auto connection = detail::Connection::Acquire(name, false);
    return Database(std::make_shared<detail::DatabaseImpl>(name, std::move(connection)));
}

Database Workspace::CreateDatabase(const QString &name, const QString &locale)
{
    Q_UNUSED(locale) // one collation for every file
    requireFolder(name);
    if (QFileInfo::exists(name))
        throw Error::Make(err::DatabaseExists, {name});
    auto connection = detail::Connection::Acquire(name, true);
    return Database(std::make_shared<detail::DatabaseImpl>(name, std::move(connection)));
}

} // namespace dao
