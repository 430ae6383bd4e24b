// The serial component's modem lines, terminal, set-up and stored configuration.
#include "devices/CommConfigDialog.h"
#include "devices/CommConfigStore.h"
#include "devices/PnpString.h"
#include "devices/PortSysUtils.h"
#include "devices/SerialComm.h"
#include "platform/Events.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/ioctl.h>

namespace {

std::atomic<CommConfigEditor> configEditor { nullptr };

using Clock = std::chrono::steady_clock;

} // namespace

void SetCommConfigEditor(CommConfigEditor editor)
{
    configEditor = editor;
}

CommConfigEditor GetCommConfigEditor()
{
    return configEditor;
}

int TqzComm::ModemBits()
{
    std::lock_guard<std::mutex> guard(ioLock);
    int lines = 0;
    if (!isOpen || fd < 0 || !tty->GetModemLines(fd, lines)) return -1;
    int bits = 0;
    if (lines & TIOCM_CTS) bits |= ModemSignal::CTS;
    if (lines & TIOCM_DSR) bits |= ModemSignal::DSR;
    if (lines & TIOCM_RNG) bits |= ModemSignal::Ring;
    if (lines & TIOCM_CD) bits |= ModemSignal::RLSD;
    return bits;
}

int TqzComm::GetStateModemSignals()
{
    const int bits = ModemBits();
    return bits < 0 ? 0 : bits;
}

bool TqzComm::SetStateDTR(bool on)
{
    bool done;
    {
        std::lock_guard<std::mutex> guard(ioLock);
        if (!isOpen || fd < 0) return false;
        done = tty->SetModemLine(fd, TIOCM_DTR, on);
    }
    FireTraceState(TraceBit(TTraceState::tsDSR));
    return done;
}

bool TqzComm::SetStateRTS(bool on)
{
    bool done;
    {
        std::lock_guard<std::mutex> guard(ioLock);
        if (!isOpen || fd < 0) return false;
        done = tty->SetModemLine(fd, TIOCM_RTS, on);
    }
    FireTraceState(TraceBit(TTraceState::tsCTS));
    return done;
}

bool TqzComm::SetStateX(bool on)
{
    std::lock_guard<std::mutex> guard(ioLock);
    return isOpen && fd >= 0 && tty->SetOutputFlow(fd, on);
}

bool TqzComm::SetStateBreak(bool on)
{
    std::lock_guard<std::mutex> guard(ioLock);
    return isOpen && fd >= 0 && tty->SetBreak(fd, on);
}

void TqzComm::SetTerminal(CommTerminal* newTerminal)
{
    terminal = newTerminal;
}

bool TqzComm::TerminalTyped(uint8_t byte)
{
    if (TerminalUsage != TTerminalUsage::tuSend && TerminalUsage != TTerminalUsage::tuBoth) return true;
    SendChar(byte);
    return TerminalEcho;
}

void TqzComm::SetMonitor(TModemSignal signal, std::function<void(bool on)> monitor)
{
    monitors[static_cast<size_t>(signal)] = std::move(monitor);
}

bool TqzComm::InitDeviceConnect()
{
    if (!isOpen) return false;
    ClearDeviceBuffers();
    SetStateDTR(true);
    SetStateRTS(false);
    if (WaitForModemBit(ModemSignal::DSR, 200)) {
        SetStateRTS(true);
        Logging(TDetailLevel::dlSimple, "The device connection was succesful tested");
        return true;
    }
    DoFatalErrors(PortFatal::SerialOpen, 0, "Device Connect Initialization Error");
    return false;
}

