#include "platform/fs/FileSystemObject.h"

#include "platform/fs/DriveMap.h"
#include "platform/fs/FsErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace fs
{

namespace
{

bool IsSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
}

bool HasDrive(const QString &path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 0x80;
}

// Length of the root of a path: "C:\" 3, "C:" 2, "\" 1, none 0.
qsizetype RootLength(const QString &path)
{
    qsizetype length = HasDrive(path) ? 2 : 0;
    if (path.size() > length && IsSeparator(path[length])) {
        ++length;
    }
    return length;
}

QString WithoutTrailingSeparators(const QString &path, qsizetype rootLength)
{
    qsizetype end = path.size();
    while (end > rootLength && IsSeparator(path[end - 1])) {
        --end;
    }
    return path.left(end);
}

qsizetype LastSeparator(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (IsSeparator(path[i])) {
            return i;
        }
    }
    return -1;
}

bool Exists(const QFileInfo &info)
{
    return info.exists() || info.isSymLink();
}

// The drive of a Windows path must exist before anything is created on it, so
// that a missing drive is reported rather than created as an empty folder.
void RequireDrive(const QString &path)
{
    if (DriveMap::IsWindowsPath(path) &&
        !QFileInfo(DriveMap::DriveFolder(HasDrive(path) ? path[0] : QChar(u'C'))).isDir()) {
        throw FsError(ErrPathNotFound);
    }
}

void RequireParentFolder(const QString &real)
{
    if (!QFileInfo(QFileInfo(real).absolutePath()).isDir()) {
        throw FsError(ErrPathNotFound);
    }
}

// Copies through a temporary file that replaces the destination only when the
// whole content is written, and keeps the source's modification time.
void CopyContent(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        throw FsError(ErrPathFileAccess);
    }
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) {
        throw FsError(ErrPathFileAccess);
    }
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) {
            throw FsError(ErrPathFileAccess);
        }
        if (target.write(chunk) != chunk.size()) {
            throw FsError(ErrPathFileAccess);
        }
    }
    if (!target.commit()) {
        throw FsError(ErrPathFileAccess);
    }
    QFile copied(to);
    if (copied.open(QIODevice::ReadWrite)) {
        copied.setFileTime(source.fileTime(QFileDevice::FileModificationTime),
                           QFileDevice::FileModificationTime);
    }
}

QChar DriveLetterOf(const QString &drive)
{
    const QString text = drive.trimmed();
    if (text.isEmpty() || !text[0].isLetter() || text[0].unicode() >= 0x80) {
        return QChar();
    }
    if (text.size() == 1 || text[1] == u':') {
        return text[0];
    }
    return QChar();
}

} // namespace

bool FileSystemObject::DriveExists(const QString &drive)
{
    const QChar letter = DriveLetterOf(drive);
    return !letter.isNull() && QFileInfo(DriveMap::DriveFolder(letter)).isDir();
}

bool FileSystemObject::FolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(DriveMap::ToReal(path)).isDir();
}

bool FileSystemObject::FileExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(DriveMap::ToReal(path)).isFile();
}

void FileSystemObject::CreateFolder(const QString &path)
{
    RequireDrive(path);
    const QString real = DriveMap::ToReal(path);
    if (Exists(QFileInfo(real))) {
        throw FsError(ErrFileExists);
    }
    RequireParentFolder(real);
    if (!QDir().mkdir(real)) {
        throw FsError(ErrPathFileAccess);
    }
}

void FileSystemObject::CreateFolderPath(const QString &path)
{
    RequireDrive(path);
    const QString real = DriveMap::ToReal(path);
    const QFileInfo info(real);
    if (info.isDir()) {
        return;
    }
    if (Exists(info)) {
        throw FsError(ErrFileExists);
    }
    if (!QDir().mkpath(real)) {
        throw FsError(ErrPathFileAccess);
    }
}

void FileSystemObject::CreateFolderIfMissing(const QString &path)
{
    RequireDrive(path);
    const QString real = DriveMap::ToReal(path);
    if (QFileInfo(real).isDir()) {
        return;
    }
    RequireParentFolder(real);
    if (QDir().mkdir(real) || QFileInfo(real).isDir()) {
        return;
    }
    throw FsError(Exists(QFileInfo(real)) ? ErrFileExists : ErrPathFileAccess);
}

