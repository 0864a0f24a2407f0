#pragma once

#include <QString>

namespace fs
{

// The register keeps Windows paths ("T:\Dane\2026\Mervask202612.mdb"). The drive
// map turns them into real paths under a drives folder that holds one folder per
// drive letter ("c", "t"), and turns real paths back into the drive form.
//
// The drives folder is $MERVASKLAB_DRIVES, or ~/.local/share/mervasklab/drives.
// Names resolve without regard to case: an existing entry whose name differs only
// in case is used, otherwise the name as written. ".." never leaves the drive's
// folder. Paths that are already real absolute paths ("/...") pass unchanged, so
// that a path outside the drives folder survives the round trip.
class DriveMap
{
public:
    static QString DrivesFolder();
    // An empty folder restores the environment/default folder.
    static void SetDrivesFolder(const QString &folder);

    // The real folder of one drive letter ('T' -> ".../drives/t").
    static QString DriveFolder(QChar letter);

    // "T:\Dane\x.mdb" -> ".../drives/t/Dane/x.mdb". A rooted path without a drive
    // ("\Dane") and a relative path are taken on drive C:. A trailing separator is
    // dropped.
    static QString ToReal(const QString &path);

    // ".../drives/t/Dane/x.mdb" -> "T:\Dane\x.mdb"; ".../drives/t" -> "T:\".
    // A path outside the drives folder is returned unchanged.
    static QString ToWindows(const QString &realPath);

    // False for real absolute paths ("/..."), true for any other non-empty path.
    static bool IsWindowsPath(const QString &path);
};

} // namespace fs
