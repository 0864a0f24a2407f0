#include "mainwindow/RegionalSend.h"

#include "foundation/CGZipFiles.h"
#include "foundation/ResultSend.h"
#include "platform/RuntimeError.h"
#include "platform/db/DaoError.h"
#include "platform/mail/MAPIMessages.h"
#include "platform/mail/MAPISession.h"
#include "platform/mail/MailErrors.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/WaitPointer.h"

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

RegionalSend::~RegionalSend() = default;

void RegionalSend::Run(const QString &labelData)
{
    if (ui::MsgBox(QStringLiteral("Czy wysłać dane do WIW?"),
                   ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, Title) != ui::vbYes) {
        return;
    }
    try {
        pointer_.Show();
        ShowWaitFrame();
        const QString archive = ZipSingleFile(DataFile);
        if (archive.isEmpty() ||
            ui::MsgBox(QStringLiteral("Plik spakowany w katalogu: ") + archive +
                           QStringLiteral("!\rCzy wysłać teraz?"),
                       ui::vbYesNo + ui::vbQuestion + ui::vbDefaultButton2, Title) != ui::vbYes) {
            HideFrames();
            pointer_.Restore();
            return;
        }
        if (Send_Mail(Recipient, QStringLiteral("Dane MervaskLab z dn. ") + labelData,
                      QStringLiteral(" "), archive, QString(), QString())) {
            ui::MsgBox(QStringLiteral("aaa"));
        }
    } catch (const RuntimeError &error) {
        HideFrames();
        pointer_.Restore();
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
    QStringList attachments{attachment1, attachment2, attachment3};
    attachments.removeAll(QString());
    mail::MAPISession session;
    mail::MAPIMessages message;
    const bool sent = ::Send_Mail(session, message, recipient, subject, note, attachments);
    HideFrames();
    pointer_.Restore();
    return sent;
}

// The error table of the send itself.
void RegionalSend::ReportSendError(const RuntimeError &error)
{
    switch (error.Number()) {
    case rterr::PathFileAccess:
        ui::MsgBox(QStringLiteral("Błąd dostępu do ścieżki/pliku!\rSpróbuj ponownie!\r") +
                       NumberAndDescription(error),
                   ui::vbInformation, ErrorTitle);
        break;
    case dao::err::NoCurrentRecord:
        ui::MsgBox(QStringLiteral("Wybierz (kliknij) pozycję do eksportu!\rSpróbuj ponownie!\r") +
                       NumberAndDescription(error),
                   ui::vbInformation, ErrorTitle);
        break;
    case mail::mapFailure:
    case mail::mapNotSupported:
    case ui::FileDialog::ErrCancel:
        break;
    case mail::mapUserAbort:
        // Outside the mail hand-off a cancel is an export failure like any other.
        ui::MsgBox(QStringLiteral("Błąd eksportu! ") + NumberAndDescription(error),
                   ui::vbInformation, ErrorTitle);
        break;
    default:
        ReportMailError(error);
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
