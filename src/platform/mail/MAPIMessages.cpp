#include "platform/mail/MAPIMessages.h"

#include "platform/fs/DriveMap.h"
#include "platform/mail/MailErrors.h"
#include "platform/mail/MailRecorder.h"
#include "platform/shell/Shell.h"

#include <QFileInfo>

namespace mail
{

namespace
{

// Exit codes of xdg-email.
constexpr int kHandedOver = 0;
constexpr int kFileNotFound = 2;
constexpr int kNoMailClient = 3;
constexpr int kNoPermission = 5;

int ErrorOfExitCode(int exitCode)
{
    switch (exitCode) {
    case kFileNotFound:
        return mapAttachmentNotFound;
    case kNoMailClient:
        return mapNotSupported;
    case kNoPermission:
        return rterr::PathFileAccess;
    default:
        return mapFailure;
    }
}

QStringList HandOffArguments(const QString &recipient, const QString &subject, const QString &body,
                             const QString &attachment)
{
    QStringList arguments{QStringLiteral("--utf8"), QStringLiteral("--subject"), subject,
                          QStringLiteral("--body"), body};
    if (!attachment.isEmpty()) {
        arguments << QStringLiteral("--attach") << attachment;
    }
    if (!recipient.isEmpty()) {
        arguments << recipient;
    }
    return arguments;
}

} // namespace

void MAPIMessages::Compose()
{
    RecipAddress.clear();
    MsgSubject.clear();
    MsgNoteText.clear();
    AttachmentPathName.clear();
}

void MAPIMessages::Send(bool)
{
    if (SessionID == 0) {
        throw MailError(mapNoSession);
    }
    const QString recipient = RecipAddress.trimmed();
    if (MailRecorder *recorder = MailRecorder::Current()) {
        recorder->RecordSend({recipient, MsgSubject, MsgNoteText, AttachmentPathName});
        return;
    }
    // The hand-off tool would read an address starting with '-' as an option.
    if (recipient.startsWith(u'-')) {
        throw MailError(mapUnknownRecipient);
    }
    QString attachment;
    if (!AttachmentPathName.isEmpty()) {
        attachment = fs::DriveMap::ToReal(AttachmentPathName);
        const QFileInfo info(attachment);
        if (!info.isFile()) {
            throw MailError(mapAttachmentNotFound);
        }
        if (!info.isReadable()) {
            throw MailError(rterr::PathFileAccess);
        }
    }
    int exitCode = 0;
    try {
        exitCode = shell::Shell::RunAndWait(
            QStringLiteral("xdg-email"),
            HandOffArguments(recipient, MsgSubject, MsgNoteText, attachment));
    } catch (const RuntimeError &) {
        throw MailError(mapNotSupported);
    }
    if (exitCode != kHandedOver) {
        throw MailError(ErrorOfExitCode(exitCode));
    }
}

} // namespace mail
