#pragma once

#include "platform/ui/WaitPointer.h"

#include <QString>

class QWidget;
class RuntimeError;

// The main window's send of the prepared data file
// C:\MervaskLab\Eksport\DaneDoWIW.txt to the regional inspectorate: the file is
// packed into DaneDoWIW.txt.ZIP beside it and, when the operator agrees, mailed through
// the workstation's mail client. An archive that could not be made is never
// offered for sending.
class RegionalSend
{
public:
    // The main window's wait frames FrameCzekaj and FrameDoWIW; either may be
    // null.
    RegionalSend(QWidget *frameCzekaj, QWidget *frameDoWIW);
    ~RegionalSend();
    RegionalSend(const RegionalSend &) = delete;
    RegionalSend &operator=(const RegionalSend &) = delete;

    // The whole send; labelData is the working date as the main window shows it.
    void Run(const QString &labelData);

    // Packs one file into filePath & ".ZIP" and returns that name, or "" when
    // the archive could not be made (the reason has been shown).
    QString ZipSingleFile(const QString &filePath);

    // The main window's mail procedure: composes the message with up to three
    // attachments (empty ones are left out) and hands it to the mail client.
    // True when the client took it; false after a failure, which has been
    // reported. Hides the wait frames and restores the pointer in both cases.
    bool Send_Mail(const QString &recipient, const QString &subject, const QString &note,
                   const QString &attachment1, const QString &attachment2,
                   const QString &attachment3);

    static const QString DataFile;
    // Left empty: the operator types the inspectorate's address in the mail
    // client's compose window.
    static const QString Recipient;

private:
    void ShowWaitFrame();
    void HideFrames();
    static void ReportSendError(const RuntimeError &error);

    QWidget *frameCzekaj_;
    QWidget *frameDoWIW_;
    ui::WaitPointer pointer_;
};
