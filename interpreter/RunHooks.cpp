#include "interpreter/RunHooks.h"

#include "devices/Ports_comms_io.h"
#include "devices/TcpService.h"

namespace RunHooks {

namespace {
// The device services of the process answer the event sources they serve.
// Until a program uses the TCP/UDP service there is nothing to poll or reset.
class DeviceServices : public ServiceEventSources {
public:
    bool SerialBytesWaiting() override { return Ports_Comms_IO_Form().SerialBytesWaiting(); }
    bool UdpDataArrived() override
    {
        const TTCPForm* service = ExistingTCPForm();
        return service && service->UdpDataArrived();
    }
    bool TcpClientDataArrived() override
    {
        const TTCPForm* service = ExistingTCPForm();
        return service && service->ClientDataArrived();
    }
    bool TcpServerDataArrived() override
    {
        const TTCPForm* service = ExistingTCPForm();
        return service && service->ServerDataArrived();
    }
    void ResetTcp() override
    {
        if (TTCPForm* service = ExistingTCPForm()) service->ResetConnections();
    }
};
DebugHook noDebugger;
DeviceServices noServices;
ServiceEventSources* services = &noServices;
EmailWindow noEmail;
EmailWindow* email = &noEmail;
bool hiddenProgram = false;
bool fromExecutable = false;
} // namespace

DebugHook* detail::debugger = &noDebugger;

ServiceEventSources& Services()
{
    return *services;
}
EmailWindow& Email()
{
    return *email;
}
void SetEmail(EmailWindow* window)
{
    email = window ? window : &noEmail;
}
void SetDebugger(DebugHook* hook)
{
    detail::debugger = hook ? hook : &noDebugger;
}
void SetServices(ServiceEventSources* sources)
{
    services = sources ? sources : &noServices;
}
bool HiddenProgram()
{
    return hiddenProgram;
}
void SetHiddenProgram(bool hidden)
{
    hiddenProgram = hidden;
}
bool FromExecutable()
{
    return fromExecutable;
}
void SetFromExecutable(bool value)
{
    fromExecutable = value;
}

} // namespace RunHooks
