#pragma once

#include "devices/SmtpClient.h"
#include "devices/TcpService.h"

// The entry point of the network module, a shared library of its own beside
// the executable. Qt Network and the libraries behind it take a good part of a
// short run's start-up, so only a program that uses the network loads them.
// The module takes the core (the mail text composer, the event pump) from the
// executable that loads it.
struct NetworkModuleEntries {
    // A new TCP/UDP service; the caller owns it.
    TTCPForm* (*makeService)();
    // TTCPForm::LocalIp.
    AnsiString (*localIp)();
    // Smtp::Send.
    Smtp::Result (*sendMail)(const MailSettings& mail, MailObserver& observer, const bool& stopped, int replyTimeoutMs);
};

extern "C" {
using NetworkModuleEntry = const NetworkModuleEntries* (*)();
}

// The name of the module's file and of its one entry point.
constexpr const char* networkModuleFile = "libqv_network.so";
constexpr const char* networkModuleEntry = "QvNetworkModule";

namespace Smtp {
// The module's side of Smtp::Send.
Result SendOverSocket(const MailSettings& mail, MailObserver& observer, const bool& stopped, int replyTimeoutMs);
} // namespace Smtp
