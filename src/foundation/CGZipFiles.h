#pragma once

#include "platform/RuntimeError.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace zipw
{
class ZipWriter;
}

// Collects the paths of files and packs them into one zip archive through the
// zip writer of the platform. The Boolean properties are kept as 1 or 0;
// Encrypted and IncludeSystemFiles are kept for their getters only.
class CGZipFiles
{
public:
    // The class's own errors carry the routine that raised them.
    class Error : public RuntimeError
    {
    public:
        Error(int number, QString description, QString source)
            : RuntimeError(number, std::move(description)), source_(std::move(source))
        {
        }
        const QString &Source() const noexcept { return source_; }

    private:
        QString source_;
    };

    static constexpr int ErrObjectBase = -2147221504;
    static constexpr int ErrAlreadyListed = ErrObjectBase + 2001;
    static constexpr int ErrNotListed = ErrObjectBase + 2002;
    static constexpr int ErrSubscriptOutOfRange = 9;

    CGZipFiles();

    bool RecurseFolders() const { return recurseFolders_ == 1; }
    void SetRecurseFolders(bool value) { recurseFolders_ = value ? 1 : 0; }
    QString ZipFileName() const { return zipFileName_; }
    void SetZipFileName(const QString &value) { zipFileName_ = value; }
    bool Encrypted() const { return encrypted_ == 1; }
    void SetEncrypted(bool value) { encrypted_ = value ? 1 : 0; }
    bool IncludeSystemFiles() const { return includeSystemFiles_ == 1; }
    void SetIncludeSystemFiles(bool value) { includeSystemFiles_ = value ? 1 : 0; }
    // The listed paths, the placeholder not counted.
    qint32 ZipFileCount() const;
    QString RootDirectory() const { return rootDirectory_; }
    void SetRootDirectory(const QString &value) { rootDirectory_ = value; }
    bool UpdatingZip() const { return updatingZip_ == 1; }
    void SetUpdatingZip(bool value) { updatingZip_ = value ? 1 : 0; }

    // Raise Error (ErrAlreadyListed, ErrNotListed); the list is then unchanged.
    void AddFile(const QString &path);
    void RemoveFile(const QString &path);

    // Packs the list into ZipFileName: 0 for success, else 4 (out of memory),
    // 12 (no file packed), 14 (not written), 15 (not created) or 18 (a file
    // unreadable). A name without a file is reported and skipped. More than 99
    // paths raise ErrSubscriptOutOfRange.
    qint32 MakeZipFile();
    // The messages of the last packing run.
    QString GetLastMessage() const;

private:
    qsizetype IndexOf(const QString &path) const;
    bool AddName(zipw::ZipWriter &writer, const QString &name, int &added, int &result);
    void Report(const QString &text);

    // The list always starts with a placeholder that goes with the paths and
    // is reported as a name without a file.
    QStringList files_{QStringLiteral("querty")};
    qint16 recurseFolders_ = 0;
    QString zipFileName_;
    qint16 encrypted_ = 0;
    qint16 includeSystemFiles_ = 0;
    QString rootDirectory_ = QStringLiteral("\\");
    qint16 updatingZip_ = 0;
    QString lastMessage_;
};
