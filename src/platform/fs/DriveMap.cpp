#include "platform/fs/DriveMap.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <mutex>

namespace fs
{

namespace
{

std::mutex folderMutex;
QString folderOverride;

bool IsDriveLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool HasDrive(const QString &path)
{
    return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':';
}

bool EntryExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The entry of the folder named like `name`: the exact name when it exists,
// else the first entry (in name order) that differs only in case, else `name`.
QString ResolveName(const QString &folder, const QString &name, bool &found)
{
    if (EntryExists(folder + u'/' + name)) {
        found = true;
        return name;
    }
    const QStringList entries = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            found = true;
            return entry;
        }
    }
    found = false;
    return name;
}

// Splits the part after the drive into names; "." is dropped and ".." removes
// the previous name but never climbs above the drive's root.
QStringList DriveComponents(QString rest)
{
    QStringList names;
    for (const QString &part : rest.replace(u'\\', u'/').split(u'/')) {
        if (part.isEmpty() || part == u".") {
            continue;
        }
        if (part == u"..") {
            if (!names.isEmpty()) {
                names.removeLast();
            }
            continue;
        }
        names.append(part);
    }
    return names;
}

QString DefaultDrivesFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("MERVASKLAB_DRIVES");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    return QDir::homePath() + QStringLiteral("/.local/share/mervasklab/drives");
}

// The drive letter that a folder directly under the drives folder stands for.
QChar LetterOfFolder(const QString &name)
{
    if (name.size() == 1 && IsDriveLetter(name[0])) {
        return name[0].toUpper();
    }
    return QChar();
}

QString ToWindowsUnder(const QString &root, const QString &path)
{
    if (root.isEmpty() || !path.startsWith(root + u'/')) {
        return QString();
    }
    const QString relative = path.mid(root.size() + 1);
    const qsizetype slash = relative.indexOf(u'/');
    const QChar letter = LetterOfFolder(slash < 0 ? relative : relative.left(slash));
    if (letter.isNull()) {
        return QString();
    }
    QString rest = slash < 0 ? QString() : relative.mid(slash + 1);
    return QString(letter) + QStringLiteral(":\\") + rest.replace(u'/', u'\\');
}

} // namespace

QString DriveMap::DrivesFolder()
{
    QString folder;
    {
        const std::lock_guard lock(folderMutex);
        folder = folderOverride;
    }
    if (folder.isEmpty()) {
        folder = DefaultDrivesFolder();
    }
    return QDir::cleanPath(QDir(folder).absolutePath());
}

void DriveMap::SetDrivesFolder(const QString &folder)
{
    const std::lock_guard lock(folderMutex);
    folderOverride = folder;
}

QString DriveMap::DriveFolder(QChar letter)
{
    const QString root = DrivesFolder();
    const QString lower = QString(letter.toLower());
    if (EntryExists(root + u'/' + lower)) {
        return root + u'/' + lower;
    }
    bool found = false;
    return root + u'/' + ResolveName(root, lower, found);
}

bool DriveMap::IsWindowsPath(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(u'/');
}

QString DriveMap::ToReal(const QString &path)
{
    if (!IsWindowsPath(path)) {
        return path.isEmpty() ? QString() : QDir::cleanPath(path);
    }
    const bool drive = HasDrive(path);
    QString real = DriveFolder(drive ? path[0] : QChar(u'C'));
    bool exists = EntryExists(real);
    for (const QString &name : DriveComponents(path.mid(drive ? 2 : 0))) {
        if (exists) {
            real += u'/' + ResolveName(real, name, exists);
        } else {
            real += u'/' + name;
        }
    }
    return real;
}

QString DriveMap::ToWindows(const QString &realPath)
{
    if (realPath.isEmpty() || IsWindowsPath(realPath)) {
        return realPath;
    }
    const QString path = QDir::cleanPath(realPath);
    const QString root = DrivesFolder();
    QString mapped = ToWindowsUnder(root, path);
    if (mapped.isEmpty()) {
        // A dialog may hand back the path with the drives folder's links resolved.
        const QString canonical = QFileInfo(root).canonicalFilePath();
        if (canonical != root) {
            mapped = ToWindowsUnder(canonical, path);
        }
    }
    return mapped.isEmpty() ? realPath : mapped;
}

} // namespace fs
