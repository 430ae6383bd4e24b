#pragma once

#include "base/Values.h"

#include <cstdint>
#include <memory>

// The I/O port space as this machine offers it: one byte read or written at a
// 16-bit address. Three back ends serve it:
//  - the parallel ports present, through ppdev: the data, status and control
//    register at each port's base (control bit 5, the data direction, through
//    PPDATADIR);
//  - raw access for any other address: ioperm/iopl with in/out instructions,
//    else /dev/port (root or CAP_SYS_RAWIO);
//  - a simulated space when QUORVATINE_PORTS=simulated[:LOGFILE]: 65536 bytes,
//    a read gives the last byte written there, and each access is appended to
//    LOGFILE as "W 037A 0F" or "R 0378 55".
class PortSpace {
public:
    virtual ~PortSpace() = default;
    // True when the address can be read and written; else `why` says why not.
    virtual bool Reach(uint16_t port, AnsiString& why) = 0;
    virtual uint8_t Read(uint16_t port) = 0;
    virtual void Write(uint16_t port, uint8_t value) = 0;
};

// The space of this process, chosen by QUORVATINE_PORTS on first use.
PortSpace& ThePortSpace();
// A simulated space that logs to `logFile` (none when empty), for tests.
std::unique_ptr<PortSpace> MakeSimulatedPortSpace(const AnsiString& logFile);
// Replaces the space of the process (null: choose again from the environment).
void SetPortSpaceForTests(std::unique_ptr<PortSpace> space);
