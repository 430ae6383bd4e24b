#include "devices/TcpService.h"

#include "devices/Modules.h"
#include "devices/network/NetworkModule.h"

#include <cstdio>

namespace {

// What a program meets when the network module cannot be loaded: every
// connection fails as on a machine with no network, in the statuses the
// programs already test.
class UnreachableNetwork : public TTCPForm {
public:
    void ResetConnections() override
    {
        clientStatus = "Disconnected";
        serverStatus = "Server Off";
    }
    int TcpcConnect(const AnsiString&, int) override
    {
        clientStatus = unreachable;
        return 1;
    }
    int TcpcConnectHost(const AnsiString& host, int port) override { return TcpcConnect(host, port); }
    int TcpcClose() override { return 1; }
    int TcpcSend(const AnsiString&) override { return 0; }
    AnsiString TcpcRead(int) override { return {}; }
    int TcpcBuffCount() const override { return 0; }
    const AnsiString& ClientStatus() const override { return clientStatus; }
    int TcpsServe(int) override
    {
        serverStatus = unreachable;
        return 0;
    }
    int TcpsClose() override { return 1; }
    int TcpsSend(const AnsiString&) override { return 0; }
    AnsiString TcpsRead(int) override { return {}; }
    int TcpsQuery(int, int) override { return 0; }
    const AnsiString& ServerStatus() const override { return serverStatus; }
    int UdpStart(const AnsiString&, int) override { return 0; }
    AnsiString UdpRead(const AnsiString&, int) override { return {}; }
    int UdpControl(const AnsiString&, int, int, const AnsiString&, const AnsiString&) override { return -1; }
    bool UdpDataArrived() const override { return false; }
    bool ClientDataArrived() const override { return false; }
    bool ServerDataArrived() const override { return false; }

private:
    static constexpr const char* unreachable = "Error:10051";
    AnsiString clientStatus = "Disconnected";
    AnsiString serverStatus = "Server Off";
};

// The module's entries, looked up once; null when it cannot be loaded, which
// is said once on standard error.
const NetworkModuleEntries* Module()
{
    static const NetworkModuleEntries* const entries = [] {
        const auto entry = reinterpret_cast<NetworkModuleEntry>(LoadModuleEntry(networkModuleFile, networkModuleEntry));
        if (!entry) std::fprintf(stderr, "quorvatine: cannot load %s: no network\n", networkModuleFile);
        return entry ? entry() : nullptr;
    }();
    return entries;
}

// Lives until the process ends; never destroyed after the application.
TTCPForm* service = nullptr;

} // namespace

AnsiString TTCPForm::LocalIp()
{
    const NetworkModuleEntries* module = Module();
    return module ? module->localIp() : AnsiString("127.0.0.1");
}

TTCPForm& TCPForm()
{
    if (!service) {
        const NetworkModuleEntries* module = Module();
        service = module ? module->makeService() : new UnreachableNetwork();
    }
    return *service;
}

TTCPForm* ExistingTCPForm()
{
    return service;
}

namespace Smtp {

Result Send(const MailSettings& mail, MailObserver& observer, const bool& stopped, int replyTimeoutMs)
{
    const NetworkModuleEntries* module = Module();
    return module ? module->sendMail(mail, observer, stopped, replyTimeoutMs) : Result::ConnectFailed;
}

} // namespace Smtp
