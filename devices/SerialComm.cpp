#include "devices/SerialComm.h"

#include "devices/ComPortMap.h"
#include "devices/PortSysUtils.h"
#include "devices/TtyLine.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

TqzComm::TqzComm()
{
    logPrefix = "qzComm: ";
}

TqzComm::~TqzComm()
{
    Close();
    StopThreads();
    for (std::thread& late : lateThreads)
        if (late.joinable()) late.join();
}

LineProperties TqzComm::Line() const
{
    return { BaudRate, ByteSize, Parity, StopBits, StreamProtocol, EventChar };
}

void TqzComm::SetLine(const LineProperties& line)
{
    BaudRate = line.BaudRate;
    ByteSize = line.ByteSize;
    Parity = line.Parity;
    StopBits = line.StopBits;
    StreamProtocol = line.StreamProtocol;
    EventChar = line.EventChar;
}

TDeviceControlBlock TqzComm::DeviceControlBlock() const
{
    TDeviceControlBlock block = MakeDeviceControlBlock(Line());
    // The kernel raises RTS with CTS flow control itself; with XON/XOFF the
    // line keeps RTS up, as the system's own settings do.
    if (StreamProtocol == TStreamProtocol::spXonXoff) block.fRtsControl = RtsControl::On;
    return block;
}

bool TqzComm::ApplySettings()
{
    std::lock_guard<std::mutex> guard(ioLock);
    if (fd < 0) return true;
    const TDeviceControlBlock block = DeviceControlBlock();
    if (!ApplyLineSettings(fd, block)) return false;
    ApplyModemControl(block);
    return true;
}

void TqzComm::ApplyModemControl(const TDeviceControlBlock& block)
{
    // A pseudo-terminal has no modem lines: their calls fail and change nothing.
    tty->SetModemLine(fd, TIOCM_DTR, block.fDtrControl != 0);
    if (block.fRtsControl != RtsControl::Handshake) tty->SetModemLine(fd, TIOCM_RTS, block.fRtsControl != 0);
}

void TqzComm::SetComPortNo(int number)
{
    if (number == comPortNo) return;
    const bool wasOpen = Active();
    if (wasOpen) Close();
    comPortNo = number;
    if (wasOpen) Open();
    DoNotify(PortNotify::DeviceChanged);
}

TComPort TqzComm::ComPort() const
{
    return comPortNo >= 1 && comPortNo <= 8 ? static_cast<TComPort>(comPortNo - 1) : TComPort::cpCOMxx;
}

void TqzComm::SetComPort(TComPort port)
{
    if (port != TComPort::cpCOMxx) SetComPortNo(static_cast<int>(port) + 1);
}

void TqzComm::SetTimeOuts(const TCommTimeouts& value)
{
    std::lock_guard<std::mutex> guard(settingsLock);
    timeouts = value;
}

TCommTimeouts TqzComm::GetTimeouts() const
{
    std::lock_guard<std::mutex> guard(settingsLock);
    return timeouts;
}

void TqzComm::SetTimeoutRead(uint32_t ms)
{
    std::lock_guard<std::mutex> guard(settingsLock);
    timeouts.ReadIntervalTimeout = ms;
}

void TqzComm::SetTimeoutWrite(uint32_t ms)
{
    std::lock_guard<std::mutex> guard(settingsLock);
    timeouts.WriteTotalTimeoutConstant = ms;
}

void TqzComm::SetTraceStates(TTraceStates states)
{
    states &= AllTraceStates;
    traceStates = states;
    eventMask = isOpen ? (states | TraceBit(TTraceState::tsRxChar) | TraceBit(TTraceState::tsTxEmpty)) : 0;
}

bool TqzComm::OpenDevice(AnsiString& reason, int& error)
{
    const std::string path = ComPortPath(comPortNo);
    if (path.empty()) {
        reason = "No serial port is known by that number.";
        return false;
    }
    const int opened = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (opened < 0) {
        error = errno;
        reason = SysErrorString(error);
        return false;
    }
    // Not shared: a second open of the line fails while this one holds it.
    ioctl(opened, TIOCEXCL);
    const TDeviceControlBlock block = DeviceControlBlock();
    if (!ApplyLineSettings(opened, block)) {
        error = errno;
        reason = "The device refused the line settings.";
        ::close(opened);
        return false;
    }
    wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd < 0) {
        error = errno;
        reason = SysErrorString(error);
        ::close(opened);
        return false;
    }
    std::lock_guard<std::mutex> guard(ioLock);
    fd = opened;
    ApplyModemControl(block);
    tty->Flush(fd, 2);
    return true;
}

