#pragma once

#include <QString>

struct zip;

namespace zipw
{

// Writes a zip archive through libzip. Paths are real paths. The archive is
// written on Close; until then nothing on disk changes, and an archive that
// cannot be written leaves no partial file. Failures raise RuntimeError:
// 53 a file to add is missing, 76 the archive's folder is missing,
// 75 the archive cannot be read or written.
class ZipWriter
{
public:
    enum class OpenMode {
        Create, // a new archive, replacing an existing file on Close
        Update, // add to an existing archive (created when missing)
    };

    // How the stored names of added files and folders are formed.
    struct AddOptions {
        // Names are relative to this folder; files outside it keep their path
        // without the leading "/". Empty: relative to the root.
        QString baseFolder;
        bool storePaths = true;     // false: only the file name
        bool recurse = true;        // folders: descend into sub-folders
        bool includeHidden = false; // names starting with "."
        bool folderEntries = true;  // store entries for folders too
    };

    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    void Open(const QString &archivePath, OpenMode mode = OpenMode::Create);

    // 0 stores, 1..9 deflate; -1 libzip's default. Applies to files added later.
    void SetCompressionLevel(int level);

    // Adds one file under the given stored name ("a/b.txt"); an entry of the same
    // name is replaced.
    void AddFile(const QString &filePath, const QString &storedName);
    // Adds a file or a folder with names formed by the options.
    void AddPath(const QString &path, const AddOptions &options);

    // Entries the archive will hold (previous entries of an updated one
    // included).
    int EntryCount() const;

    // Writes the archive and returns its number of entries. An archive with no
    // entries is not written (and returns 0).
    int Close();
    // Drops the changes; the file on disk stays as it was.
    void Discard();

    bool IsOpen() const { return archive_ != nullptr; }

private:
    void AddFolder(const QString &folder, const AddOptions &options);
    void AddDirectoryEntry(const QString &storedName);
    QString StoredName(const QString &path, const AddOptions &options) const;
    void EnsureOpen() const;

    zip *archive_ = nullptr;
    int level_ = -1;
};

} // namespace zipw
