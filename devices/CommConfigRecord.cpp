#include "devices/CommConfigRecord.h"

namespace {

void Put16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

uint16_t Get16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t Get32(const uint8_t* at)
{
    return Get16(at) | static_cast<uint32_t>(Get16(at + 2)) << 16;
}

// Bit positions of the flag word.
uint32_t FlagWord(const TDeviceControlBlock& b)
{
    return uint32_t(b.fBinary) | uint32_t(b.fParity) << 1 | uint32_t(b.fOutxCtsFlow) << 2
        | uint32_t(b.fOutxDsrFlow) << 3 | uint32_t(b.fDtrControl & 3) << 4 | uint32_t(b.fDsrSensitivity) << 6
        | uint32_t(b.fTXContinueOnXoff) << 7 | uint32_t(b.fOutX) << 8 | uint32_t(b.fInX) << 9
        | uint32_t(b.fErrorChar) << 10 | uint32_t(b.fNull) << 11 | uint32_t(b.fRtsControl & 3) << 12
        | uint32_t(b.fAbortOnError) << 14;
}

} // namespace

std::array<uint8_t, TDeviceControlBlock::Size> TDeviceControlBlock::Pack() const
{
    std::array<uint8_t, Size> bytes {};
    Put32(&bytes[0], Size);
    Put32(&bytes[4], BaudRate);
    Put32(&bytes[8], FlagWord(*this));
    Put16(&bytes[14], XonLim);
    Put16(&bytes[16], XoffLim);
    bytes[18] = ByteSize;
    bytes[19] = Parity;
    bytes[20] = StopBits;
    bytes[21] = XonChar;
    bytes[22] = XoffChar;
    bytes[23] = ErrorChar;
    bytes[24] = EofChar;
    bytes[25] = EvtChar;
    return bytes;
}

TDeviceControlBlock TDeviceControlBlock::Unpack(const uint8_t* bytes)
{
    TDeviceControlBlock b;
    b.BaudRate = Get32(bytes + 4);
    const uint32_t flags = Get32(bytes + 8);
    b.fBinary = flags & 1;
    b.fParity = flags >> 1 & 1;
    b.fOutxCtsFlow = flags >> 2 & 1;
    b.fOutxDsrFlow = flags >> 3 & 1;
    b.fDtrControl = flags >> 4 & 3;
    b.fDsrSensitivity = flags >> 6 & 1;
    b.fTXContinueOnXoff = flags >> 7 & 1;
    b.fOutX = flags >> 8 & 1;
    b.fInX = flags >> 9 & 1;
    b.fErrorChar = flags >> 10 & 1;
    b.fNull = flags >> 11 & 1;
    b.fRtsControl = flags >> 12 & 3;
    b.fAbortOnError = flags >> 14 & 1;
    b.XonLim = Get16(bytes + 14);
    b.XoffLim = Get16(bytes + 16);
    b.ByteSize = bytes[18];
    b.Parity = bytes[19];
    b.StopBits = bytes[20];
    b.XonChar = bytes[21];
    b.XoffChar = bytes[22];
    b.ErrorChar = bytes[23];
    b.EofChar = bytes[24];
    b.EvtChar = bytes[25];
    return b;
}

TDeviceControlBlock MakeDeviceControlBlock(const LineProperties& line)
{
    TDeviceControlBlock b;
    b.BaudRate = static_cast<uint32_t>(line.BaudRate);
    b.ByteSize = static_cast<uint8_t>(line.ByteSize < 4 || line.ByteSize > 8 ? 8 : line.ByteSize);
    b.Parity = static_cast<uint8_t>(line.Parity);
    b.fParity = line.Parity != TParity::pNone;
    b.StopBits = static_cast<uint8_t>(line.StopBits);
    b.EvtChar = line.EventChar;
    b.fAbortOnError = true;
    b.fBinary = true;
    b.fDtrControl = 1;
    switch (line.StreamProtocol) {
    case TStreamProtocol::spNone:
        b.fRtsControl = RtsControl::Off;
        break;
    case TStreamProtocol::spXonXoff:
        b.fOutX = true;
        b.fInX = true;
        b.XonLim = 10;
        b.XoffLim = 10;
        b.XonChar = 17;
        b.XoffChar = 19;
        break;
    case TStreamProtocol::spHardware:
        b.fOutxCtsFlow = true;
        b.fRtsControl = RtsControl::Handshake;
        b.fAbortOnError = false;
        break;
    }
    return b;
}

LineProperties ReadDeviceControlBlock(const TDeviceControlBlock& b)
{
    LineProperties line;
    line.BaudRate = static_cast<int>(b.BaudRate);
    line.ByteSize = b.ByteSize;
    line.Parity = b.Parity <= 4 ? static_cast<TParity>(b.Parity) : TParity::pNone;
    line.StopBits = b.StopBits <= 2 ? static_cast<TStopBits>(b.StopBits) : TStopBits::sbOne;
    line.EventChar = b.EvtChar;
    if (b.fOutX && b.fInX)
        line.StreamProtocol = TStreamProtocol::spXonXoff;
    else if (b.fOutxCtsFlow && b.fRtsControl == RtsControl::Handshake)
        line.StreamProtocol = TStreamProtocol::spHardware;
    else
        line.StreamProtocol = TStreamProtocol::spNone;
    return line;
}

std::array<uint8_t, TCommConfigRecord::Size> TCommConfigRecord::Pack() const
{
    std::array<uint8_t, Size> bytes {};
    bytes[0] = PortNumber;
    const auto block = Block.Pack();
    std::copy(block.begin(), block.end(), bytes.begin() + 1);
    uint8_t* t = &bytes[1 + TDeviceControlBlock::Size];
    Put32(t, Timeouts.ReadIntervalTimeout);
    Put32(t + 4, Timeouts.ReadTotalTimeoutMultiplier);
    Put32(t + 8, Timeouts.ReadTotalTimeoutConstant);
    Put32(t + 12, Timeouts.WriteTotalTimeoutMultiplier);
    Put32(t + 16, Timeouts.WriteTotalTimeoutConstant);
    return bytes;
}

std::optional<TCommConfigRecord> TCommConfigRecord::Unpack(const uint8_t* bytes, size_t length)
{
    if (bytes == nullptr || length != Size) return std::nullopt;
    TCommConfigRecord record;
    record.PortNumber = bytes[0];
    record.Block = TDeviceControlBlock::Unpack(bytes + 1);
    const uint8_t* t = bytes + 1 + TDeviceControlBlock::Size;
    record.Timeouts.ReadIntervalTimeout = Get32(t);
    record.Timeouts.ReadTotalTimeoutMultiplier = Get32(t + 4);
    record.Timeouts.ReadTotalTimeoutConstant = Get32(t + 8);
    record.Timeouts.WriteTotalTimeoutMultiplier = Get32(t + 12);
    record.Timeouts.WriteTotalTimeoutConstant = Get32(t + 16);
    return record;
}
