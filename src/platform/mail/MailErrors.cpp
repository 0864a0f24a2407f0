#include "platform/mail/MailErrors.h"

namespace mail
{

RuntimeError MailError(int number)
{
    switch (number) {
    case mapUserAbort:
        return RuntimeError(number, QStringLiteral("Użytkownik anulował operację."));
    case mapAttachmentNotFound:
        return RuntimeError(number, QStringLiteral("Nie znaleziono załącznika."));
    case mapUnknownRecipient:
        return RuntimeError(number, QStringLiteral("Nieznany adresat."));
    case mapNotSupported:
        return RuntimeError(number, QStringLiteral("Brak programu pocztowego."));
    case mapLoginFail:
        return RuntimeError(number, QStringLiteral("Nie można zalogować się do poczty."));
    case mapNoSession:
        return RuntimeError(number, QStringLiteral("Brak sesji poczty."));
    case rterr::PathFileAccess:
        return RuntimeError(number, QStringLiteral("Błąd dostępu do ścieżki/pliku."));
    default:
        return RuntimeError(mapFailure, QStringLiteral("Wystąpił nieokreślony błąd."));
    }
}

} // namespace mail