bool FileSystemObject::MoveFileNoReplace(const QString &source, const QString &destination)
{
    const QByteArray from = QFile::encodeName(DriveMap::ToReal(source));
    const QByteArray to = QFile::encodeName(DriveMap::ToReal(destination));
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    int error = errno;
    // File systems without the no-replace rename (some network shares): a
    // hard link fails on an existing name just the same.
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return true;
        }
        error = errno;
    }
    if (error == EEXIST) {
        return false;
    }
    throw FsError(error == ENOENT && !QFileInfo::exists(QFile::decodeName(from))
                      ? ErrFileNotFound
                      : ErrPathFileAccess);
}

File FileSystemObject::GetFile(const QString &path)
{
    if (!FileExists(path)) {
        throw FsError(ErrFileNotFound);
    }
    return File(path);
}

void FileSystemObject::CopyFile(const QString &source, const QString &destination, bool overwrite)
{
    const QString from = DriveMap::ToReal(source);
    const QFileInfo sourceInfo(from);
    if (!sourceInfo.isFile()) {
        throw FsError(ErrFileNotFound);
    }
    const bool intoFolder = !destination.isEmpty() && IsSeparator(destination.back());
    const QString to = intoFolder ? DriveMap::ToReal(destination) + u'/' + sourceInfo.fileName()
                                  : DriveMap::ToReal(destination);
    const QFileInfo targetInfo(to);
    RequireParentFolder(to);
    if (targetInfo.isDir()) {
        throw FsError(ErrPathFileAccess);
    }
    if (Exists(targetInfo)) {
        if (!overwrite) {
            throw FsError(ErrFileExists);
        }
        // Replacing a file by itself would lose it.
        if (targetInfo.canonicalFilePath() == sourceInfo.canonicalFilePath()) {
            throw FsError(ErrPathFileAccess);
        }
    }
    CopyContent(from, to);
}

void FileSystemObject::DeleteFile(const QString &path)
{
    const QString real = DriveMap::ToReal(path);
    const QFileInfo info(real);
    if (path.isEmpty() || !Exists(info) || info.isDir()) {
        throw FsError(ErrFileNotFound);
    }
    if (!QFile::remove(real)) {
        throw FsError(ErrPathFileAccess);
    }
}

TextStream FileSystemObject::CreateTextFile(const QString &path, bool overwrite)
{
    const QString real = DriveMap::ToReal(path);
    RequireParentFolder(real);
    const QFileInfo info(real);
    if (info.isDir()) {
        throw FsError(ErrPathFileAccess);
    }
    if (Exists(info) && !overwrite) {
        throw FsError(ErrFileExists);
    }
    return TextStream(real, TextStream::Mode::Create);
}

TextStream FileSystemObject::OpenTextFileForAppending(const QString &path)
{
    const QString real = DriveMap::ToReal(path);
    RequireParentFolder(real);
    if (QFileInfo(real).isDir()) {
        throw FsError(ErrPathFileAccess);
    }
    return TextStream(real, TextStream::Mode::Append);
}

QString FileSystemObject::GetParentFolderName(const QString &path)
{
    const qsizetype root = RootLength(path);
    const QString trimmed = WithoutTrailingSeparators(path, root);
    if (trimmed.size() <= root) {
        return QString();
    }
    const qsizetype separator = LastSeparator(trimmed);
    if (separator < root) {
        return trimmed.left(root);
    }
    return WithoutTrailingSeparators(trimmed.left(separator), root);
}

QString FileSystemObject::GetFileName(const QString &path)
{
    const qsizetype root = RootLength(path);
    const QString trimmed = WithoutTrailingSeparators(path, root);
    if (trimmed.size() <= root) {
        return QString();
    }
    return trimmed.mid(qMax(LastSeparator(trimmed) + 1, root));
}

QString FileSystemObject::BuildPath(const QString &path, const QString &name)
{
    qsizetype skip = 0;
    while (skip < name.size() && IsSeparator(name[skip])) {
        ++skip;
    }
    const QString tail = name.mid(skip);
    if (path.isEmpty()) {
        return tail;
    }
    const bool bareDrive = path.size() == 2 && HasDrive(path);
    if (bareDrive || IsSeparator(path.back())) {
        return path + tail;
    }
    return path + u'\\' + tail;
}

} // namespace fs
