#include "interpreter/RunHooks.h"

namespace RunHooks {

namespace {
DebugHook noDebugger;
ServiceEventSources noServices;
DebugHook* debugger = &noDebugger;
ServiceEventSources* services = &noServices;
EmailWindow noEmail;
EmailWindow* email = &noEmail;
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
