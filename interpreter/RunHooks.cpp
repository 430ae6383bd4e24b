#include "interpreter/RunHooks.h"

#include "devices/Ports_comms_io.h"

namespace RunHooks {

namespace {
// The device services of the process answer the event sources they serve.
class DeviceServices : public ServiceEventSources {
public:
    bool SerialBytesWaiting() override { return Ports_Comms_IO_Form().SerialBytesWaiting(); }
};
DebugHook noDebugger;
DeviceServices noServices;
DebugHook* debugger = &noDebugger;
ServiceEventSources* services = &noServices;
bool hiddenProgram = false;
bool fromExecutable = false;
} // namespace

DebugHook& Debugger()
{
    return *debugger;
}
ServiceEventSources& Services()
{
    return *services;
}
void SetDebugger(DebugHook* hook)
{
    debugger = hook ? hook : &noDebugger;
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
