#include "mainwindow/RegionalSend.h"

#include "foundation/CGZipFiles.h"
#include "platform/RuntimeError.h"
#include "platform/mail/MAPIMessages.h"
#include "platform/mail/MAPISession.h"
#include "platform/mail/MailErrors.h"
#include "platform/ui/MsgBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStringList>
#include <QWidget>

namespace
{

const QString Title = QStringLiteral("Wysyłanie!");
const QString ErrorTitle = QStringLiteral("EKSPORT DO PLIKU");

QString NumberAndDescription(const RuntimeError &error)
{
    return QString::number(error.Number()) + error.Description();
}

} // namespace

const QString RegionalSend::DataFile = QStringLiteral("C:\\MervaskLab\\Eksport\\DaneDoWIW.txt");
const QString RegionalSend::Recipient;

RegionalSend::RegionalSend(QWidget *frameCzekaj, QWidget *frameDoWIW)
    : frameCzekaj_(frameCzekaj), frameDoWIW_(frameDoWIW)
{
}

RegionalSend::~RegionalSend()
{
    ShowNormalPointer();
}

void RegionalSend::Run(const QString &labelData)
{
    if (ui::MsgBox(QStringLiteral("Czy wysłać dane do WIW?"), 292, Title) != ui::vbYes) {
        return;
    }
    try {
        ShowBusyPointer();
        ShowWaitFrame();
        const QString archive = ZipSingleFile(DataFile);
        if (archive.isEmpty() || ui::MsgBox(QStringLiteral("Plik spakowany w katalogu: ") +
                                                archive + QStringLiteral("!\rCzy wysłać teraz?"),
                                            292, Title) != ui::vbYes) {
            HideFrames();
            ShowNormalPointer();
            return;
        }
        if (Send_Mail(Recipient, QStringLiteral("Dane MervaskLab z dn. ") + labelData,
                      QStringLiteral(" "), archive, QString(), QString())) {
            ui::MsgBox(QStringLiteral("aaa"));
        }
    } catch (const RuntimeError &error) {
        HideFrames();
        ShowNormalPointer();
        ReportSendError(error);
    }
}

QString RegionalSend::ZipSingleFile(const QString &filePath)
{
    try {
        CGZipFiles zip;
        zip.SetZipFileName(filePath + QStringLiteral(".ZIP"));
        zip.SetUpdatingZip(false);
        zip.AddFile(filePath);
        if (zip.MakeZipFile() != 0) {
            ui::MsgBox(zip.GetLastMessage());
            return QString();
        }
        return zip.ZipFileName();
    } catch (const RuntimeError &error) {
        ui::MsgBox(QString::number(error.Number()) + QStringLiteral(" Form1::cmdZip_Click ") +
                   error.Description());
        return QString();
    }
}

bool RegionalSend::Send_Mail(const QString &recipient, const QString &subject, const QString &note,
                             const QString &attachment1, const QString &attachment2,
                             const QString &attachment3)
{
    mail::MAPISession session;
    bool sent = false;
    try {
        QStringList attachments{attachment1, attachment2, attachment3};
        attachments.removeAll(QString());
        session.DownloadMail = false;
        session.LogonUI = true;
        session.SignOn();
        mail::MAPIMessages message;
        message.SessionID = session.SessionID();
        message.Compose();
        message.RecipAddress = recipient;
        message.AddressResolveUI = true;
        message.MsgSubject = subject;
        message.MsgNoteText = note;
        // The mail client is handed one attachment; more would be lost silently.
        if (attachments.size() > 1) {
            throw mail::MailError(mail::mapFailure);
        }
        if (!attachments.isEmpty()) {
            message.AttachmentPathName = attachments.first();
        }
        message.Send(true);
        sent = true;
    } catch (const RuntimeError &error) {
        ReportMailError(error);
    }
    session.SignOff();
    HideFrames();
    ShowNormalPointer();
    return sent;
}

// The error table of the send itself.
void RegionalSend::ReportSendError(const RuntimeError &error)
{
    switch (error.Number()) {
    case 75:
        ui::MsgBox(QStringLiteral("Błąd dostępu do ścieżki/pliku!\rSpróbuj ponownie!\r") +
                       NumberAndDescription(error),
                   64, ErrorTitle);
        break;
    case 3021:
        ui::MsgBox(QStringLiteral("Wybierz (kliknij) pozycję do eksportu!\rSpróbuj ponownie!\r") +
                       NumberAndDescription(error),
                   64, ErrorTitle);
        break;
    case mail::mapFailure:
    case mail::mapNotSupported:
    case 32755:
        break;
    case mail::mapLoginFail:
        ui::MsgBox(QStringLiteral("Problemy z wysłaniem widomości! \rSpróbuj ponownie!"), 64,
                   ErrorTitle);
        break;
    default:
        ui::MsgBox(QStringLiteral("Błąd eksportu! ") + NumberAndDescription(error), 64, ErrorTitle);
    }
}

// The error table of the mail procedure.
void RegionalSend::ReportMailError(const RuntimeError &error)
{
    switch (error.Number()) {
    case 75:
        ui::MsgBox(QStringLiteral("Brak dostępu do ścieżki/pliku!\rSpróbuj wysłać ponownie!\r") +
                       NumberAndDescription(error),
                   64, ErrorTitle);
        break;
    case mail::mapUserAbort:
        ui::MsgBox(QStringLiteral("Przerwano wysyłanie pliku na życzenie użytkownika!\r") +
                       QString::number(error.Number()) + u'-' + error.Description(),
                   64, ErrorTitle);
        break;
    case mail::mapLoginFail:
        ui::MsgBox(QStringLiteral("Problemy z wysłaniem widomości! \rSpróbuj ponownie!"), 64,
                   ErrorTitle);
        break;
    default:
        // 32026 too: here it means that no mail client took the message, which
        // the operator must learn of.
        ui::MsgBox(QStringLiteral("Błąd eksportu! ") + NumberAndDescription(error), 64, ErrorTitle);
    }
}

void RegionalSend::ShowWaitFrame()
{
    if (frameCzekaj_) {
        frameCzekaj_->show();
        frameCzekaj_->repaint();
    }
}

void RegionalSend::HideFrames()
{
    for (QWidget *frame : {frameCzekaj_, frameDoWIW_}) {
        if (frame) {
            frame->hide();
        }
    }
}

void RegionalSend::ShowBusyPointer()
{
    if (!busy_ && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        busy_ = true;
    }
}

void RegionalSend::ShowNormalPointer()
{
    if (busy_) {
        QGuiApplication::restoreOverrideCursor();
        busy_ = false;
    }
}
