#pragma once

#include "platform/RuntimeError.h"

namespace mail
{

// Error numbers of the old mail controls that the register's handlers know.
enum MailErrorNumber {
    mapUserAbort = 32001,
    mapFailure = 32002,
    mapAttachmentNotFound = 32011,
    mapUnknownRecipient = 32014,
    mapNotSupported = 32026,
    mapLoginFail = 32050,
    mapNoSession = 32053,
};

RuntimeError MailError(int number);

} // namespace mail
