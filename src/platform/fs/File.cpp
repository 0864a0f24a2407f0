#include "platform/fs/File.h"

#include "platform/fs/FileSystemObject.h"

namespace fs
{

File::File(QString windowsPath) : path_(std::move(windowsPath)) {}

QString File::Name() const
{
    return FileSystemObject::GetFileName(path_);
}

void File::Copy(const QString &destination, bool overwrite) const
{
    FileSystemObject::CopyFile(path_, destination, overwrite);
}

} // namespace fs
