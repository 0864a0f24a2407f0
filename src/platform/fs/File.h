#pragma once

#include <QString>

namespace fs
{

// A file obtained from FileSystemObject::GetFile: its Windows path and a copy.
class File
{
public:
    explicit File(QString windowsPath);

    const QString &Path() const { return path_; }
    QString Name() const;

    // Copies the file to a file path, or into a folder when the destination ends
    // with "\". An existing destination is replaced when overwrite is true,
    // otherwise error 58.
    void Copy(const QString &destination, bool overwrite = true) const;

private:
    QString path_;
};

} // namespace fs