namespace {

// Bytes of the component's input queue, one at a time, for the PNP reader.
class QueueBytes : public PnpByteSource {
public:
    explicit QueueBytes(TqzComm& port)
        : comm(port)
    { }
    int Next(int ms) override
    {
        const auto end = Clock::now() + std::chrono::milliseconds(ms);
        while (comm.Active()) {
            char byte = 0;
            if (comm.GetReadyForRead() > 0 && comm.ReadAll(&byte, 1) == 1) return static_cast<uint8_t>(byte);
            if (Clock::now() >= end || (comm.stopFlag && *comm.stopFlag)) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return -1;
    }

private:
    TqzComm& comm;
};

void Pause(int ms, const bool* stopFlag)
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end && !(stopFlag && *stopFlag)) {
        if (QCoreApplication::instance())
            platform::WaitForEvents(1);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

AnsiString TqzComm::GetPNPDeviceString()
{
    const bool wasOpen = isOpen;
    if (!wasOpen) Open();
    if (!isOpen) return {};
    // A line with no modem lines at all (a pseudo-terminal) cannot show DSR;
    // its device may still answer, so only a line that has them is tested.
    if (ModemBits() >= 0 && !InitDeviceConnect()) {
        if (!wasOpen) Close();
        return {};
    }
    const LineProperties saved = Line();
    SetLine({ 1200, 7, TParity::pNone, TStopBits::sbOne, TStreamProtocol::spNone, saved.EventChar });
    ApplySettings();
    const TTraceStates savedStates = traceStates.fetch_and(~TraceBit(TTraceState::tsRxChar));
    const HoldInput hold(inputHeld);
    ClearDeviceInput();
    PnpReadResult result;
    for (int attempt = 0; attempt < 2 && !result.answered && isOpen; ++attempt) {
        SetStateDTR(false);
        SetStateRTS(false);
        Pause(PnpGapMs, stopFlag);
        SetStateDTR(true);
        Pause(PnpGapMs, stopFlag);
        SetStateRTS(true);
        QueueBytes source(*this);
        result = ReadPnpString(source);
    }
    traceStates = savedStates;
    SetLine(saved);
    ApplySettings();
    if (!wasOpen) Close();
    return result.text;
}

bool TqzComm::ConfigDialog()
{
    ApplySettings();
    const CommConfigEditor editor = configEditor;
    if (!editor) return false;
    LineProperties line = Line();
    if (!editor(line, GetPortName())) return false;
    SetLine(line);
    if (isOpen) ApplySettings();
    SetLine(ReadDeviceControlBlock(DeviceControlBlock()));
    return true;
}

TCommConfigRecord TqzComm::ConfigRecord() const
{
    TCommConfigRecord record;
    record.PortNumber = static_cast<uint8_t>(comPortNo);
    record.Block = DeviceControlBlock();
    record.Timeouts = GetTimeouts();
    return record;
}

void TqzComm::SetConfigRecord(const TCommConfigRecord& record)
{
    SetLine(ReadDeviceControlBlock(record.Block));
    SetTimeOuts(record.Timeouts);
    if (record.PortNumber != 0) SetComPortNo(record.PortNumber);
    if (isOpen) ApplySettings();
}

bool TqzComm::LoadConfig(const AnsiString& settingsFile, const AnsiString& key, const AnsiString& valueName)
{
    const std::optional<AnsiString> bytes = LoadSettingsValue(settingsFile, key, valueName);
    const std::optional<TCommConfigRecord> record = bytes
        ? TCommConfigRecord::Unpack(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size())
        : std::nullopt;
    if (!record) {
        DoFatalErrors(0, 0, "Error on load config information from registry");
        return false;
    }
    SetConfigRecord(*record);
    Logging(TDetailLevel::dlSimple, "Configuration was loaded");
    return true;
}

bool TqzComm::SaveConfig(const AnsiString& settingsFile, const AnsiString& key, const AnsiString& valueName)
{
    const auto bytes = ConfigRecord().Pack();
    if (!StoreSettingsValue(
            settingsFile, key, valueName, AnsiString(reinterpret_cast<const char*>(bytes.data()), bytes.size()))) {
        DoFatalErrors(0, 0, "Error on save config information from registry");
        return false;
    }
    Logging(TDetailLevel::dlSimple, "Configuration was saved");
    return true;
}