void TqzComm::Open()
{
    Close();
    StopThreads();
    received = 0;
    sent = 0;
    const AnsiString name = GetPortName();
    AnsiString reason;
    int error = 0;
    if (!OpenDevice(reason, error)) {
        DoFatalErrors(
            PortFatal::SerialOpen, error, FormatText("Device \"%s\" Open Error !!!\r%s", name.c_str(), reason.c_str()));
        return;
    }
    {
        std::lock_guard<std::mutex> guard(queueLock);
        inQueue.clear();
        inQueue.reserve(static_cast<size_t>(std::max(1, BufferInSize)));
        outQueue.clear();
        waiting = 0;
    }
    EventList.Restart();
    handle = fd;
    isOpen = true;
    LoggingFmt(TDetailLevel::dlSimple, "The port %s succesful opened", name.c_str());
    SetTraceStates(traceStates);
    // The open's own events come before the threads start: a data processor
    // or a handler is ready before the first received byte reaches it.
    FireTraceState(TraceBit(TTraceState::tsTxEmpty));
    DoNotify(PortNotify::Opened);
    StartThreads();
}

void TqzComm::Halt()
{
    if (!isOpen.exchange(false)) return;
    DoNotify(PortNotify::Halting);
    eventMask = 0;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        inQueue.clear();
        outQueue.clear();
        waiting = 0;
    }
    queueChanged.notify_all();
    handle = -1;
}

void TqzComm::Close()
{
    // A port that failed on its own is closed already: its threads and
    // descriptor are still to be put away.
    if (!isOpen) {
        StopThreads();
        return;
    }
    Halt();
    StopThreads();
    Logging(TDetailLevel::dlSimple, "The port succesful closed");
    FireTraceState(0);
}

void TqzComm::StartThreads()
{
    stopping = false;
    const int myGeneration = ++generation;
    {
        std::lock_guard<std::mutex> guard(messageLock);
        messages.clear();
        quitMessages = false;
        messageThreadDone = false;
    }
    int bits = 0;
    modemPolling = false;
    modemThreadDone = true;
    if (tty->GetModemLines(fd, bits)) {
        modemThreadDone = false;
        modemThread = std::thread([this] { ModemLoop(); });
    }
    LineErrorCounts errors;
    tty->GetLineErrors(fd, errors);
    messageThread = std::thread([this, myGeneration] { MessageLoop(myGeneration); });
    eventThread = std::thread([this, myGeneration, bits, errors] { EventLoop(myGeneration, bits, errors); });
}

void TqzComm::StopThreads()
{
    const std::thread::id self = std::this_thread::get_id();
    stopping = true;
    Wake();
    if (eventThread.joinable()) {
        if (eventThread.get_id() == self)
            lateThreads.push_back(std::move(eventThread));
        else
            eventThread.join();
    }
    if (modemThread.joinable()) {
        // The modem wait ends only on a line change or a signal.
        while (!modemThreadDone) {
            tty->InterruptWait(modemThread.native_handle());
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        modemThread.join();
    }
    if (messageThread.joinable()) {
        std::unique_lock<std::mutex> lock(messageLock);
        quitMessages = true;
        messageReady.notify_all();
        if (messageThread.get_id() == self) {
            lock.unlock();
            lateThreads.push_back(std::move(messageThread));
        } else {
            // A handler that does not return keeps its thread: the close goes
            // on after a second, and the thread is joined when the component goes.
            const bool ended
                = messageEnded.wait_for(lock, std::chrono::milliseconds(1000), [this] { return messageThreadDone; });
            lock.unlock();
            if (ended)
                messageThread.join();
            else
                lateThreads.push_back(std::move(messageThread));
        }
    }
    std::lock_guard<std::mutex> guard(ioLock);
    if (fd >= 0) ::close(fd);
    fd = -1;
    const int wake = wakeFd.exchange(-1);
    if (wake >= 0) ::close(wake);
}

void TqzComm::Wake() const
{
    const int wake = wakeFd.load();
    if (wake < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake, &one, sizeof one);
}

int TqzComm::GetDeviceIndex() const
{
    std::vector<DeviceListEntry> list;
    GetPortList(list);
    for (size_t k = 0; k < list.size(); ++k)
        if (list[k].number == comPortNo) return static_cast<int>(k);
    return -1;
}

void TqzComm::SetDeviceIndex(int index)
{
    std::vector<DeviceListEntry> list;
    GetPortList(list);
    if (index >= 0 && static_cast<size_t>(index) < list.size()) SetComPortNo(list[static_cast<size_t>(index)].number);
}

void TqzComm::GetDeviceList(std::vector<DeviceListEntry>& target) const
{
    GetPortList(target);
}
