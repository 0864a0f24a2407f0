#pragma once

#include <QString>

namespace mail
{

// One message handed to the desktop's mail client: Compose, then recipient,
// subject, note text and at most one attachment, then Send. Send opens the mail
// client's compose window (xdg-email) and waits for the hand-off; failures raise
// the old mail numbers (32011 missing attachment, 32014 bad recipient, 32026 no
// mail client, 32053 no session, 32002 any other failure, 75 unreadable file).
class MAPIMessages
{
public:
    long SessionID = 0;
    QString RecipAddress;
    bool AddressResolveUI = false;
    QString MsgSubject;
    QString MsgNoteText;
    // A Windows (or real) path; empty for no attachment.
    QString AttachmentPathName;

    // Starts a new message: clears recipient, subject, text and attachment.
    void Compose();
    // The dialog flag is accepted; the client always shows its compose window.
    void Send(bool withDialog = true);
};

} // namespace mail
