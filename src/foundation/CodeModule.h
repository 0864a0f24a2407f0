#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// The zip support of the register: the archiving library with its three entry
// points, and the module that hands it a name list and options and collects
// its messages. The class CGZipFiles is the only caller.

// The messages of the library's last packing run.
inline QString ZipLastMessage;

// The names handed to the library: a fixed number of places, unused ones empty.
inline constexpr int ZipNameListSize = 100;
using ZipNameList = std::array<QString, ZipNameListSize>;

namespace zip32
{

// Routines the library calls back while it packs.
using PrintRoutine = int (*)(const char *buffer, unsigned long length);
using PasswordRoutine = int (*)(char *password, int size, const char *prompt, const char *name);
using CommentRoutine = char *(*)(char *comment);
using ServiceRoutine = int (*)(const char *name, unsigned long size);

struct Callbacks {
    PrintRoutine print = nullptr;
    PasswordRoutine password = nullptr;
    CommentRoutine comment = nullptr;
    ServiceRoutine service = nullptr;
};

struct Options {
    QString date;    // only files newer than this date; empty for all
    QString rootDir; // relative names start here
    bool encrypt = false;
    bool system = false;       // hidden and system files too
    bool noDirEntries = false; // no entries for folders
    bool verbose = false;
    bool quiet = false;
    bool crlfToLf = false;
    bool lfToCrlf = false;
    bool junkDir = false; // store file names without their folders
    bool recurse = false;
    bool grow = false;
    bool force = false; // short names
    bool move = false;  // delete the files once packed
    bool deleteEntries = false;
    bool update = false;
    bool freshen = false;
    char level = 0; // '0'..'9'; 0 for the library's default
};

// Result codes of ZpArchive.
enum Result {
    ZE_OK = 0,
    ZE_MEM = 4,
    ZE_NONE = 12,  // nothing to pack
    ZE_WRITE = 14, // the archive could not be written
    ZE_CREAT = 15, // the archive could not be created
    ZE_PARMS = 16, // options the library cannot honour
    ZE_OPEN = 18,  // a file to pack could not be read
};

int ZpInit(const Callbacks &callbacks);
int ZpSetOptions(const Options &options);
// The options of the last ZpSetOptions.
Options ZpGetOptions();
// Packs the first `count` names into the archive; 0 when at least one file was
// packed. A name that matches no file is reported as a warning and skipped.
int ZpArchive(int count, const QString &archiveName, const ZipNameList &names);

} // namespace zip32

// The flags of VBZip after the root folder, in the library's terms.
struct VBZipFlags {
    qint16 encrypt = 0;
    qint16 includeSystem = 0;
    qint16 noFolderEntries = 0;
    qint16 verbose = 0;
    qint16 quiet = 0;
    qint16 crlfToLf = 0;
    qint16 lfToCrlf = 0;
    qint16 grow = 0;
    qint16 forceShortNames = 0;
    qint16 move = 0;
    qint16 deleteEntries = 0;
};

// A routine's address as the value stored in the callback record.
template <typename Routine> constexpr Routine PassAddress(Routine address)
{
    return address;
}

// Clears ZipLastMessage, hands callbacks and options to the library and packs
// the names; returns the library's result. Nothing here raises.
long VBZip(qint16 fileCount, const QString &archiveName, const ZipNameList &names,
           qint16 junkFolderNames, qint16 recurse, qint16 update, qint16 freshen,
           const QString &rootFolder, const VBZipFlags &flags = {});

// The library's message routine: appends the text up to the first zero byte to
// ZipLastMessage and lets the user interface process pending events.
int ZipPrintCallback(const char *buffer, unsigned long length);
int ZipPasswordCallback(char *password, int size, const char *prompt, const char *name);
char *ZipCommentCallback(char *comment);
