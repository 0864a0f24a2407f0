#pragma once

#include <QList>
#include <QString>

namespace mail
{

// Test seam: while an object of this class exists, sign-on and send are recorded
// instead of handed to the mail client. A test can script the failure of the
// next sign-on or send by its error number.
class MailRecorder
{
public:
    struct Message {
        QString recipient;
        QString subject;
        QString body;
        QString attachment; // as given, Windows form
    };

    MailRecorder();
    ~MailRecorder();
    MailRecorder(const MailRecorder &) = delete;
    MailRecorder &operator=(const MailRecorder &) = delete;

    void FailNextSignOn(int errorNumber);
    void FailNextSend(int errorNumber);

    const QList<Message> &Sent() const { return sent_; }
    int SignOnCount() const { return signOns_; }
    int SignOffCount() const { return signOffs_; }

    // Used by the mail controls.
    static MailRecorder *Current();
    void RecordSignOn();
    void RecordSignOff();
    void RecordSend(const Message &message);

private:
    QList<Message> sent_;
    int signOns_ = 0;
    int signOffs_ = 0;
    int failSignOn_ = 0;
    int failSend_ = 0;
    MailRecorder *previous_;
};

} // namespace mail
