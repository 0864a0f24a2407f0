#include "platform/zip/ZipErrors.h"

namespace zipw
{

RuntimeError ZipError(int number)
{
    switch (number) {
    case ErrInvalidArgument:
        return RuntimeError(number,
                            QStringLiteral("Nieprawidłowe wywołanie procedury lub argument."));
    case ErrOutOfMemory:
        return RuntimeError(number, QStringLiteral("Brak pamięci."));
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

} // namespace zipw
