#include "platform/zip/ZipWriter.h"

#include "platform/zip/ZipErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <zip.h>

namespace zipw
{

namespace
{

int NumberOfLibzipError(int zipCode, int systemCode)
{
    switch (zipCode) {
    case ZIP_ER_MEMORY:
        return ErrOutOfMemory;
    case ZIP_ER_NOENT:
        return ErrFileNotFound;
    case ZIP_ER_EXISTS:
        return ErrFileExists;
    case ZIP_ER_INVAL:
        return ErrInvalidArgument;
    case ZIP_ER_OPEN:
        return systemCode == ENOENT ? ErrFileNotFound : ErrPathFileAccess;
    default:
        return ErrPathFileAccess;
    }
}

RuntimeError ErrorOf(zip_error_t *error)
{
    return ZipError(NumberOfLibzipError(zip_error_code_zip(error), zip_error_code_system(error)));
}

QByteArray NativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// Stored names use "/" and never hold an absolute path or "..", so that an
// archive unpacks inside the folder it is unpacked in.
QString CleanStoredName(const QString &name)
{
    QStringList parts;
    for (const QString &part : QString(name).replace(u'\\', u'/').split(u'/')) {
        if (!part.isEmpty() && part != u"." && part != u"..") {
            parts.append(part);
        }
    }
    return parts.join(u'/');
}

} // namespace

ZipWriter::ZipWriter() = default;

ZipWriter::~ZipWriter()
{
    Discard();
}

void ZipWriter::Open(const QString &archivePath, OpenMode mode)
{
    Discard();
    const QFileInfo info(archivePath);
    if (!QFileInfo(info.absolutePath()).isDir()) {
        throw ZipError(ErrPathNotFound);
    }
    if (info.isDir()) {
        throw ZipError(ErrPathFileAccess);
    }
    const int flags = mode == OpenMode::Create ? ZIP_CREATE | ZIP_TRUNCATE : ZIP_CREATE;
    int code = 0;
    archive_ = zip_open(NativePath(archivePath).constData(), flags, &code);
    if (!archive_) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const RuntimeError failure = ErrorOf(&error);
        zip_error_fini(&error);
        throw failure;
    }
}

void ZipWriter::SetCompressionLevel(int level)
{
    if (level < -1 || level > 9) {
        throw ZipError(ErrInvalidArgument);
    }
    level_ = level;
}

void ZipWriter::AddFile(const QString &filePath, const QString &storedName)
{
    EnsureOpen();
    const QFileInfo info(filePath);
    if (!info.isFile()) {
        throw ZipError(ErrFileNotFound);
    }
    if (!info.isReadable()) {
        throw ZipError(ErrPathFileAccess);
    }
    const QString name = CleanStoredName(storedName);
    if (name.isEmpty()) {
        throw ZipError(ErrInvalidArgument);
    }
    zip_source_t *source = zip_source_file(archive_, NativePath(filePath).constData(), 0, 0);
    if (!source) {
        throw ErrorOf(zip_get_error(archive_));
    }
    const zip_int64_t index = zip_file_add(archive_, name.toUtf8().constData(), source,
                                           ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        throw ErrorOf(zip_get_error(archive_));
    }
    if (level_ >= 0) {
        const zip_int32_t method = level_ == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), method,
                                 static_cast<zip_uint32_t>(level_));
    }
}

void ZipWriter::AddPath(const QString &path, const AddOptions &options)
{
    EnsureOpen();
    const QFileInfo info(path);
    if (info.isDir()) {
        AddFolder(info.absoluteFilePath(), options);
    } else if (info.isFile()) {
        AddFile(path, StoredName(path, options));
    } else {
        throw ZipError(ErrFileNotFound);
    }
}

void ZipWriter::AddFolder(const QString &folder, const AddOptions &options)
{
    if (options.folderEntries && options.storePaths) {
        AddDirectoryEntry(StoredName(folder, options));
    }
    QDir::Filters filters = QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot;
    if (options.includeHidden) {
        filters |= QDir::Hidden;
    }
    const QFileInfoList entries = QDir(folder).entryInfoList(filters, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isFile()) {
            AddFile(entry.filePath(), StoredName(entry.filePath(), options));
        } else if (options.recurse && !entry.isSymLink()) {
            // Linked folders are left out: a link to a parent folder would never end.
            AddFolder(entry.filePath(), options);
        }
    }
}

void ZipWriter::AddDirectoryEntry(const QString &storedName)
{
    const QString name = CleanStoredName(storedName);
    if (name.isEmpty()) {
        return;
    }
    const QByteArray utf8 = (name + u'/').toUtf8();
    if (zip_name_locate(archive_, utf8.constData(), ZIP_FL_ENC_UTF_8) >= 0) {
        return;
    }
    if (zip_dir_add(archive_, utf8.constData(), ZIP_FL_ENC_UTF_8) < 0) {
        throw ErrorOf(zip_get_error(archive_));
    }
}

QString ZipWriter::StoredName(const QString &path, const AddOptions &options) const
{
    const QFileInfo info(path);
    if (!options.storePaths) {
        return info.fileName();
    }
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    QString base = options.baseFolder.isEmpty()
                       ? QString()
                       : QDir::cleanPath(QFileInfo(options.baseFolder).absoluteFilePath());
    if (base == u"/") {
        base.clear();
    }
    if (!base.isEmpty() && absolute.startsWith(base + u'/')) {
        return absolute.mid(base.size() + 1);
    }
    return absolute.mid(1);
}

int ZipWriter::EntryCount() const
{
    return archive_ ? static_cast<int>(zip_get_num_entries(archive_, 0)) : 0;
}

int ZipWriter::Close()
{
    EnsureOpen();
    const int count = EntryCount();
    if (count == 0) {
        // libzip would delete an existing file instead of writing an empty archive.
        Discard();
        return 0;
    }
    if (zip_close(archive_) != 0) {
        const RuntimeError failure = ErrorOf(zip_get_error(archive_));
        Discard();
        throw failure;
    }
    archive_ = nullptr;
    return count;
}

void ZipWriter::Discard()
{
    if (archive_) {
        zip_discard(archive_);
        archive_ = nullptr;
    }
}

void ZipWriter::EnsureOpen() const
{
    if (!archive_) {
        throw ZipError(ErrInvalidArgument);
    }
}

} // namespace zipw
