#pragma once

#include "platform/db/Recordset.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class RuntimeError;

namespace mail
{
class MAPIMessages;
class MAPISession;
} // namespace mail

// The outside e-signature program. It signs the file it is given after "-f"
// and leaves the signature beside it, named by the file's name & ".sig".
inline const QString SignerProgram =
    QStringLiteral("C:\\Program Files\\Unizeto\\proCertum SecureSign\\proCertumSecureSign.exe");

// A result file that is ready to go to the county inspectorate.
struct ResultToSend {
    QString file;          // Windows path of the written file
    QString wni;           // the batch's establishment number (Partia.WNI)
    QVariant dataDoLab;    // the batch's delivery date
    QString subjectPrefix; // "MervaskLab - Zakład: " for a result sheet
    dao::Recordset batch;  // the batch register's list; its current row receives TNWyslane
};

// Hands one message to the mail client: recipient, subject, note, one
// attachment (none when empty). True when handed over.
using MailSender = std::function<bool(const QString &recipient, const QString &subject,
                                      const QString &note, const QString &attachment)>;

// The result send: asks whether to send now, finds the recipient in PIW by
// the county code (the first four characters of the trimmed WNI) and the
// column PARAMETRY "EmailWynik" names, offers the e-signature, mails the file
// or its signature and marks the batch as sent (TNWyslane) once the mail is
// handed over. Errors outside the mail go to the caller.
void WyslijWynik(const ResultToSend &result, const MailSender &sendMail);

// The mail hand-off through the session and message controls. The operator
// confirms that the message left the mail client; a message discarded there
// counts as a cancel. False after a failure or a cancel, which it has
// reported itself.
bool Send_Mail(mail::MAPISession &session, mail::MAPIMessages &messages, const QString &recipient,
               const QString &subject, const QString &note, const QString &attachment);

// The same with a list of attachments: the mail client takes one at most, so
// a longer list is refused (32002) rather than losing files silently.
bool Send_Mail(mail::MAPISession &session, mail::MAPIMessages &messages, const QString &recipient,
               const QString &subject, const QString &note, const QStringList &attachments);

// The error table of a mail hand-off, under "EKSPORT DO PLIKU".
void ReportMailError(const RuntimeError &error);
