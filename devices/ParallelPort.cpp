#include "devices/ParallelPort.h"

#include <chrono>
#include <thread>

namespace {

// Register offset and bit of each pin; offset -1 for no pin.
struct PinBit {
    int offset;
    int bit;
};

PinBit PinOf(int pin)
{
    switch (pin) {
    case 1:
        return { 2, 0 };
    case 14:
        return { 2, 1 };
    case 16:
        return { 2, 2 };
    case 17:
        return { 2, 3 };
    case 10:
        return { 1, 6 };
    case 11:
        return { 1, 7 };
    case 12:
        return { 1, 5 };
    case 13:
        return { 1, 4 };
    case 15:
        return { 1, 3 };
    default:
        if (pin >= 2 && pin <= 9) return { 0, pin - 2 };
        return { -1, 0 };
    }
}

} // namespace

TqzLPT::TqzLPT()
{
    logPrefix = "qzComm: ";
    driver.OnFatalError = [this](int code, int systemError, const AnsiString& message, bool& raise) {
        raise = false;
        DoFatalErrors(code, systemError, message);
    };
}

void TqzLPT::Open()
{
    if (LptIOBase == 0) {
        DoFatalErrors(PortFatal::Parallel, 0, GetLptname() + " open in Direct Mode is failed. Base I/O port is NULL");
        return;
    }
    handle = driver.Open(LptIOBase);
    if (handle != -1) DoNotify(PortNotify::Opened);
}

void TqzLPT::Close()
{
    driver.Close();
    handle = -1;
}

uint8_t TqzLPT::ReadRegister(int offset)
{
    if (!Active()) return 0;
    return driver.ReadPort(static_cast<uint16_t>(LptIOBase + offset));
}

void TqzLPT::WriteRegister(int offset, uint8_t value)
{
    if (Active()) driver.WritePort(static_cast<uint16_t>(LptIOBase + offset), value);
}

bool TqzLPT::GetPin(int pin)
{
    const PinBit where = PinOf(pin);
    if (where.offset < 0) return false;
    return (ReadRegister(where.offset) >> where.bit) & 1;
}

void TqzLPT::SetPin(int pin, bool on)
{
    const PinBit where = PinOf(pin);
    if (where.offset < 0) return;
    uint8_t value = ReadRegister(where.offset);
    if (on)
        value = static_cast<uint8_t>(value | (1u << where.bit));
    else
        value = static_cast<uint8_t>(value & ~(1u << where.bit));
    WriteRegister(where.offset, value);
}

void TqzLPT::SendChar(uint8_t byte)
{
    if (!Active()) return;
    SetDataBits(byte);
    SetPin(1, true);
    SetPin(1, false);
}

void TqzLPT::SendString(const AnsiString& text)
{
    Logging(TDetailLevel::dlDetail, "Try to send string " + text + " ...");
    for (const char c : text) {
        if (stopFlag && *stopFlag) return;
        if (WaitForStatus(128, 128, 100)) SendChar(static_cast<uint8_t>(c));
    }
}

bool TqzLPT::WaitForStatus(uint8_t mask, uint8_t value, int ms)
{
    if (!Active()) return false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if ((GetBitsStatus() & mask) == value) return true;
        if (std::chrono::steady_clock::now() >= end || !Active() || (stopFlag && *stopFlag)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
