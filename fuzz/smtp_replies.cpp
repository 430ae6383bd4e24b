#include "devices/SmtpClient.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The replies of a mail server, as the e-mail client takes them from the
// bytes it has received: whatever comes, each reply taken shortens what is
// left, and the reader stops when no complete reply is left.

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray pending(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (;;) {
        const qsizetype before = pending.size();
        const int code = Smtp::TakeReply(pending);
        if (code == Smtp::NoReply) break;
        if (pending.size() >= before) __builtin_trap();
    }
    if (pending.contains('\n')) __builtin_trap();
    return 0;
}
