#include "devices/ParallelPort.h"

#include "devices/DeviceEnum.h"
#include "devices/PortSysUtils.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

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
    if (!directMode) {
        OpenSystemPort();
        return;
    }
    if (LptIOBase == 0) {
        DoFatalErrors(PortFatal::Parallel, 0, GetLptname() + " open in Direct Mode is failed. Base I/O port is NULL");
        return;
    }
    handle = driver.Open(LptIOBase);
    if (handle != -1) DoNotify(PortNotify::Opened);
}

void TqzLPT::OpenSystemPort()
{
    const AnsiString path = "/dev/parport" + std::to_string(std::max(0, lptPortNo - 1));
    const int fd = parport->Open(path);
    int error = errno;
    if (fd >= 0) {
        if (parport->Ioctl(fd, PPCLAIM, nullptr) != 0) {
            error = errno;
            parport->Close(fd);
        } else {
            // Initialise the printer: nInit pulsed low.
            ppdev_frob_struct pulse { PARPORT_CONTROL_INIT, 0 };
            parport->Ioctl(fd, PPFCONTROL, &pulse);
            std::this_thread::sleep_for(std::chrono::microseconds(50));
            pulse.val = PARPORT_CONTROL_INIT;
            parport->Ioctl(fd, PPFCONTROL, &pulse);
            systemFd = fd;
            handle = fd;
            DoNotify(PortNotify::Opened);
            return;
        }
    }
    DoFatalErrors(PortFatal::Parallel, error, SysErrorString(error) + " open is failed.\r" + GetLptname());
}

void TqzLPT::Close()
{
    driver.Close();
    if (systemFd >= 0) {
        parport->Ioctl(systemFd, PPRELEASE, nullptr);
        parport->Close(systemFd);
    }
    systemFd = -1;
    handle = -1;
}

void TqzLPT::SetLptPortNo(int number)
{
    const bool wasActive = Active();
    if (wasActive) Close();
    lptPortNo = number;
    if (const std::optional<uint16_t> base = FindLptBase(GetLptname())) LptIOBase = *base;
    if (wasActive) Open();
    DoNotify(PortNotify::DeviceChanged);
}

TLptPorts TqzLPT::LptPort() const
{
    return lptPortNo >= 1 && lptPortNo <= 4 ? static_cast<TLptPorts>(lptPortNo - 1) : TLptPorts::lpLPTxx;
}

void TqzLPT::SetLptPort(TLptPorts port)
{
    if (port != TLptPorts::lpLPTxx) SetLptPortNo(static_cast<int>(port) + 1);
}

void TqzLPT::SetDirectMode(bool on)
{
    if (on == directMode) return;
    const bool wasActive = Active();
    if (wasActive) Close();
    directMode = on;
    if (wasActive) Open();
}

bool TqzLPT::Request(unsigned long request, void* argument, const char* failure)
{
    if (parport->Ioctl(systemFd, request, argument) == 0) return true;
    const int error = errno;
    if (failure) DoFatalErrors(PortFatal::Parallel, error, failure + SysErrorString(error));
    return false;
}

int TqzLPT::GetDeviceStatus()
{
    if (directMode || systemFd < 0) return LptStatusBit(TqzLptStatus::lsPortClosed);
    unsigned char status = 0;
    unsigned char control = 0;
    if (!Request(PPRSTATUS, &status, "Get status error ")) return LptStatusBit(TqzLptStatus::lsPortClosed);
    parport->Ioctl(systemFd, PPRCONTROL, &control);
    return StatusFlags(status, control);
}

bool TqzLPT::GetPortFree()
{
    if (directMode || systemFd < 0) return false;
    // Free when another claim does not hold it: let go, and take it again.
    parport->Ioctl(systemFd, PPRELEASE, nullptr);
    return Request(PPCLAIM, nullptr, nullptr);
}

bool TqzLPT::GetPortModes()
{
    if (directMode || systemFd < 0) return false;
    unsigned int capabilities = 0;
    if (!Request(PPGETMODES, &capabilities, nullptr)) return false;
    ModesFromCapabilities(capabilities, ReadModes, WriteModes);
    return true;
}

bool TqzLPT::SetLptModes(TLptModes readModes, TLptModes writeModes)
{
    if (directMode || systemFd < 0) return false;
    int mode = NegotiationMode(readModes, writeModes);
    if (mode != IEEE1284_MODE_COMPAT && !Request(PPNEGOT, &mode, "Set modes error ")) return false;
    if (!Request(PPSETMODE, &mode, "Set modes error ")) return false;
    ReadModes = readModes;
    WriteModes = writeModes;
    return true;
}

void TqzLPT::GetDeviceList(std::vector<DeviceListEntry>& target) const
{
    target.clear();
    DeviceInfoList* list = EnumDevicesOpen(PortsClassId, systemRoot);
    AnsiString service, key, name, description;
    for (int index = 0; EnumDevicesNext(list, index, service, key, name, description); ++index) {
        if (service != "parport" || name.rfind("LPT", 0) != 0) continue;
        const AnsiString digits = name.substr(3);
        const int number
            = !digits.empty() && digits.find_first_not_of("0123456789") == AnsiString::npos ? std::stoi(digits) : 1;
        target.push_back({ name, number });
        if (const std::optional<uint16_t> base = ParallelPortBase(systemRoot, description)) SetLptBase(name, *base);
    }
    EnumDevicesClose(list);
}

int TqzLPT::GetDeviceIndex() const
{
    std::vector<DeviceListEntry> list;
    GetDeviceList(list);
    for (size_t k = 0; k < list.size(); ++k)
        if (list[k].number == lptPortNo) return static_cast<int>(k);
    return -1;
}

void TqzLPT::SetDeviceIndex(int index)
{
    std::vector<DeviceListEntry> list;
    GetDeviceList(list);
    if (index >= 0 && static_cast<size_t>(index) < list.size()) SetLptPortNo(list[static_cast<size_t>(index)].number);
}

uint8_t TqzLPT::StatusByte()
{
    if (directMode) return GetBitsStatus();
    // In system mode the registers are the system's; its driver still tells
    // the status, which a send waits on.
    unsigned char status = 0;
    if (systemFd < 0 || parport->Ioctl(systemFd, PPRSTATUS, &status) != 0) return 0;
    return status;
}

uint8_t TqzLPT::ReadRegister(int offset)
{
    if (!Active() || !directMode) return 0;
    return driver.ReadPort(static_cast<uint16_t>(LptIOBase + offset));
}

void TqzLPT::WriteRegister(int offset, uint8_t value)
{
    if (Active() && directMode) driver.WritePort(static_cast<uint16_t>(LptIOBase + offset), value);
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
    if (!directMode) {
        [[maybe_unused]] const ssize_t written = parport->Write(systemFd, &byte, 1);
        return;
    }
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
        if ((StatusByte() & mask) == value) return true;
        if (std::chrono::steady_clock::now() >= end || !Active() || (stopFlag && *stopFlag)) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
