#include "foundation/ResultSend.h"
#include "foundation/RecordsetProcedures.h"

#include "foundation/Globals.h"
#include "foundation/Messages.h"
#include "foundation/TextProcedures.h"
#include "platform/db/SqlText.h"
#include "platform/fs/DriveMap.h"
#include "platform/fs/FileSystemObject.h"
#include "platform/mail/MAPIMessages.h"
#include "platform/mail/MAPISession.h"
#include "platform/mail/MailErrors.h"
#include "platform/shell/Shell.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WaitPointer.h"

#include <optional>

namespace
{

const QString SendCaption = QStringLiteral("Wysyłanie!");
const QString InfoCaption = QStringLiteral("INFORMACJA");
const QString ExportCaption = QStringLiteral("EKSPORT DO PLIKU");
const QChar CR = QLatin1Char('\r');
constexpr int QuestionNoDefault = ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2; // 292

bool Asked(const QString &question)
{
    return ui::MsgBox(question, QuestionNoDefault, SendCaption) == ui::vbYes;
}

// The column of PIW that holds the result recipient: PARAMETRY "EmailWynik"
// names it, "Email" when that row is missing.
QString RecipientColumn()
{
    dao::Recordset rs =
        StaleDb.OpenRecordset(QStringLiteral("select * FROM Parametry Where Klucz = 'EmailWynik'"));
    const QString column =
        rs.RecordCount() > 0 ? FieldText(rs, QStringLiteral("PARAM1")) : QStringLiteral("Email");
    rs.Close();
    return column;
}

// The recipient's address; an empty address (also Null) leaves the mail
// client's recipient for the operator to fill. Nothing when the operator
// gives up on an unregistered inspectorate.
std::optional<QString> Recipient(const QString &wni)
{
    const QString county = TrimBlanks(wni).left(4);
    dao::Recordset piw = StaleDb.OpenRecordset(QStringLiteral("SELECT * FROM PIW WHERE IDPIW = ") +
                                               dao::SqlText(county));
    std::optional<QString> recipient;
    if (piw.RecordCount() > 0)
        recipient = TrimBlanks(FieldText(piw, RecipientColumn()));
    piw.Close();
    if (recipient)
        return recipient;
    if (!Asked(QStringLiteral("Brak adresata wiadomości w bazie PIW!") + CR +
               QStringLiteral("Czy chcesz wysłać mimo to?")))
        return std::nullopt;
    return QString();
}

// The operator signs in the signer's own window, which may stay open; the
// register does not wait for it and looks for the signature once the operator
// says the signed file is to be sent.
void RunSigner(const QString &file)
{
    ui::WaitPointer pointer;
    pointer.Show();
    if (!fs::FileSystemObject::FileExists(SignerProgram)) {
        ShowInfo(
            QStringLiteral("Brak programu do podpisu elekronicznego: proCertumSecureSign.exe!"),
            InfoCaption);
        return;
    }
    shell::Shell::Start(SignerProgram, {QStringLiteral("-f"), fs::DriveMap::ToReal(file)},
                        shell::vbNormalFocus);
}

// The file to mail: the result itself, or its signature when the operator
// signs it. Nothing when the send ends here.
std::optional<QString> Attachment(const QString &file)
{
    if (!Asked(QStringLiteral("Czy podpisać plik elektronicznie teraz?"))) {
        ShowInfo(QStringLiteral("Plik nie został podpisany elektronicznie!"), InfoCaption);
        return file;
    }
    RunSigner(file);
    if (!Asked(QStringLiteral("Czy wysłać zaszyfrowany plik teraz?")))
        return std::nullopt;
    const QString signature = file + QStringLiteral(".sig");
    if (!fs::FileSystemObject::FileExists(signature)) {
        ShowInfo(
            QStringLiteral("Plik: ") + file +
                QStringLiteral(" nie został podpisany! Wykonaj podpis elektroniczny ponownie!"),
            InfoCaption);
        return std::nullopt;
    }
    return signature;
}

// The mark goes on the batch that was current when the send began.
void MarkAsSent(dao::Recordset batch, const dao::Bookmark &sentBatch)
{
    if (!(batch.Bookmark() == sentBatch))
        batch.setBookmark(sentBatch);
    batch.Edit();
    batch(QStringLiteral("TNWyslane")) = true;
    batch.Update();
}

} // namespace

void WyslijWynik(const ResultToSend &result, const MailSender &sendMail)
{
    if (!Asked(QStringLiteral("Przygotowanie pliku zakończone powodzeniem!") + CR +
               QStringLiteral("Czy wysłać teraz?")))
        return;
    const dao::Bookmark sentBatch = result.batch.Bookmark();
    const std::optional<QString> recipient = Recipient(result.wni);
    if (!recipient)
        return;
    const std::optional<QString> attachment = Attachment(result.file);
    if (!attachment)
        return;
    const QString subject = result.subjectPrefix + TrimBlanks(result.wni) +
                            QStringLiteral(", z dnia: ") + ValueText(result.dataDoLab);
    if (sendMail(*recipient, subject, QStringLiteral(" "), *attachment))
        MarkAsSent(result.batch, sentBatch);
}

void ReportMailError(const RuntimeError &error)
{
    const QString number = QString::number(error.Number());
    switch (error.Number()) {
    case rterr::PathFileAccess:
        ShowInfo(QStringLiteral("Brak dostępu do ścieżki/pliku!") + CR +
                     QStringLiteral("Spróbuj wysłać ponownie!") + CR + number + error.Description(),
                 ExportCaption);
        break;
    case mail::mapUserAbort:
        ShowInfo(QStringLiteral("Przerwano wysyłanie pliku na życzenie użytkownika!") + CR +
                     number + u'-' + error.Description(),
                 ExportCaption);
        break;
    case mail::mapLoginFail:
        ShowInfo(QStringLiteral("Problemy z wysłaniem widomości! ") + CR +
                     QStringLiteral("Spróbuj ponownie!"),
                 ExportCaption);
        break;
    default:
        // 32026 too: no mail client took the message, which the operator must
        // learn of.
        ShowInfo(QStringLiteral("Błąd eksportu! ") + number + error.Description(), ExportCaption);
    }
}

bool Send_Mail(mail::MAPISession &session, mail::MAPIMessages &messages, const QString &recipient,
               const QString &subject, const QString &note, const QString &attachment)
{
    return Send_Mail(session, messages, recipient, subject, note,
                     attachment.isEmpty() ? QStringList() : QStringList{attachment});
}

bool Send_Mail(mail::MAPISession &session, mail::MAPIMessages &messages, const QString &recipient,
               const QString &subject, const QString &note, const QStringList &attachments)
{
    try {
        session.DownloadMail = false;
        session.LogonUI = true;
        session.SignOn();
        messages.SessionID = session.SessionID();
        messages.Compose();
        messages.RecipAddress = recipient;
        messages.AddressResolveUI = true;
        messages.MsgSubject = subject;
        messages.MsgNoteText = note;
        // The mail client is handed one attachment; more would be lost silently.
        if (attachments.size() > 1)
            throw mail::MailError(mail::mapFailure);
        if (!attachments.isEmpty())
            messages.AttachmentPathName = attachments.first();
        messages.Send(true);
        // The mail client takes the message into its compose window and
        // returns at once; only the operator knows whether it was sent or
        // discarded there.
        if (!Asked(QStringLiteral("Czy wiadomość została wysłana?")))
            throw mail::MailError(mail::mapUserAbort);
        session.SignOff();
        return true;
    } catch (const RuntimeError &error) {
        ReportMailError(error);
        session.SignOff();
        return false;
    }
}
