#include "foundation/CGZipFiles.h"

#include "foundation/CodeModule.h"

#include <algorithm>

CGZipFiles::CGZipFiles() = default;

qint32 CGZipFiles::ZipFileCount() const
{
    return static_cast<qint32>(files_.size()) - 1;
}

qsizetype CGZipFiles::IndexOf(const QString &path) const
{
    for (qsizetype i = 0; i < files_.size(); ++i) {
        if (files_[i].compare(path, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void CGZipFiles::AddFile(const QString &path)
{
    if (IndexOf(path) >= 0) {
        throw Error(ErrAlreadyListed, QStringLiteral("File is already in Zip List"),
                    QStringLiteral("CGZip::AddFile"));
    }
    files_.append(path);
}

void CGZipFiles::RemoveFile(const QString &path)
{
    const qsizetype index = IndexOf(path);
    if (index < 0) {
        throw Error(ErrNotListed, QStringLiteral("File is not in Zip List"),
                    QStringLiteral("CGZip::RemoveFile"));
    }
    files_.removeAt(index);
}

qint32 CGZipFiles::MakeZipFile()
{
    if (files_.size() > ZipNameListSize) {
        throw Error(ErrSubscriptOutOfRange, QStringLiteral("Indeks poza zakresem"),
                    QStringLiteral("CGZipFiles::MakeZipFile"));
    }
    ZipNameList names;
    std::copy(files_.cbegin(), files_.cend(), names.begin());
    return static_cast<qint32>(VBZip(static_cast<qint16>(files_.size()), zipFileName_, names, 0,
                                     recurseFolders_, updatingZip_, 0, rootDirectory_));
}

QString CGZipFiles::GetLastMessage() const
{
    return ZipLastMessage;
}
