#pragma once

#include "devices/CommTypes.h"

#include <array>
#include <cstdint>
#include <optional>

// The line settings as one device-control block, laid out field for field as
// the stored configuration record holds it (28 bytes, little-endian).
struct TDeviceControlBlock {
    uint32_t BaudRate = 19200;
    // Flag bits of the block's third word.
    bool fBinary = true;
    bool fParity = false;
    bool fOutxCtsFlow = false;
    bool fOutxDsrFlow = false;
    uint8_t fDtrControl = 1; // 0 off, 1 on, 2 handshake
    bool fDsrSensitivity = false;
    bool fTXContinueOnXoff = false;
    bool fOutX = false;
    bool fInX = false;
    bool fErrorChar = false;
    bool fNull = false;
    uint8_t fRtsControl = 0; // 0 off, 1 on, 2 handshake, 3 toggle
    bool fAbortOnError = false;
    uint16_t XonLim = 0;
    uint16_t XoffLim = 0;
    uint8_t ByteSize = 8;
    uint8_t Parity = 0; // TParity order
    uint8_t StopBits = 0; // 0 one, 1 one and a half, 2 two
    uint8_t XonChar = 17;
    uint8_t XoffChar = 19;
    uint8_t ErrorChar = 0;
    uint8_t EofChar = 0;
    uint8_t EvtChar = 0;
    bool operator==(const TDeviceControlBlock&) const = default;

    static constexpr size_t Size = 28;
    std::array<uint8_t, Size> Pack() const;
    static TDeviceControlBlock Unpack(const uint8_t* bytes);
};

namespace RtsControl {
constexpr uint8_t Off = 0;
constexpr uint8_t On = 1;
constexpr uint8_t Handshake = 2;
} // namespace RtsControl

// The line properties a block is made from and read back into.
struct LineProperties {
    int BaudRate = 19200;
    int ByteSize = 8;
    TParity Parity = TParity::pNone;
    TStopBits StopBits = TStopBits::sbOne;
    TStreamProtocol StreamProtocol = TStreamProtocol::spHardware;
    uint8_t EventChar = 0;
};

// A byte size outside 4..8 becomes 8; abort-on-error is set before the
// protocol's flags, which hardware flow control clears again.
TDeviceControlBlock MakeDeviceControlBlock(const LineProperties& line);
// XON/XOFF both ways is spXonXoff, CTS flow with RTS handshake spHardware,
// anything else spNone.
LineProperties ReadDeviceControlBlock(const TDeviceControlBlock& block);

// The stored configuration: byte 0 the port number, bytes 1-28 the
// device-control block, bytes 29-48 the time-outs.
struct TCommConfigRecord {
    uint8_t PortNumber = 1;
    TDeviceControlBlock Block;
    TCommTimeouts Timeouts;

    static constexpr size_t Size = 49;
    std::array<uint8_t, Size> Pack() const;
    // Nothing unless exactly Size bytes are given.
    static std::optional<TCommConfigRecord> Unpack(const uint8_t* bytes, size_t length);
};
