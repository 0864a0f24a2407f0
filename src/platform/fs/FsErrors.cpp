#include "platform/fs/FsErrors.h"

namespace fs
{

RuntimeError FsError(int number)
{
    switch (number) {
    case ErrInvalidArgument:
        return RuntimeError(number,
                            QStringLiteral("Nieprawidłowe wywołanie procedury lub argument."));
    case ErrFileNotFound:
        return RuntimeError(number, QStringLiteral("Nie znaleziono pliku."));
    case ErrFileExists:
        return RuntimeError(number, QStringLiteral("Plik już istnieje."));
    case ErrPathNotFound:
        return RuntimeError(number, QStringLiteral("Nie znaleziono ścieżki."));
    default:
        return RuntimeError(ErrPathFileAccess, QStringLiteral("Błąd dostępu do ścieżki/pliku."));
    }
}

} // namespace fs
