#pragma once

#include "devices/MailMessage.h"

#include <cstdint>

// Who hears how a message goes: the e-mail window, or nobody.
class MailObserver {
public:
    virtual ~MailObserver() = default;
    virtual void Status(const AnsiString& text) { (void)text; }
    virtual void Progress(int64_t sent, int64_t total) { (void)sent, (void)total; }
    // True once the user has closed the window the status shows in: the
    // message is then given up as a failed send, whatever stage it was at.
    virtual bool Abandoned() const { return false; }
};

class QByteArray;

namespace Smtp {

// What TakeReply gives while no complete reply has arrived.
constexpr int NoReply = -1000;

// Takes the next complete reply from the front of the bytes received and
// gives its code (0 when the code is not a number); the lines of a reply
// before its last ("250-...") are dropped. NoReply when no complete reply is
// there yet.
int TakeReply(QByteArray& pending);

enum class Result { Sent, ConnectFailed, SendFailed };

// Sends one message over plain SMTP (no TLS, no login): greeting, EHLO (HELO
// when refused), MAIL FROM, RCPT TO for every recipient, DATA, QUIT. Runs
// events while it waits; each reply is waited for at most `replyTimeoutMs`,
// and the wait ends early when `stopped` becomes true. ConnectFailed covers
// the lookup, a refused connection and a missing greeting; every later
// failure is SendFailed, and so is any failure once the observer is
// abandoned.
Result Send(const MailSettings& mail, MailObserver& observer, const bool& stopped, int replyTimeoutMs = 30000);

} // namespace Smtp
