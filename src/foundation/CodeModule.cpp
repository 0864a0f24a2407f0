#include "foundation/CodeModule.h"

#include "platform/RuntimeError.h"
#include "platform/fs/Cp1250.h"
#include "platform/fs/DriveMap.h"
#include "platform/zip/ZipWriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstring>

namespace zip32
{

namespace
{

Callbacks callbacks;
Options options;

void Print(const QString &text)
{
    if (!callbacks.print) {
        return;
    }
    QByteArray bytes = fs::Cp1250::Encode(text);
    const auto length = static_cast<unsigned long>(bytes.size());
    bytes.append('\0');
    callbacks.print(bytes.constData(), length);
}

// Options that would change what is packed in ways this library does not do;
// it refuses them rather than pack something else.
bool Unsupported(const Options &set)
{
    return set.encrypt || set.crlfToLf || set.lfToCrlf || set.grow || set.force || set.move ||
           set.deleteEntries || set.freshen || !set.date.isEmpty();
}

bool IsRelative(const QString &name)
{
    const bool drive = name.size() >= 2 && name[1] == u':';
    return !drive && !name.startsWith(u'\\') && !name.startsWith(u'/');
}

QString FullName(const QString &name)
{
    if (!IsRelative(name)) {
        return name;
    }
    QString root = options.rootDir;
    if (!root.endsWith(u'\\')) {
        root += u'\\';
    }
    return root + name;
}

// Stored names keep the folders below the drive (or below the root folder for
// relative names), as the library always did.
QString BaseFolderOf(const QString &name)
{
    if (IsRelative(name)) {
        return fs::DriveMap::ToReal(FullName(QString()));
    }
    if (!fs::DriveMap::IsWindowsPath(name)) {
        return QString();
    }
    const bool drive = name.size() >= 2 && name[1] == u':';
    return fs::DriveMap::DriveFolder(drive ? name[0] : QChar(u'C'));
}

int ResultOfAddFailure(const RuntimeError &error)
{
    return error.Number() == 7 ? ZE_MEM : ZE_OPEN;
}

// Adds one name; false (with the result set) when packing must stop.
bool AddName(zipw::ZipWriter &writer, const QString &name, int &added, int &result)
{
    const QString real = fs::DriveMap::ToReal(FullName(name));
    if (name.isEmpty() || !QFileInfo::exists(real)) {
        Print(QStringLiteral("  ostrzeżenie: nie znaleziono: %1\n").arg(name));
        return true;
    }
    zipw::ZipWriter::AddOptions add;
    add.baseFolder = BaseFolderOf(name);
    add.storePaths = !options.junkDir;
    add.recurse = options.recurse;
    add.includeHidden = options.system;
    add.folderEntries = !options.noDirEntries;
    try {
        const int before = writer.EntryCount();
        writer.AddPath(real, add);
        added += writer.EntryCount() - before;
        Print(QStringLiteral("  dodano: %1\n").arg(name));
    } catch (const RuntimeError &error) {
        Print(QStringLiteral("Błąd: nie można odczytać %1: %2\n").arg(name, error.Description()));
        result = ResultOfAddFailure(error);
        return false;
    }
    return true;
}

int Fail(int result, const QString &text)
{
    Print(text);
    return result;
}

} // namespace

int ZpInit(const Callbacks &routines)
{
    callbacks = routines;
    return 1;
}

int ZpSetOptions(const Options &set)
{
    options = set;
    return 1;
}

Options ZpGetOptions()
{
    return options;
}

int ZpArchive(int count, const QString &archiveName, const ZipNameList &names)
{
    if (count < 0 || count > ZipNameListSize || Unsupported(options)) {
        return Fail(ZE_PARMS, QStringLiteral("Błąd: nieobsługiwane opcje archiwizacji!\n"));
    }
    zipw::ZipWriter writer;
    try {
        writer.Open(fs::DriveMap::ToReal(archiveName), options.update
                                                           ? zipw::ZipWriter::OpenMode::Update
                                                           : zipw::ZipWriter::OpenMode::Create);
        if (options.level >= '0' && options.level <= '9') {
            writer.SetCompressionLevel(options.level - '0');
        }
    } catch (const RuntimeError &error) {
        return Fail(ZE_CREAT, QStringLiteral("Błąd: nie można utworzyć archiwum %1: %2\n")
                                  .arg(archiveName, error.Description()));
    }
    int added = 0;
    int result = ZE_OK;
    for (int i = 0; i < count; ++i) {
        if (!AddName(writer, names[static_cast<std::size_t>(i)], added, result)) {
            return result;
        }
    }
    if (added == 0) {
        return Fail(ZE_NONE,
                    QStringLiteral("Błąd: brak plików do spakowania! (%1)\n").arg(archiveName));
    }
    try {
        writer.Close();
    } catch (const RuntimeError &error) {
        return Fail(error.Number() == 7 ? ZE_MEM : ZE_WRITE,
                    QStringLiteral("Błąd: nie można zapisać archiwum %1: %2\n")
                        .arg(archiveName, error.Description()));
    }
    return ZE_OK;
}

} // namespace zip32

long VBZip(qint16 fileCount, const QString &archiveName, const ZipNameList &names,
           qint16 junkFolderNames, qint16 recurse, qint16 update, qint16 freshen,
           const QString &rootFolder, const VBZipFlags &flags)
{
    ZipLastMessage.clear();
    zip32::Callbacks routines;
    routines.print = PassAddress(&ZipPrintCallback);
    routines.password = PassAddress(&ZipPasswordCallback);
    routines.comment = PassAddress(&ZipCommentCallback);
    routines.service = nullptr;
    zip32::ZpInit(routines);

    zip32::Options set;
    set.encrypt = flags.encrypt != 0;
    set.system = flags.includeSystem != 0;
    set.noDirEntries = flags.noFolderEntries != 0;
    set.verbose = flags.verbose != 0;
    set.quiet = flags.quiet != 0;
    set.crlfToLf = flags.crlfToLf != 0;
    set.lfToCrlf = flags.lfToCrlf != 0;
    set.junkDir = junkFolderNames != 0;
    set.recurse = recurse != 0;
    set.grow = flags.grow != 0;
    set.force = flags.forceShortNames != 0;
    set.move = flags.move != 0;
    set.deleteEntries = flags.deleteEntries != 0;
    set.update = update != 0;
    set.freshen = freshen != 0;
    set.level = 0;
    set.rootDir = rootFolder.toUpper();
    zip32::ZpSetOptions(set);

    return zip32::ZpArchive(fileCount, archiveName, names);
}

int ZipPrintCallback(const char *buffer, unsigned long length)
{
    const std::size_t size = buffer ? strnlen(buffer, length) : 0;
    ZipLastMessage += fs::Cp1250::Decode(QByteArrayView(buffer, static_cast<qsizetype>(size)));
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents();
    }
    return 0;
}

int ZipPasswordCallback(char *, int, const char *, const char *)
{
    return 1;
}

char *ZipCommentCallback(char *comment)
{
    return comment;
}
