#pragma once

#include "devices/MailMessage.h"

#include <cstdint>

// Who hears how a message goes: the e-mail window, or nobody.
class MailObserver {
public:
    virtual ~MailObserver() = default;
    virtual void Status(const AnsiString& text) { (void)text; }
    virtual void Progress(int64_t sent, int64_t total) { (void)sent, (void)total; }
};

namespace Smtp {

enum class Result { Sent, ConnectFailed, SendFailed };

// Sends one message over plain SMTP (no TLS, no login): greeting, EHLO (HELO
// when refused), MAIL FROM, RCPT TO for every recipient, DATA, QUIT. Runs
// events while it waits; each reply is waited for at most `replyTimeoutMs`,
// and the wait ends early when `stopped` becomes true. ConnectFailed covers
// the lookup, a refused connection and a missing greeting; every later
// failure is SendFailed.
Result Send(const MailSettings& mail, MailObserver& observer, const bool& stopped, int replyTimeoutMs = 30000);

} // namespace Smtp
