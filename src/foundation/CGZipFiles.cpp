#include "foundation/CGZipFiles.h"

#include "platform/fs/DriveMap.h"
#include "platform/zip/ZipWriter.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace
{

// The results the packing has always given.
enum Result {
    ZipOk = 0,
    ZipOutOfMemory = 4,
    ZipNothingPacked = 12,
    ZipNotWritten = 14,
    ZipNotCreated = 15,
    ZipFileUnreadable = 18,
};

// The most names one packing run takes, the placeholder included.
constexpr qsizetype NameListSize = 100;

bool IsRelative(const QString &name)
{
    const bool drive = name.size() >= 2 && name[1] == u':';
    return !drive && !name.startsWith(u'\\') && !name.startsWith(u'/');
}

} // namespace

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

void CGZipFiles::Report(const QString &text)
{
    lastMessage_ += text;
    // A long run keeps the window painted.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

// A relative name starts at the root folder (in capitals, as it always
// reached the packing); stored names keep the folders below the drive, or
// below the root folder for relative names.
bool CGZipFiles::AddName(zipw::ZipWriter &writer, const QString &name, int &added, int &result)
{
    QString root = rootDirectory_.toUpper();
    if (!root.endsWith(u'\\'))
        root += u'\\';
    const bool relative = IsRelative(name);
    const QString real = fs::DriveMap::ToReal(relative ? root + name : name);
    if (name.isEmpty() || !QFileInfo::exists(real)) {
        Report(QStringLiteral("  ostrzeżenie: nie znaleziono: %1\n").arg(name));
        return true;
    }
    zipw::ZipWriter::AddOptions add;
    if (relative)
        add.baseFolder = fs::DriveMap::ToReal(root);
    else if (fs::DriveMap::IsWindowsPath(name))
        add.baseFolder =
            fs::DriveMap::DriveFolder(name.size() >= 2 && name[1] == u':' ? name[0] : QChar(u'C'));
    add.recurse = recurseFolders_ != 0;
    try {
        const int before = writer.EntryCount();
        writer.AddPath(real, add);
        added += writer.EntryCount() - before;
        Report(QStringLiteral("  dodano: %1\n").arg(name));
    } catch (const RuntimeError &error) {
        Report(QStringLiteral("Błąd: nie można odczytać %1: %2\n").arg(name, error.Description()));
        result = error.Number() == rterr::OutOfMemory ? ZipOutOfMemory : ZipFileUnreadable;
        return false;
    }
    return true;
}

qint32 CGZipFiles::MakeZipFile()
{
    if (files_.size() > NameListSize) {
        throw Error(ErrSubscriptOutOfRange, QStringLiteral("Indeks poza zakresem"),
                    QStringLiteral("CGZipFiles::MakeZipFile"));
    }
    lastMessage_.clear();
    zipw::ZipWriter writer;
    try {
        writer.Open(fs::DriveMap::ToReal(zipFileName_), updatingZip_
                                                            ? zipw::ZipWriter::OpenMode::Update
                                                            : zipw::ZipWriter::OpenMode::Create);
    } catch (const RuntimeError &error) {
        Report(QStringLiteral("Błąd: nie można utworzyć archiwum %1: %2\n")
                   .arg(zipFileName_, error.Description()));
        return ZipNotCreated;
    }
    int added = 0;
    int result = ZipOk;
    // The placeholder goes with the paths and is reported as a name without a file.
    for (const QString &name : std::as_const(files_)) {
        if (!AddName(writer, name, added, result))
            return result;
    }
    if (added == 0) {
        Report(QStringLiteral("Błąd: brak plików do spakowania! (%1)\n").arg(zipFileName_));
        return ZipNothingPacked;
    }
    try {
        writer.Close();
    } catch (const RuntimeError &error) {
        Report(QStringLiteral("Błąd: nie można zapisać archiwum %1: %2\n")
                   .arg(zipFileName_, error.Description()));
        return error.Number() == rterr::OutOfMemory ? ZipOutOfMemory : ZipNotWritten;
    }
    return ZipOk;
}

QString CGZipFiles::GetLastMessage() const
{
    return lastMessage_;
}
