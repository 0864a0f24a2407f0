#include "platform/zip/ZipErrors.h"

#include "platform/fs/FsErrors.h"

namespace zipw
{

RuntimeError ZipError(int number)
{
    if (number == ErrOutOfMemory)
        return RuntimeError(number, QStringLiteral("Brak pamięci."));
    // Every other failure of the writer is a file or path failure.
    return fs::FsError(number);
}

} // namespace zipw
