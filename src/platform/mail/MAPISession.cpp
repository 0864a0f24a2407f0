#include "platform/mail/MAPISession.h"

#include "platform/mail/MailErrors.h"
#include "platform/mail/MailRecorder.h"
#include "platform/shell/Shell.h"

namespace mail
{

namespace
{
long lastSessionId = 0;
}

void MAPISession::SignOn()
{
    if (MailRecorder *recorder = MailRecorder::Current()) {
        recorder->RecordSignOn();
    } else if (shell::Shell::ResolveProgram(QStringLiteral("xdg-email")).isEmpty()) {
        throw MailError(mapLoginFail);
    }
    sessionId_ = ++lastSessionId;
}

void MAPISession::SignOff()
{
    if (sessionId_ == 0) {
        return;
    }
    if (MailRecorder *recorder = MailRecorder::Current()) {
        recorder->RecordSignOff();
    }
    sessionId_ = 0;
}

} // namespace mail
