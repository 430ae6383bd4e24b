#pragma once

#include "base/Values.h"

#include <cstdint>
#include <functional>

// The port-I/O driver's contract: read or write one byte at an I/O address.
// On Linux there is nothing to install: the driver object reaches the port
// space of this process (PortSpace.h) and reports an address it cannot reach
// as its fatal error 7, "Create service failed." with a line saying why.
class TqzLptDriver {
public:
    using FatalErrorHandler = std::function<void(int code, int systemError, const AnsiString& message, bool& raise)>;

    // The handle (0) once open; -1 with a fatal error when the address cannot
    // be reached.
    int Open(uint16_t base);
    void Close() { handle = -1; }
    bool IsOpen() const { return handle != -1; }
    // 0, and a fatal error, for an address that cannot be reached.
    uint8_t ReadPort(uint16_t port);
    void WritePort(uint16_t port, uint8_t value);

    FatalErrorHandler OnFatalError;
    int handle = -1;

private:
    bool Reach(uint16_t port);
    void DoFatalErrors(int code, int systemError, const AnsiString& message);
};
