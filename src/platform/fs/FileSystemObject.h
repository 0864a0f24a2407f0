#pragma once

#include "platform/fs/File.h"
#include "platform/fs/TextStream.h"

#include <QString>

namespace fs
{

// The old scripting file-system object's vocabulary over Windows paths, mapped
// to real paths through the drive map. Real absolute paths are accepted too.
// Failures raise RuntimeError: 53 file not found, 58 file exists,
// 75 path/file access error, 76 path not found.
class FileSystemObject
{
public:
    // "T:", "T:\" or "T" exists when the drive's folder exists.
    static bool DriveExists(const QString &drive);
    static bool FolderExists(const QString &path);
    static bool FileExists(const QString &path);

    // Creates one folder; its parent must exist (76), the folder must not (58).
    static void CreateFolder(const QString &path);
    // Creates the folder and any missing parents; an existing folder is fine.
    static void CreateFolderPath(const QString &path);
    // Creates one folder unless it exists; its parent must exist (76). A folder
    // that another workstation makes at the same moment is no failure; a file
    // of that name is (58).
    static void CreateFolderIfMissing(const QString &path);

    // Gives the file `source` the name `destination` in one step that never
    // replaces a file: false, with nothing changed, when `destination` exists
    // (also when it appears while the name is being given). A missing source
    // raises 53, any other failure 75.
    static bool MoveFileNoReplace(const QString &source, const QString &destination);

    // The file at the path; a missing file raises 53.
    static File GetFile(const QString &path);
    static void CopyFile(const QString &source, const QString &destination, bool overwrite = true);
    // A missing file raises 53.
    static void DeleteFile(const QString &path);

    // Creates (or, with overwrite, empties) a text file; an existing file without
    // overwrite raises 58.
    static TextStream CreateTextFile(const QString &path, bool overwrite = true);
    // Opens a text file for appending, creating it when it does not exist.
    static TextStream OpenTextFileForAppending(const QString &path);

    // Pure text operations on Windows paths, as the old object did them.
    static QString GetParentFolderName(const QString &path);
    static QString GetFileName(const QString &path);
    static QString BuildPath(const QString &path, const QString &name);
};

} // namespace fs
