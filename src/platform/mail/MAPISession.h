#pragma once

namespace mail
{

// The mail session: sign-on and sign-off around a message hand-off to the
// desktop's mail client. Sign-on fails with 32050 when no hand-off tool exists.
class MAPISession
{
public:
    // Accepted as the old control had them; the desktop client decides.
    bool DownloadMail = true;
    bool LogonUI = true;

    void SignOn();
    void SignOff();
    // Nonzero while signed on.
    long SessionID() const { return sessionId_; }

private:
    long sessionId_ = 0;
};

} // namespace mail
