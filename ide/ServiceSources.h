#pragma once

#include "interpreter/RunHooks.h"

// The run loop's network event sources and the reset around each run, on the
// TCP/UDP service. Until a program uses the service there is nothing to poll
// or reset.
class ServiceSources final : public ServiceEventSources {
public:
    bool UdpDataArrived() override;
    bool TcpClientDataArrived() override;
    bool TcpServerDataArrived() override;
    void ResetTcp() override;
};
