#include "platform/mail/MailRecorder.h"

#include "platform/mail/MailErrors.h"

#include <utility>

namespace mail
{

namespace
{
MailRecorder *current = nullptr;

// A scripted failure is used once.
void ThrowIfScripted(int &errorNumber)
{
    const int number = std::exchange(errorNumber, 0);
    if (number != 0) {
        throw MailError(number);
    }
}
} // namespace

MailRecorder::MailRecorder() : previous_(current)
{
    current = this;
}

MailRecorder::~MailRecorder()
{
    current = previous_;
}

void MailRecorder::FailNextSignOn(int errorNumber)
{
    failSignOn_ = errorNumber;
}

void MailRecorder::FailNextSend(int errorNumber)
{
    failSend_ = errorNumber;
}

MailRecorder *MailRecorder::Current()
{
    return current;
}

void MailRecorder::RecordSignOn()
{
    ThrowIfScripted(failSignOn_);
    ++signOns_;
}

void MailRecorder::RecordSignOff()
{
    ++signOffs_;
}

void MailRecorder::RecordSend(const Message &message)
{
    ThrowIfScripted(failSend_);
    sent_.append(message);
}

} // namespace mail
