#include "devices/network/NetworkModule.h"
#include "devices/network/TcpSockets.h"

namespace {

TTCPForm* MakeService()
{
    return new TcpSockets();
}

const NetworkModuleEntries entries = { MakeService, TcpSockets::LocalIpAddress, Smtp::SendOverSocket };

} // namespace

extern "C" __attribute__((visibility("default"))) const NetworkModuleEntries* QvNetworkModule()
{
    return &entries;
}
