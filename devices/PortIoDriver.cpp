#include "devices/PortIoDriver.h"

#include "devices/PortBase.h"
#include "devices/PortSpace.h"

int TqzLptDriver::Open(uint16_t base)
{
    if (handle != -1) return handle;
    if (!Reach(base)) return -1;
    handle = 0;
    return handle;
}

bool TqzLptDriver::Reach(uint16_t port)
{
    AnsiString why;
    if (ThePortSpace().Reach(port, why)) return true;
    DoFatalErrors(PortFatal::Driver, 0, "Create service failed.\r\n" + why);
    return false;
}

uint8_t TqzLptDriver::ReadPort(uint16_t port)
{
    if (!Reach(port)) return 0;
    return ThePortSpace().Read(port);
}

void TqzLptDriver::WritePort(uint16_t port, uint8_t value)
{
    if (Reach(port)) ThePortSpace().Write(port, value);
}

void TqzLptDriver::DoFatalErrors(int code, int systemError, const AnsiString& message)
{
    bool raise = true;
    if (OnFatalError) OnFatalError(code, systemError, message, raise);
}
